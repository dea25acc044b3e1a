#include "ui/CommStatusPage.h"

#include "ui/UiCommon.h"

#include "app/EventWatch.h"
#include "app/ILogger.h"
#include "app/LoggerFactory.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace UpdatePelarin {

namespace {
constexpr int ProgressMinimumWidth = 456;
constexpr QSize PercentMinimum(35, 22);
} // namespace

CommStatusPage::CommStatusPage(QWidget* parent) : QWizardPage(parent)
{
    setObjectName(QStringLiteral("CommStatusPageClass"));

    auto* vboxLayout = MakeLayout<QVBoxLayout>("vboxLayout", this);
    auto* vboxLayout1 = MakeLayout<QVBoxLayout>("vboxLayout1");
    auto* hboxLayout = MakeLayout<QHBoxLayout>("hboxLayout");
    auto* verticalLayout = MakeLayout<QVBoxLayout>("verticalLayout");

    m_statusMessage = MakeLabel(this, "statusMessage", true);
    m_progressBar = new QProgressBar(this);
    m_progressBar->setObjectName(QStringLiteral("progress"));
    m_progressBar->setMinimumWidth(ProgressMinimumWidth);
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);
    m_progressBar->setTextVisible(false);
    m_percent = MakeLabel(this, "percent");
    m_percent->setMinimumSize(PercentMinimum);
    m_percent->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_percent->setText(QStringLiteral("0%"));
    m_notice = MakeLabel(this, "notice", true);

    hboxLayout->addWidget(m_progressBar, 1);
    hboxLayout->addWidget(m_percent);
    vboxLayout1->addWidget(m_statusMessage);
    vboxLayout1->addLayout(hboxLayout);
    verticalLayout->addWidget(m_notice);
    vboxLayout->addLayout(vboxLayout1);
    vboxLayout->addStretch();
    vboxLayout->addLayout(verticalLayout);
    QMetaObject::connectSlotsByName(this);
    OrvoCommon::KeepTranslated(this, [this] { RetranslateUi(); });
}

void CommStatusPage::RetranslateUi()
{
    setTitle(tr("Device update progress", "UR-075"));
    if (m_noticeShown)
        RefreshNotice();
    // An unknown status was logged when it was set; the texts stay as they are.
    if (m_status >= Reset && m_status <= Confirming)
        RefreshStatusMessage();
}

void CommStatusPage::SetStatus(int status)
{
    if (status == m_status)
        return;
    m_status = status;
    m_noticeShown = true;
    RefreshNotice();
    RefreshStatusMessage();
}

void CommStatusPage::RefreshNotice()
{
    if (m_status >= Reset && m_status <= Downloading) {
        QFont font = m_notice->font();
        font.setBold(false);
        m_notice->setFont(font);
        m_notice->setText(tr("If you need to quit this process, click \"Cancel\".", "UR-296"));
    } else if (m_status == Updating || m_status == Confirming) {
        QFont font = m_notice->font();
        font.setWeight(QFont::Bold);
        m_notice->setFont(font);
        m_notice->setText(tr("DO NOT turn off or disconnect your device.", "UR-297"));
    }
}

void CommStatusPage::SetProgress(short percent)
{
    m_progress = percent;
    RefreshStatusMessage();
}

void CommStatusPage::SetDeviceName(const QString& name)
{
    m_deviceName = name;
    RefreshStatusMessage();
}

void CommStatusPage::RefreshStatusMessage()
{
    QString text;
    switch (m_status) {
    case Reset:
        m_progressBar->setValue(0);
        m_percent->setText(QStringLiteral("0%"));
        break;
    case WaitingForVersionSelection:
        text = tr("Waiting for version selection...", "UR-359");
        break;
    case Downloading:
        text = tr("Downloading update files from Orvo server...", "UR-069");
        break;
    case Updating:
        text = tr("Updating your device...", "UR-070");
        break;
    case Confirming:
        text = tr("Confirming successful update...", "UR-196");
        break;
    default:
        OrvoCommon::GetLogger()->LogError(
            QStringLiteral("CommStatusPage::RefreshStatusMessage() - Unknown status -%1").arg(m_status));
        return;
    }
    if (m_status >= Downloading) {
        m_progressBar->setValue(qBound(0, int(m_progress), 100));
        m_percent->setText(QStringLiteral("%1%").arg(m_progress));
    }
    m_statusMessage->setText(text);
    layout()->activate();
}

} // namespace UpdatePelarin
