#include <QCoreApplication>
#include <QTest>

#include <memory>

QObject* NewTestVersionNumbers();
QObject* NewTestIndexFile();
QObject* NewTestFirmwareImageFile();

// One executable for the firmware area, running each test class in turn.
int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    int failures = 0;
    for (auto* create : {&NewTestVersionNumbers, &NewTestIndexFile, &NewTestFirmwareImageFile}) {
        const std::unique_ptr<QObject> test(create());
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
