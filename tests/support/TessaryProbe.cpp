#include "sysinfo/ISystemInfoReader.h"
#include "sysinfo/linux/LinuxSystemInfoReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

// Prints one "name=value" line per fact; exits with TESSARY_PROBE_EXIT_CODE (default 0).
int main(int argc, char** argv)
{
    OrvoCommon::LinkLinuxSystemInfoReader();
    QTextStream out(stdout);
    for (int i = 0; i < argc; ++i)
        out << "arg=" << QString::fromLocal8Bit(argv[i]) << '\n';
    QCoreApplication application(argc, argv);
    out << "cwd=" << QDir::currentPath() << '\n';
    OrvoCommon::ISystemInfoReader* reader = OrvoCommon::SystemInfoReaderFactory::Registered()->CreateSystemInfoReader();
    out << "bundle=" << reader->GetBundlePath() << '\n';
    return qEnvironmentVariableIntValue("TESSARY_PROBE_EXIT_CODE");
}
