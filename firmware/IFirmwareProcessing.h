#pragma once

#include "app/OrvoException.h"
#include "firmware/FirmwareImageList.h"
#include "firmware/IIndexFile.h"

#include <QList>
#include <QObject>
#include <QString>

namespace OrvoCommon {

// Gets the index file and the image files of a release onto the local disk, from the program's
// folder or the bundle's "FirmwareFiles" when present, else from the maker's web server, and hands
// them over checked. One request at a time; each ends with exactly one completion signal.
// Ownership: index files and image files stay with this object. An index file lives as long as this
// object (receivers keep the pointer, never delete it); image files live until the next image request.
class IFirmwareProcessing : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~IFirmwareProcessing() override = default;

    virtual void AcquireIndexFile(const QString& fileName, const QString& host, const QString& urlPath) = 0;
    virtual void AcquireImageFiles(const OrvoCommon::FirmwareImageDescriptorList& descriptors) = 0;
    virtual void SetDownloadsEnabled(bool enabled) = 0;

signals:
    // Overall percentage of the running request; never moves backwards within an image request.
    void DownloadProgress(short progress);
    // Exactly one of the two is non-null.
    void AcquireIndexFileComplete(OrvoCommon::IIndexFile* indexFile, OrvoCommon::ExceptionPtr exception);
    // The files on success (exception null), else an empty list and the exception.
    void AcquireFirmwareImageFilesComplete(OrvoCommon::FirmwareImageList imageFiles,
                                           OrvoCommon::ExceptionPtr exception);
};

} // namespace OrvoCommon

Q_DECLARE_METATYPE(OrvoCommon::IIndexFile*)
