#include "ui/SplashScreen.h"

#include "ui/UiCommon.h"

#include "app/EventWatch.h"

#include <QCloseEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace UpdatePelarin {

namespace {
constexpr char DisplayedVersion[] = "1.0";
constexpr int LabelMinimumSide = 20;
// The picture leaves its lower left area dark for the labels.
constexpr int TextMarginLeft = 24;
constexpr int TextMarginBottom = 20;
} // namespace

SplashScreen::SplashScreen() : QSplashScreen(QPixmap(QStringLiteral(":/ui/img_splash_screen")))
{
    setObjectName(QStringLiteral("SplashScreenClass"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(TextMarginLeft, 0, TextMarginLeft, TextMarginBottom);
    layout->setSpacing(2);
    layout->addStretch();
    m_appName = MakeLabel(this, "appName");
    m_version = MakeLabel(this, "version");
    m_version->setMinimumSize(LabelMinimumSide, LabelMinimumSide);
    OrvoCommon::KeepTranslated(this, [this] {
        m_appName->setText(tr("<b>Orvo ZR3h <i>Bluetooth<sup>&#174;</sup></i> Headphone Update</b>", "UR-004"));
        m_version->setText(tr("<b>Version %1</b>", "UR-005").arg(QLatin1String(DisplayedVersion)));
    });

    QPalette white = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        white.setColor(group, QPalette::WindowText, Qt::white);
    for (QLabel* label : {m_appName, m_version}) {
        label->setPalette(white);
        AlignToLayoutStart(label);
        layout->addWidget(label);
    }
    CenterOnDesktop(this);
}

void SplashScreen::SetRightToLeft()
{
    m_appName->setLayoutDirection(Qt::RightToLeft);
    m_version->setLayoutDirection(Qt::RightToLeft);
}

void SplashScreen::mousePressEvent(QMouseEvent*)
{
    qDebug("mouse press on splash screen");
}

void SplashScreen::closeEvent(QCloseEvent* event)
{
    event->ignore();
}

} // namespace UpdatePelarin
