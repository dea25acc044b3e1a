#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "tests/support/LogCapture.h"
#include "web/UploadQuery.h"
#include "web/WebSystemInfo.h"

#include <QRegularExpression>
#include <QtTest>

// CTest runs this under users' locales (LC_ALL ar_EG.UTF-8, de_DE.UTF-8): the program's fixed
// formats must come out the same as on an English desktop.
class TestFixedDateFormat : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Under the C locale these cases would prove nothing.
        if (QLocale::system().language() == QLocale::C || QLocale::system().language() == QLocale::English)
            QSKIP("run under a non-English LC_ALL (CTest does)");
    }

    void logLinesHaveAsciiDates()
    {
        TestSupport::LogCapture log;
        OrvoCommon::GetLogger()->LogInformation(QStringLiteral("locale check"));
        const QStringList lines = log.LinesContaining(QStringLiteral("locale check"));
        QCOMPARE(lines.size(), 1);
        static const QRegularExpression shape(
            QStringLiteral("^\\d{1,2}/\\d{1,2}/\\d{4} \\d{2}:\\d{2}:\\d{2}\\.\\d{3},  Info,       locale check$"));
        QVERIFY2(shape.match(lines.first()).hasMatch(), qPrintable(lines.first()));
    }

    void uploadedDriverDatesHaveAsciiDigits()
    {
        UpdatePelarin::WebSystemInfo info;
        OrvoCommon::SystemInfo::UsbDriver driver;
        driver.driverPath = QStringLiteral("btusb");
        driver.date = QDate(2026, 8, 12);
        info.systemInfo.usbDrivers.append(driver);
        const QByteArray body = UpdatePelarin::UploadQuery::SystemInfo(info, QStringList());
        QVERIFY2(body.contains("&usb_driver_1_date=8%2F12%2F2026"), body.constData());
    }
};

QTEST_GUILESS_MAIN(TestFixedDateFormat)
#include "TestFixedDateFormat.moc"
