#include "app/ErrorCodes.h"
#include "app/OrvoException.h"
#include "firmware/VersionNumbers.h"

#include <QTest>

using namespace OrvoCommon;

class TestVersionNumbers : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { SetAsciiVersionFormat(false); }

    void validity_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("hexValid");
        QTest::addColumn<bool>("asciiValid");
        QTest::newRow("hex fields and text build") << "01.0A.b3" << true << true;
        QTest::newRow("G is no hex digit") << "01.0G.00" << false << true;
        QTest::newRow("dashes") << "01-02-03" << false << false;
        QTest::newRow("trailing newline") << "01.02.03\n" << false << false;
        QTest::newRow("punctuation") << "Ab.c!.00" << false << false;
        QTest::newRow("non-ASCII letter") << QString::fromUtf8("01.02.0\xc3\xa9") << false << false;
        QTest::newRow("empty") << "" << false << false;
    }
    void validity()
    {
        QFETCH(QString, text);
        QFETCH(bool, hexValid);
        QFETCH(bool, asciiValid);
        QCOMPARE(ParseVersion(text, nullptr, nullptr, nullptr), hexValid);
        QCOMPARE(ParseAsciiVersion(text, nullptr, nullptr, nullptr), asciiValid);
        QCOMPARE(IsValidVersion(text), hexValid);
        SetAsciiVersionFormat(true);
        QCOMPARE(IsValidVersion(text), asciiValid);
    }

    void fields()
    {
        short major = 0;
        short minor = 0;
        QString build;
        QVERIFY(ParseVersion(QStringLiteral("01.0A.b3"), &major, &minor, &build));
        QCOMPARE(major, short(1));
        QCOMPARE(minor, short(10));
        QCOMPARE(build, QStringLiteral("b3"));
        QVERIFY(ParseVersion(QStringLiteral("FF.ff.zz"), &major, &minor, &build));
        QCOMPARE(major, short(255));
        QCOMPARE(minor, short(255));
    }

    void compare_data()
    {
        QTest::addColumn<bool>("ascii");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("sign");
        QTest::newRow("major wins over minor") << false << "02.00.00"
                                               << "01.FF.zz" << 1;
        QTest::newRow("minor as number, not text") << false << "01.10.00"
                                                   << "01.0F.zz" << 1;
        QTest::newRow("hex case does not matter") << false << "0A.0b.00"
                                                  << "0a.0B.00" << 0;
        QTest::newRow("build by character code") << false << "01.00.0a"
                                                 << "01.00.0B" << 1;
        QTest::newRow("ascii fields as text") << true << "0a.00.00"
                                              << "0B.00.00" << 1;
        QTest::newRow("ascii second field") << true << "00.0a.00"
                                            << "00.0B.zz" << 1;
        QTest::newRow("ascii third field") << true << "Ab.c1.00"
                                           << "Ab.c1.01" << -1;
        QTest::newRow("equal ascii") << true << "Ab.c1.00"
                                     << "Ab.c1.00" << 0;
    }
    void compare()
    {
        QFETCH(bool, ascii);
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, sign);
        SetAsciiVersionFormat(ascii);
        const int result = CompareVersions(a, b);
        QCOMPARE((result > 0) - (result < 0), sign);
        const int reverse = CompareVersions(b, a);
        QCOMPARE((reverse > 0) - (reverse < 0), -sign);
    }

    void invalidComparison_data()
    {
        QTest::addColumn<bool>("ascii");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("named");
        QTest::newRow("second invalid") << false << "01.02.03"
                                        << "xx"
                                        << "xx";
        QTest::newRow("both invalid names the first") << false << "xx"
                                                      << "yy"
                                                      << "xx";
        QTest::newRow("ascii switch on") << true << "Ab.c1.00"
                                         << "Ab.c!.00"
                                         << "Ab.c!.00";
    }
    void invalidComparison()
    {
        QFETCH(bool, ascii);
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, named);
        SetAsciiVersionFormat(ascii);
        try {
            CompareVersions(a, b);
            QFAIL("no exception");
        } catch (const OrvoException& exception) {
            QCOMPARE(exception.GetErrorCode(), QLatin1String(ErrorCodes::VersionError));
            QCOMPARE(exception.GetMessage(), QStringLiteral("Version number %1 is invalid").arg(named));
        }
    }
};

QTEST_GUILESS_MAIN(TestVersionNumbers)

#include "TestVersionNumbers.moc"
