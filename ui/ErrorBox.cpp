#include "ui/ErrorBox.h"

#include "ui/ConfirmationBox.h"
#include "ui/ErrorTable.h"
#include "ui/NoticeLayout.h"
#include "ui/UiCommon.h"

#include "app/EventWatch.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace UpdatePelarin {

namespace {
constexpr QSize MinimumSize(500, 135);
}

ErrorBox::ErrorBox(QWidget* parent) : CloseGuardedDialog(parent)
{
    QVBoxLayout* vboxLayout = SetUpDialog(this, {"ErrorBoxClass", Qt::ApplicationModal, MinimumSize, MinimumSize});
    const NoticeWidgets notice = BuildNoticeLayout(this, vboxLayout, true);
    m_headline = notice.headline;
    m_details = notice.details;
    m_systemInfo = MakeButton(this, "systemInfo");
    m_systemInfo->hide();
    notice.buttonRow->insertWidget(0, m_systemInfo);
    m_retry = notice.AddButton("retry");
    m_exit = notice.AddButton("exit");

    WatchForKeySequence(m_retry);
    WatchForKeySequence(m_exit);
    connect(m_retry, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_exit, &QPushButton::clicked, this, &ErrorBox::ExitClicked);
    QMetaObject::connectSlotsByName(this);
    OrvoCommon::KeepTranslated(this, [this] { RetranslateUi(); });
}

void ErrorBox::RetranslateUi()
{
    setWindowTitle(ProgramTitle());
    m_systemInfo->setText(tr("System Information", "UR-164"));
    m_retry->setText(tr("Retry", "UR-166"));
    m_exit->setText(tr("Exit", "UR-168"));
    if (m_entry) {
        ShowHeadline(TranslatedHeadline(*m_entry));
        ShowDetails(TranslatedDetails(*m_entry));
    }
}

void ErrorBox::SetHeadline(const QString& headline)
{
    m_entry = nullptr;
    ShowHeadline(headline);
}

void ErrorBox::SetDetails(const QString& details)
{
    m_entry = nullptr;
    ShowDetails(details);
}

void ErrorBox::ShowHeadline(const QString& headline)
{
    m_headline->setText(QStringLiteral("<font size=\"+1\">%1</font>").arg(headline));
    FitHeightToContents(this);
}

void ErrorBox::ShowDetails(const QString& details)
{
    m_details->setText(details);
    FitHeightToContents(this);
}

void ErrorBox::ShowRetry(bool show)
{
    m_retry->setVisible(show);
}

void ErrorBox::SetConfirmExit(bool confirm)
{
    m_confirmExit = confirm;
}

void ErrorBox::ShowEntry(const ErrorEntry& entry)
{
    m_entry = &entry;
    ShowHeadline(TranslatedHeadline(entry));
    ShowDetails(TranslatedDetails(entry));
    ShowRetry(entry.retry);
    SetConfirmExit(entry.confirmExit);
}

void ErrorBox::EnableSupport(bool enable)
{
    m_systemInfo->setVisible(enable);
}

void ErrorBox::ExitClicked()
{
    if (MayClose())
        reject();
}

bool ErrorBox::MayClose()
{
    return !m_confirmExit || ConfirmationBox::Confirm(ConfirmationBox::ErrorExit, this);
}

void ErrorBox::changeEvent(QEvent* event)
{
    CloseGuardedDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !m_alerted) {
        m_alerted = true;
        QApplication::alert(parentWidget(), 1);
    }
}

void ErrorBox::on_systemInfo_clicked()
{
    emit SystemInfoRequested();
}

void ErrorBox::on_details_linkActivated(const QString& link)
{
    if (link == QLatin1String(ContactLinkTarget))
        emit ContactRequested();
}

} // namespace UpdatePelarin
