// Renders every page (in each state) and every dialog of the interface to PNG files and checks that
// each picture has content and that no label or button is too small for its text.
//   tessary-gallery [--output FOLDER] [--language CODE]

#include "app/ProgramDirectory.h"
#include "tests/ui/UiSamples.h"
#include "ui/UiResources.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLabel>
#include <QTextStream>
#include <QTranslator>

#include <memory>

using namespace UpdatePelarin;

namespace {

class Gallery
{
public:
    explicit Gallery(const QString& folder) : m_folder(folder) {}

    // Shows the window, lets it lay itself out, checks it and writes it as name.png.
    void Shoot(QWidget* window, const QString& name)
    {
        window->show();
        QCoreApplication::processEvents();
        const QImage image = window->grab().toImage();
        ++m_count;
        if (!HasContent(image))
            Fail(name, QStringLiteral("the picture is empty"));
        for (const QString& problem : Clipped(window))
            Fail(name, problem);
        if (!image.save(QDir(m_folder).filePath(name + QStringLiteral(".png"))))
            Fail(name, QStringLiteral("cannot write the picture"));
        window->hide();
    }

    int Count() const { return m_count; }
    int Failures() const { return m_failures; }

private:
    static bool HasContent(const QImage& image)
    {
        if (image.isNull() || image.width() == 0 || image.height() == 0)
            return false;
        const QRgb first = image.pixel(0, 0);
        for (int y = 0; y < image.height(); y += 3) {
            for (int x = 0; x < image.width(); x += 3) {
                if (image.pixel(x, y) != first)
                    return true;
            }
        }
        return false;
    }

    // Labels and buttons whose text needs more room than the layout gave them.
    static QStringList Clipped(QWidget* window)
    {
        QStringList problems;
        const QList<QLabel*> labels = window->findChildren<QLabel*>();
        for (const QLabel* label : labels) {
            if (!label->isVisibleTo(window) || label->text().trimmed().isEmpty())
                continue;
            const QSize hint = label->sizeHint();
            const bool clipped = label->wordWrap() ? label->heightForWidth(label->width()) > label->height()
                                                   : hint.width() > label->width() || hint.height() > label->height();
            if (clipped)
                problems << QStringLiteral("label \"%1\" is %2 x %3, its text needs %4 x %5")
                                .arg(label->objectName())
                                .arg(label->width())
                                .arg(label->height())
                                .arg(label->wordWrap() ? label->width() : hint.width())
                                .arg(label->wordWrap() ? label->heightForWidth(label->width()) : hint.height());
        }
        const QList<QAbstractButton*> buttons = window->findChildren<QAbstractButton*>();
        for (const QAbstractButton* button : buttons) {
            if (button->isVisibleTo(window) && !button->text().isEmpty() &&
                button->sizeHint().width() > button->width())
                problems << QStringLiteral("button \"%1\" is %2 wide, its text needs %3")
                                .arg(button->objectName())
                                .arg(button->width())
                                .arg(button->sizeHint().width());
        }
        return problems;
    }

    void Fail(const QString& name, const QString& problem)
    {
        ++m_failures;
        QTextStream(stderr) << name << ": " << problem << '\n';
    }

    QString m_folder;
    int m_count = 0;
    int m_failures = 0;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Renders every page and dialog to PNG files."));
    parser.addHelpOption();
    const QCommandLineOption outputOption(QStringLiteral("output"), QStringLiteral("Folder for the pictures."),
                                          QStringLiteral("folder"), QStringLiteral("gallery"));
    const QCommandLineOption languageOption(QStringLiteral("language"),
                                            QStringLiteral("Language code whose ui_<code>.qm is loaded."),
                                            QStringLiteral("code"));
    parser.addOption(outputOption);
    parser.addOption(languageOption);
    parser.process(application);

    InitUiResources();
    QTranslator translator;
    const QString language = parser.value(languageOption);
    if (!language.isEmpty()) {
        const QString file = QStringLiteral("ui_") + QString(language).replace(QLatin1Char('-'), QLatin1Char('_'));
        if (!translator.load(file, OrvoCommon::ProgramDirectory())) {
            QTextStream(stderr) << "no translation " << file << ".qm in " << OrvoCommon::ProgramDirectory() << '\n';
            return 2;
        }
        QApplication::installTranslator(&translator);
        if (language.startsWith(QLatin1String("ar")))
            QApplication::setLayoutDirection(Qt::RightToLeft);
    }

    const QString folder = parser.value(outputOption);
    if (!QDir().mkpath(folder)) {
        QTextStream(stderr) << "cannot create " << folder << '\n';
        return 2;
    }
    Gallery gallery(folder);
    for (const TestSupport::UiSample& sample : TestSupport::UiSamples()) {
        const std::unique_ptr<QWidget> window = sample.make();
        gallery.Shoot(window.get(), sample.name);
    }
    QTextStream(stdout) << gallery.Count() << " pictures in " << QDir(folder).absolutePath() << ", "
                        << gallery.Failures() << " problems\n";
    return gallery.Failures() == 0 ? 0 : 1;
}
