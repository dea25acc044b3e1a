#pragma once

#include "app/OrvoException.h"

#include <QObject>
#include <QStringList>

namespace UpdatePelarin {

struct WebSystemInfo;
struct WebVersionInfo;

// Reports to the maker's support service over HTTPS, one upload at a time per uploader. Both
// complete signals fire after every finished transfer; a refused upload fires only its own kind's.
// Callers keep the uploader they created.
class IWebUploader : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~IWebUploader() override = default;

public slots:
    virtual void UploadSystemInfo(const UpdatePelarin::WebSystemInfo& info, const QStringList& errorLines) = 0;
    virtual void CancelUpload() = 0;
    virtual void UploadVersionInfo(const UpdatePelarin::WebVersionInfo& info) = 0;

signals:
    void UploadProgress(short progress);
    // exception is null on success.
    void UploadSystemInfoComplete(OrvoCommon::ExceptionPtr exception);
    void UploadVersionInfoComplete(OrvoCommon::ExceptionPtr exception);
};

} // namespace UpdatePelarin
