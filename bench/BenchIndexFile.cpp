// Loading an index file of 10,000 IMAGE entries and answering GetImageDescriptors for the newest
// release (budget: 200 ms).

#include "firmware/IndexFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <vector>

using namespace OrvoCommon;

namespace {

constexpr int Releases = 5000;
constexpr int ImagesPerRelease = 2;
constexpr int Rounds = 15;

QByteArray MakeIndex()
{
    QByteArray xml = "<?xml version=\"1.0\"?>\n<INDEX>\n<DEVICE ID=\"0x1F20\" PRODUCTNAME=\"Orvo ZR3h\">\n"
                     "<HARDWARE REVISION=\"01.00.00\">\n";
    for (int release = 0; release < Releases; ++release) {
        const QByteArray version = QByteArray::number(release / 256 + 1, 16).rightJustified(2, '0') + '.' +
                                   QByteArray::number(release % 256, 16).rightJustified(2, '0') + ".00";
        xml += "<RELEASE REVISION=\"" + version + "\" HTTPHOST=\"firmware.example\" URLPATH=\"zr3h\">\n";
        for (int subId = 0; subId < ImagesPerRelease; ++subId) {
            xml += "<IMAGE SUBID=\"" + QByteArray::number(subId) + "\" FILENAME=\"zr3h_" + version + "_" +
                   QByteArray::number(subId) + ".dfu\" LENGTH=\"" + QByteArray::number(100000 + release) +
                   "\" CRC=\"0x" + QByteArray::number(0x12345678u + unsigned(release), 16) + "\" REVISION=\"" +
                   version + "\"/>\n";
        }
        xml += "</RELEASE>\n";
    }
    return xml + "</HARDWARE>\n</DEVICE>\n<DEVICE ID=\"0x1F21\" PRODUCTNAME=\"Orvo ZR3h\"/>\n</INDEX>\n";
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("index.xml"));
    QFile file(path);
    const QByteArray xml = MakeIndex();
    if (!file.open(QIODevice::WriteOnly) || file.write(xml) != xml.size())
        return 1;
    file.close();

    ProductIdentity identity;
    identity.productId = 0x1F20;
    identity.hardwareRevision = QStringLiteral("01.00.00");
    std::vector<double> loadMs;
    std::vector<double> totalMs;
    int found = 0;
    for (int round = 0; round < Rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        const std::unique_ptr<IIndexFile> index = IndexFile::Create(path);
        loadMs.push_back(timer.nsecsElapsed() / 1e6);
        const QString newest = index->GetNewestVersion(identity);
        found = index->GetImageDescriptors(newest, identity).size();
        totalMs.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(loadMs.begin(), loadMs.end());
    std::sort(totalMs.begin(), totalMs.end());
    out << "index file: " << Releases * ImagesPerRelease << " IMAGE entries, " << xml.size() / 1024 << " KiB\n"
        << "load:                               median " << loadMs[Rounds / 2] << " ms, best " << loadMs.front()
        << " ms\n"
        << "load + newest + GetImageDescriptors: median " << totalMs[Rounds / 2] << " ms, best " << totalMs.front()
        << " ms, worst " << totalMs.back() << " ms (" << found << " descriptors)\n";
    return totalMs[Rounds / 2] < 200.0 ? 0 : 2;
}
