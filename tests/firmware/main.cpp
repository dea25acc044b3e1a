#include <QCoreApplication>
#include <QMetaMethod>
#include <QTest>

#include <memory>
#include <vector>

QObject* NewTestVersionNumbers();
QObject* NewTestIndexFile();
QObject* NewTestFirmwareImageFile();

namespace {

// Test functions named on the command line ("name" or "name:tag"); empty runs everything.
QStringList NamedFunctions(const QStringList& arguments)
{
    QStringList names;
    for (int i = 1; i < arguments.size(); ++i) {
        if (!arguments.at(i).startsWith(QLatin1Char('-')))
            names.append(arguments.at(i).section(QLatin1Char(':'), 0, 0));
    }
    return names;
}

bool HasAny(const QObject* test, const QStringList& names)
{
    for (const QString& name : names) {
        if (test->metaObject()->indexOfMethod(QMetaObject::normalizedSignature(qPrintable(name + "()"))) >= 0)
            return true;
    }
    return names.isEmpty();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    std::vector<std::unique_ptr<QObject>> tests;
    tests.emplace_back(NewTestVersionNumbers());
    tests.emplace_back(NewTestIndexFile());
    tests.emplace_back(NewTestFirmwareImageFile());
    const QStringList names = NamedFunctions(application.arguments());
    int failures = 0;
    for (const auto& test : tests) {
        if (HasAny(test.get(), names))
            failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
