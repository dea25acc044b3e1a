// Open windows follow a change of language: every page and dialog, in each of its states, shows after
// the switch exactly what a window made in the new language shows, and its English again after the
// translator is gone.

#include "tests/ui/UiSamples.h"
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

    void cleanup() { Switch(false); }

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
};

QTEST_MAIN(TestLanguageSwitch)
#include "TestLanguageSwitch.moc"
