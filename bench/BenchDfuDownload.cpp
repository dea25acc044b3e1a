// Programming the same 256 KiB image into the simulated headset behind umockdev, once with dfu-util
// -D and once with our DFU request sequence through the libusb transport, on a profile with a
// realistic per-request latency and flash time. Only the download phase is timed: the headset
// starts in its boot loader and the run ends when it is back in dfuIDLE with the image taken.
#include "sim/SimBus.h"
#include "sim/SimImage.h"
#include "sim/SimProtocol.h"
#include "sim/umockdev/UmockdevHeadsetBed.h"
#include "tests/support/SimFixtures.h"
#include "usb/CsrUsbInterface.h"
#include "usb/linux/LibusbTransport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

using namespace OrvoCommon;

namespace {

constexpr int PayloadSize = 256 * 1024;
constexpr int LatencyMs = 1;       // one full-speed control transfer with its data stages
constexpr int FlashPerBlockMs = 8; // writing 1023 bytes of BlueCore flash
constexpr int ManifestMs = 100;

Sim::HeadsetProfile BenchProfile()
{
    Sim::HeadsetProfile profile = TestSupport::DfuModeHeadsetProfile();
    profile.timing.latencyMs = LatencyMs;
    profile.timing.flashPerBlockMs = FlashPerBlockMs;
    profile.timing.manifestMs = ManifestMs;
    return profile;
}

QByteArray BenchImage()
{
    Sim::SimImageInfo info;
    info.subId = SimImageFormat::SubIdStack;
    info.version = QStringLiteral("01.01.00");
    info.payload.resize(PayloadSize);
    for (int i = 0; i < PayloadSize; ++i)
        info.payload[i] = static_cast<char>((i * 31 + 7) & 0xFF);
    Sim::DfuSuffix suffix;
    suffix.bcdDevice = 0x0100;
    suffix.idProduct = 0x1F21; // the boot loader the download goes to
    suffix.idVendor = 0x0A12;
    return Sim::BuildSimImage(info, suffix);
}

struct Run
{
    qint64 ms = -1;
    int blocks = 0;
    Sim::UsbfsCounters counters;
    bool taken = false;
};

bool Taken(Sim::SimHeadset* headset)
{
    const QList<Sim::ReceivedImage> received = headset->ReceivedImages();
    return received.size() == 1 && received.at(0).verified;
}

Run WithDfuUtil(const QString& dfuUtil, const QString& file)
{
    Run run;
    auto bus = std::make_shared<Sim::SimBus>();
    Sim::SimHeadset* headset = bus->AddHeadset(BenchProfile());
    Sim::UmockdevHeadsetBed bed(bus);
    QProcess process;
    process.setProcessEnvironment(bed.ProgramEnvironment(QProcessEnvironment::systemEnvironment()));
    process.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer clock;
    clock.start();
    process.start(dfuUtil, {QStringLiteral("-d"), QStringLiteral("0a12:1f21"), QStringLiteral("-D"), file});
    if (!process.waitForFinished(300000) || process.exitCode() != 0) {
        QTextStream(stderr) << process.readAll();
        return run;
    }
    run.ms = clock.elapsed();
    run.blocks = headset->BlocksReceived();
    run.counters = bed.Counters(headset);
    run.taken = Taken(headset);
    return run;
}

bool State(ICsrDevice* device, int* state)
{
    QByteArray answer;
    if (!device->ControlReadTransfer(SimProtocol::DfuRequestIn, SimProtocol::DfuGetState, 0, device->GetDfuInterface(),
                                     1, &answer) ||
        answer.size() != 1)
        return false;
    *state = static_cast<std::uint8_t>(answer.at(0));
    return true;
}

bool Status(ICsrDevice* device, int* pollMs)
{
    QByteArray answer;
    if (!device->ControlReadTransfer(SimProtocol::DfuRequestIn, SimProtocol::DfuGetStatus, 0, device->GetDfuInterface(),
                                     6, &answer) ||
        answer.size() != 6 || answer.at(0) != 0)
        return false;
    *pollMs = static_cast<std::uint8_t>(answer.at(1)) | static_cast<std::uint8_t>(answer.at(2)) << 8 |
              static_cast<std::uint8_t>(answer.at(3)) << 16;
    return true;
}

// Our programming thread's DFU step, as it runs in DFU mode: each pass asks the state and acts on it
// (dfuIDLE: first block; dfuDNLOAD-SYNC: status and its poll time-out; dfuDNLOAD-IDLE: next block or
// the closing zero-length block; dfuMANIFEST-SYNC: status, and a tolerant device is done).
bool OurSequence(ICsrDevice* device, const QByteArray& body)
{
    const int blockSize = device->GetTransferSize();
    int offset = 0;
    int block = 0;
    bool started = false;
    bool ended = false;
    for (;;) {
        int state = 0;
        if (!State(device, &state))
            return false;
        int poll = 0;
        switch (state) {
        case SimProtocol::DfuIdle:
            if (started)
                return ended;
            started = true;
            [[fallthrough]];
        case SimProtocol::DfuDnloadIdle: {
            const QByteArray chunk = body.mid(offset, blockSize);
            offset += chunk.size();
            ended = chunk.isEmpty();
            if (!device->ControlWriteTransfer(SimProtocol::DfuRequestOut, SimProtocol::DfuDnload,
                                              static_cast<std::uint16_t>(block++), device->GetDfuInterface(), chunk))
                return false;
            break;
        }
        case SimProtocol::DfuDnloadSync:
        case SimProtocol::DfuManifestSync:
            if (!Status(device, &poll))
                return false;
            QThread::msleep(static_cast<unsigned long>(poll));
            break;
        case SimProtocol::DfuManifest:
        case SimProtocol::DfuDnbusy:
            break;
        default:
            return false;
        }
    }
}

Run WithOurSequence(const QByteArray& file)
{
    Run run;
    auto bus = std::make_shared<Sim::SimBus>();
    Sim::SimHeadset* headset = bus->AddHeadset(BenchProfile());
    auto bed = std::make_unique<Sim::UmockdevHeadsetBed>(bus);
    {
        CsrUsbInterface usb(std::make_unique<LibusbTransport>());
        usb.StartDeviceDetection(0x0A12, {0x1F20, 0x1F21});
        if (usb.Devices().size() != 1 || !usb.Devices().at(0)->IsDfuMode())
            return run;
        QByteArray body;
        if (!Sim::SplitDfuFile(file, &body, nullptr))
            return run;
        const Sim::UsbfsCounters before = bed->Counters(headset);
        QElapsedTimer clock;
        clock.start();
        if (!OurSequence(usb.Devices().at(0), body))
            return run;
        run.ms = clock.elapsed();
        const Sim::UsbfsCounters after = bed->Counters(headset);
        run.counters.control = after.control - before.control;
        run.counters.downloads = after.downloads - before.downloads;
        run.counters.statusPolls = after.statusPolls - before.statusPolls;
    }
    run.blocks = headset->BlocksReceived();
    run.taken = Taken(headset);
    return run;
}

void Report(QTextStream& out, const char* name, const Run& run)
{
    const double blocks = std::max(1, run.blocks);
    out << QStringLiteral("%1: %2 ms, %3 blocks, image %4; control transfers %5 (%6 per block: %7 DNLOAD, %8 "
                          "GETSTATUS, %9 other)\n")
               .arg(QLatin1String(name))
               .arg(run.ms)
               .arg(run.blocks)
               .arg(run.taken ? QStringLiteral("taken") : QStringLiteral("NOT taken"))
               .arg(run.counters.control)
               .arg(run.counters.control / blocks, 0, 'f', 2)
               .arg(run.counters.downloads / blocks, 0, 'f', 2)
               .arg(run.counters.statusPolls / blocks, 0, 'f', 2)
               .arg((run.counters.control - run.counters.downloads - run.counters.statusPolls) / blocks, 0, 'f', 2);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    const QString dfuUtil = QStandardPaths::findExecutable(QStringLiteral("dfu-util"));
    QTemporaryDir dir;
    if (dfuUtil.isEmpty() || !dir.isValid()) {
        out << "dfu-util or a temporary folder is missing\n";
        return 1;
    }
    const QByteArray image = BenchImage();
    const QString file = dir.filePath(QStringLiteral("bench.dfu"));
    QFile output(file);
    if (!output.open(QIODevice::WriteOnly) || output.write(image) != image.size())
        return 1;
    output.close();

    out << QStringLiteral("Profile: %1 ms per control transfer, %2 ms flash per block, %3 ms manifestation; image "
                          "%4 bytes\n")
               .arg(LatencyMs)
               .arg(FlashPerBlockMs)
               .arg(ManifestMs)
               .arg(image.size());
    const Run peer = WithDfuUtil(dfuUtil, file);
    Report(out, "dfu-util -D (whole process)", peer);
    const Run ours = WithOurSequence(image);
    Report(out, "our sequence via libusb  ", ours);
    if (peer.ms <= 0 || ours.ms <= 0 || !peer.taken || !ours.taken)
        return 1;
    out << QStringLiteral("ratio ours / dfu-util: %1\n").arg(double(ours.ms) / double(peer.ms), 0, 'f', 2);
    return 0;
}
