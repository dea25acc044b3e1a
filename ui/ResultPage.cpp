#include "ui/ResultPage.h"

#include "ui/UiCommon.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace UpdatePelarin {

namespace {

constexpr QSize IllustrationSize(192, 256);

QLabel* MakeBoldLabel(QWidget* parent, const char* objectName)
{
    QLabel* label = MakeLabel(parent, objectName);
    label->setTextFormat(Qt::PlainText);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

ResultPage::ResultPage(const char* objectName, const QString& illustration, QWidget* parent) : QWizardPage(parent)
{
    setObjectName(QLatin1String(objectName));
    auto* vboxLayout = MakeLayout<QVBoxLayout>("vboxLayout", this);
    auto* hboxLayout = MakeLayout<QHBoxLayout>("hboxLayout");
    auto* vboxLayout1 = MakeLayout<QVBoxLayout>("vboxLayout1");
    auto* hboxLayout1 = MakeLayout<QHBoxLayout>("hboxLayout1");

    m_message = MakeLabel(this, "message", true);
    m_deviceName = MakeBoldLabel(this, "deviceName");
    AlignToLayoutStart(m_deviceName);
    m_versionLabel = MakeLabel(this, "versionLabel");
    m_version = MakeBoldLabel(this, "version");
    m_notice = MakeLabel(this, "notice", true);

    hboxLayout1->addWidget(m_versionLabel);
    hboxLayout1->addWidget(m_version);
    hboxLayout1->addStretch();
    vboxLayout1->addWidget(m_message);
    vboxLayout1->addSpacing(12);
    vboxLayout1->addWidget(m_deviceName);
    vboxLayout1->addLayout(hboxLayout1);
    vboxLayout1->addStretch();
    vboxLayout1->addWidget(m_notice);
    hboxLayout->addLayout(vboxLayout1, 1);
    QFrame* frame =
        MakeIllustrationFrame(this, "frame", "vboxLayout2", illustration, IllustrationSize, IllustrationSize);
    m_illustration = frame->findChild<QLabel*>(QStringLiteral("illustration"));
    hboxLayout->addWidget(frame);
    vboxLayout->addLayout(hboxLayout);
}

void ResultPage::SetDeviceName(const QString& name)
{
    m_deviceName->setText(name);
}

void ResultPage::SetVersion(const QString& version)
{
    m_version->setText(version);
}

} // namespace UpdatePelarin
