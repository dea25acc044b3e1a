#include "tests/support/AcquisitionProcess.h"

#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "app/OrvoException.h"
#include "app/TempFileList.h"
#include "firmware/FirmwareFileLocator.h"
#include "sysinfo/linux/LinuxSystemInfoReader.h"

#include <QCoreApplication>
#include <QFile>

bool PrepareAcquisitionProcess(const QString& testName, const QString& startFolder)
{
    using namespace OrvoCommon;
    RegisterCommonMetaTypes();
    const QString prefix = testName + QLatin1Char('-') + QString::number(QCoreApplication::applicationPid());
    GetLogger()->SetLogFile(prefix + QStringLiteral(".log"), true);
    TempFileList::Instance()->SetListFileName(prefix + QStringLiteral(".lst"));
    LinkLinuxSystemInfoReader();
    qputenv("TESSARY_APP_DIR", QFile::encodeName(startFolder));
    return FirmwareFileLocator::Instance()->BundlePath() == startFolder;
}
