// Loading the sample bundle (the index file, then both images of its newest release) as a plain
// index file, and as a signed one: the trusted key read from Config.xml, the signature checked and
// every image's SHA-256 (budget: under 5 ms added).

#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "firmware/FirmwareImageFile.h"
#include "firmware/IndexFile.h"
#include "firmware/TrustedKeys.h"
#include "sysinfo/linux/LinuxSystemInfoReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <vector>

using namespace OrvoCommon;

namespace {

constexpr int Rounds = 201;

bool Write(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// Loads the index file the way acquisition does and verifies the newest release's images.
int LoadBundle(const std::function<std::unique_ptr<IIndexFile>()>& loadIndex)
{
    const std::unique_ptr<IIndexFile> index = loadIndex();
    ProductIdentity identity;
    identity.productId = 0x1F20;
    identity.hardwareRevision = QStringLiteral("01.00.00");
    int images = 0;
    for (const IFirmwareImageDescriptor* descriptor :
         index->GetImageDescriptors(index->GetNewestVersion(identity), identity)) {
        FirmwareImageFile::Create(descriptor);
        ++images;
    }
    return images;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    LinkLinuxSystemInfoReader();
    QTextStream out(stdout);
    GetLogger()->SetLoggingLevel(0);

    // The sample bundle in a program folder of its own, its key trusted there.
    const QDir sample(QCoreApplication::applicationDirPath() + QStringLiteral("/FirmwareFiles"));
    QTemporaryDir dir;
    for (const QString& name : sample.entryList(QDir::Files)) {
        if (!QFile::copy(sample.filePath(name), dir.filePath(name)))
            return 1;
    }
    QFile signedIndex(dir.filePath(QStringLiteral("index.xml")));
    if (!signedIndex.open(QIODevice::ReadOnly))
        return 1;
    QString plain = QString::fromUtf8(signedIndex.readAll());
    plain.remove(QRegularExpression(QStringLiteral(" SHA256=\"[0-9a-f]*\"")));
    if (!Write(dir.filePath(QStringLiteral("plain.xml")), plain.toUtf8()) ||
        !Write(dir.filePath(QStringLiteral("Config.xml")),
               "<Config><IndexFileTrustedKeys>sample-index-key.pem</IndexFileTrustedKeys></Config>"))
        return 1;
    qputenv("TESSARY_APP_DIR", QFile::encodeName(dir.path()));

    const QString plainPath = dir.filePath(QStringLiteral("plain.xml"));
    const QString indexPath = dir.filePath(QStringLiteral("index.xml"));
    const auto plainLoad = [&] { return IndexFile::Create(plainPath); };
    const auto signedLoad = [&] {
        return IndexFile::Create(indexPath, indexPath + QStringLiteral(".sig"), TrustedKeys::FromConfiguration());
    };
    // The first of each pays for opening the files and for libcrypto's set-up.
    if (LoadBundle(plainLoad) != 2 || LoadBundle(signedLoad) != 2)
        return 1;

    std::vector<double> plainMs;
    std::vector<double> signedMs;
    QElapsedTimer timer;
    for (int round = 0; round < Rounds; ++round) {
        timer.start();
        LoadBundle(plainLoad);
        plainMs.push_back(timer.nsecsElapsed() / 1e6);
        timer.start();
        LoadBundle(signedLoad);
        signedMs.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(plainMs.begin(), plainMs.end());
    std::sort(signedMs.begin(), signedMs.end());
    const double added = signedMs[Rounds / 2] - plainMs[Rounds / 2];
    out << "sample bundle: index file and the newest release's 2 images, " << Rounds << " rounds\n"
        << "plain (CRC + length):                   median " << plainMs[Rounds / 2] << " ms, best " << plainMs.front()
        << " ms\n"
        << "signed (key, signature, CRC + length + SHA-256): median " << signedMs[Rounds / 2] << " ms, best "
        << signedMs.front() << " ms\n"
        << "added by verification:                  " << added << " ms (budget 5 ms)\n";
    return added < 5.0 ? 0 : 2;
}
