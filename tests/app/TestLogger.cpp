#include "app/Logger.h"
#include "app/OrvoException.h"
#include "tests/support/TestEnvironment.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <vector>

using namespace OrvoCommon;

class TestLogger : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_temp;
    QString m_logPath;

    QStringList Lines() const
    {
        return QString::fromLocal8Bit(TestSupport::ReadFile(m_logPath)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_temp.isValid());
        qputenv("TMPDIR", m_temp.path().toLocal8Bit());
    }

    void init()
    {
        m_logPath = m_temp.filePath(QStringLiteral("test.log"));
        QFile::remove(m_logPath);
    }

    void levels_data()
    {
        QTest::addColumn<unsigned>("level");
        QTest::addColumn<QStringList>("expectedKinds");
        QTest::newRow("0 writes nothing") << 0u << QStringList();
        QTest::newRow("4 information only") << 4u << QStringList{QStringLiteral("Info,     ")};
        QTest::newRow("3 errors and warnings")
            << 3u
            << QStringList{QStringLiteral("Error,    "), QStringLiteral("Exception,"), QStringLiteral("Warning,  ")};
    }

    void levels()
    {
        QFETCH(unsigned, level);
        QFETCH(QStringList, expectedKinds);
        Logger logger;
        logger.SetLogFile(QStringLiteral("test.log"), false);
        logger.SetLoggingLevel(level);
        logger.LogError(QStringLiteral("e"));
        logger.LogException(OrvoException(QStringLiteral("internal-error"), QStringLiteral("x")));
        logger.LogWarning(QStringLiteral("w"));
        logger.LogInformation(QStringLiteral("i"));
        logger.Close();
        QStringList kinds;
        for (const QString& line : Lines())
            kinds.append(line.mid(line.indexOf(QLatin1String(",  ")) + 3, 10));
        QCOMPARE(kinds, expectedKinds);
        if (expectedKinds.isEmpty())
            QVERIFY(!QFile::exists(m_logPath));
    }

    void lineFormat()
    {
        Logger logger;
        logger.SetLogFile(QStringLiteral("test.log"), false);
        logger.LogInformation(QStringLiteral("Application exiting"));
        logger.LogException(OrvoException(QStringLiteral("config-file-error"), QStringLiteral("Unable to open")));
        const QStringList lines = Lines();
        QCOMPARE(lines.size(), 2);
        const QRegularExpression info(
            QStringLiteral(R"(^\d{1,2}/\d{1,2}/\d{4} \d\d:\d\d:\d\d\.\d{3},  Info,       Application exiting$)"));
        QVERIFY2(info.match(lines.at(0)).hasMatch(), qPrintable(lines.at(0)));
        QVERIFY(lines.at(1).endsWith(QLatin1String(",  Exception,  config-file-error: Unable to open")));
    }

    void appendsAcrossCloseAndInstances()
    {
        {
            Logger first;
            first.SetLogFile(QStringLiteral("test.log"), false);
            first.LogInformation(QStringLiteral("one"));
            first.Close();
            first.LogInformation(QStringLiteral("two"));
        }
        Logger second;
        second.SetLogFile(QStringLiteral("test.log"), false);
        second.LogInformation(QStringLiteral("three"));
        second.Close();
        const QStringList lines = Lines();
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines.at(2).endsWith(QLatin1String("three")));
    }

    void errorLines()
    {
        Logger logger;
        logger.SetLogFile(QStringLiteral("test.log"), false);
        logger.LogInformation(QStringLiteral("only information, Error, Exception"));
        QVERIFY(logger.GetErrorLines().isEmpty());
        logger.LogWarning(QStringLiteral("warned, Error"));
        logger.LogError(QStringLiteral("Transfer failed, code 5, retrying"));
        logger.LogException(OrvoException(QStringLiteral("download-error"), QStringLiteral("first\nsecond line")));
        const QStringList errors = logger.GetErrorLines();
        QCOMPARE(errors.size(), 2);
        QVERIFY(errors.at(0).endsWith(QLatin1String("Error,      Transfer failed, code 5, retrying")));
        QVERIFY(errors.at(1).endsWith(QLatin1String("download-error: first")));
    }

    void unwritableLogIsSilent()
    {
        Logger logger;
        logger.SetLogFile(QStringLiteral("missing-folder/test.log"), false);
        logger.LogError(QStringLiteral("lost"));
        QVERIFY(logger.GetErrorLines().isEmpty());
        QVERIFY(!QFile::exists(m_temp.filePath(QStringLiteral("missing-folder/test.log"))));
    }

    void concurrentWritersNeverTearLines()
    {
        Logger logger;
        logger.SetLogFile(QStringLiteral("test.log"), false);
        constexpr int Threads = 4;
        constexpr int PerThread = 300;
        std::vector<std::unique_ptr<QThread>> threads;
        for (int t = 0; t < Threads; ++t) {
            threads.emplace_back(QThread::create([&logger, t]() {
                for (int i = 0; i < PerThread; ++i)
                    logger.LogInformation(QStringLiteral("thread %1 line %2 ").arg(t).arg(i) + QString(40, 'x'));
            }));
            threads.back()->start();
        }
        for (auto& thread : threads)
            QVERIFY(thread->wait(30000));
        logger.Close();
        const QStringList lines = Lines();
        QCOMPARE(lines.size(), Threads * PerThread);
        const QRegularExpression whole(QStringLiteral(R"(,  Info,       thread \d line \d+ x{40}$)"));
        for (const QString& line : lines)
            QVERIFY2(whole.match(line).hasMatch(), qPrintable(line));
    }

    void registeredLogIsListedForCleanup()
    {
        Logger logger;
        logger.SetLogFile(QStringLiteral("clean.log"), true);
        const QString list =
            QString::fromLocal8Bit(TestSupport::ReadFile(m_temp.filePath(QStringLiteral("OrvoTempFiles.txt"))));
        QVERIFY(list.contains(m_temp.filePath(QStringLiteral("clean.log"))));
    }
};

QTEST_GUILESS_MAIN(TestLogger)
#include "TestLogger.moc"
