// Open windows follow a change of language: every page and dialog, in each of its states, shows after
// the switch exactly what a window made in the new language shows, and its English again after the
// translator is gone.

#include "tests/ui/UiSamples.h"
#include "ui/SelectFirmwareDialog.h"
#include "ui/UiResources.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QTranslator>
#include <QWizardPage>
#include <QtTest>

using TestSupport::UiSample;
using TestSupport::UiSamples;

namespace {

// Every text a window shows: its title, page titles, labels, buttons and combo-box items, in the
// order of the widget tree.
QStringList TextsOf(QWidget* window)
{
    QStringList texts{window->windowTitle()};
    const QList<QWidget*> widgets = window->findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        const QString name = widget->objectName() + QLatin1Char('=');
        if (auto* page = qobject_cast<QWizardPage*>(widget))
            texts << name + page->title();
        else if (auto* label = qobject_cast<QLabel*>(widget))
            texts << name + label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            texts << name + button->text();
        else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            for (int i = 0; i < combo->count(); ++i)
                texts << name + combo->itemText(i);
        }
    }
    return texts;
}

// The columns of label that hold ink: first and last, or -1 when it is blank.
std::pair<int, int> InkColumns(QLabel* label)
{
    const QImage image = label->grab().toImage();
    const QRgb background = image.pixel(0, 0);
    int first = -1;
    int last = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixel(x, y) != background) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

} // namespace

class TestLanguageSwitch : public QObject
{
    Q_OBJECT

private:
    QTranslator m_arabic;

    void Switch(bool arabic)
    {
        if (arabic)
            QCoreApplication::installTranslator(&m_arabic);
        else
            QCoreApplication::removeTranslator(&m_arabic);
        // Windows hear of the change through posted events.
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase()
    {
        UpdatePelarin::InitUiResources();
        QVERIFY(m_arabic.load(QStringLiteral("ui_ar"), QCoreApplication::applicationDirPath()));
    }

    void cleanup()
    {
        Switch(false);
        QApplication::setLayoutDirection(Qt::LeftToRight);
    }

    void openWindowsFollowTheLanguage_data()
    {
        QTest::addColumn<int>("index");
        for (size_t i = 0; i < UiSamples().size(); ++i)
            QTest::newRow(qPrintable(UiSamples()[i].name)) << int(i);
    }

    void openWindowsFollowTheLanguage()
    {
        QFETCH(int, index);
        const UiSample& sample = UiSamples()[size_t(index)];
        const std::unique_ptr<QWidget> open = sample.make();
        open->show();
        const QStringList english = TextsOf(open.get());

        Switch(true);
        const QStringList switched = TextsOf(open.get());
        const std::unique_ptr<QWidget> made = sample.make();
        QCOMPARE(switched, TextsOf(made.get()));
        QVERIFY2(switched != english, "nothing in the window changed language");

        Switch(false);
        QCOMPARE(TextsOf(open.get()), english);
    }

    // A label aligns by its text's script, so a Latin device name would start on the left of a
    // right-to-left window; ours start where everything else does, also after the direction changes.
    void latinNamesStartWhereTheLayoutStarts()
    {
        UpdatePelarin::SelectFirmwareDialog dialog;
        dialog.SetDeviceName(QStringLiteral("Orvo ZR3h"));
        dialog.show();
        auto* name = dialog.findChild<QLabel*>(QStringLiteral("deviceName"));
        QVERIFY(name);
        const int middle = name->width() / 2;
        QVERIFY(InkColumns(name).second < middle);

        QApplication::setLayoutDirection(Qt::RightToLeft);
        QVERIFY(InkColumns(name).first > middle);
        QApplication::setLayoutDirection(Qt::LeftToRight);
        QVERIFY(InkColumns(name).second < middle);
    }
};

QTEST_MAIN(TestLanguageSwitch)
#include "TestLanguageSwitch.moc"
