#include "ui/SystemInfoDialog.h"

#include "ui/UiCommon.h"

#include "app/EventWatch.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace UpdatePelarin {

SystemInfoDialog::SystemInfoDialog(QWidget* parent) : CloseGuardedDialog(parent)
{
    QVBoxLayout* vboxLayout =
        SetUpDialog(this, {"SystemInfoDialogClass", Qt::ApplicationModal, QSize(525, 425), QSize(), true});
    m_infoBox = new QTextEdit(this);
    m_infoBox->setObjectName(QStringLiteral("infoBox"));
    m_infoBox->setReadOnly(true);
    vboxLayout->addWidget(m_infoBox);
    vboxLayout->addWidget(MakeSeparatorLine(this));

    auto* hboxLayout = MakeLayout<QHBoxLayout>("hboxLayout");
    m_sendData = MakeButton(this, "sendData");
    m_uploadProgress = MakeLabel(this, "uploadProgress");
    m_close = MakeButton(this, "close");
    hboxLayout->addWidget(m_sendData);
    hboxLayout->addWidget(m_uploadProgress);
    hboxLayout->addStretch();
    hboxLayout->addWidget(m_close);
    vboxLayout->addLayout(hboxLayout);

    WatchForKeySequence(m_close);
    WatchForKeySequence(m_infoBox);
    QMetaObject::connectSlotsByName(this);
    OrvoCommon::KeepTranslated(this, [this] { RetranslateUi(); });
}

void SystemInfoDialog::RetranslateUi()
{
    setWindowTitle(tr("System Information", "UR-101"));
    m_sendData->setText(tr("Send to Orvo", "UR-109"));
    UpdateButtons();
    UpdateUploadText();
}

void SystemInfoDialog::SetHtml(const QString& html)
{
    m_infoBox->setHtml(html);
}

void SystemInfoDialog::EnableSupport(bool enable)
{
    m_supportEnabled = enable;
    UpdateButtons();
}

void SystemInfoDialog::SetUploading(bool uploading)
{
    m_uploading = uploading;
    m_busy = uploading;
    SetUploadProgress(0);
    UpdateButtons();
}

void SystemInfoDialog::SetUploadProgress(int percent)
{
    m_uploadText = UploadText::Progress;
    m_uploadPercent = percent;
    UpdateUploadText();
}

void SystemInfoDialog::SetUploadCompleted()
{
    SetUploadEnded(UploadText::Completed);
}

void SystemInfoDialog::SetUploadCanceled()
{
    SetUploadEnded(UploadText::Canceled);
}

void SystemInfoDialog::SetUploadEnded(UploadText text)
{
    m_busy = false;
    UpdateButtons();
    m_uploadText = text;
    UpdateUploadText();
}

void SystemInfoDialog::UpdateUploadText()
{
    switch (m_uploadText) {
    case UploadText::Progress:
        m_uploadProgress->setText(tr("Uploading to Orvo... (%1% complete)", "UR-116").arg(m_uploadPercent));
        break;
    case UploadText::Completed:
        m_uploadProgress->setText(tr("Upload completed.", "UR-118"));
        break;
    case UploadText::Canceled:
        m_uploadProgress->setText(tr("Upload canceled.", "UR-117"));
        break;
    }
}

void SystemInfoDialog::UpdateButtons()
{
    m_sendData->setVisible(m_supportEnabled && !m_uploading);
    m_uploadProgress->setVisible(m_uploading);
    m_close->setText(m_busy ? tr("Cancel", "UR-113") : tr("Close", "UR-112"));
}

bool SystemInfoDialog::MayClose()
{
    if (!m_busy)
        return true;
    emit CancelUploadRequested();
    return false;
}

void SystemInfoDialog::on_sendData_clicked()
{
    emit UploadRequested();
}

void SystemInfoDialog::on_close_clicked()
{
    if (m_busy)
        emit CancelUploadRequested();
    else
        close();
}

} // namespace UpdatePelarin
