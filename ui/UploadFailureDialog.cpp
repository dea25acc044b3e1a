#include "ui/UploadFailureDialog.h"

#include "ui/NoticeLayout.h"
#include "ui/UiCommon.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace UpdatePelarin {

UploadFailureDialog::UploadFailureDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("UploadFailureDialogClass"));
    setModal(true);
    SetUpDialogFrame(this);
    setMinimumSize(500, 150);
    resize(minimumSize());

    const NoticeWidgets notice = BuildNoticeLayout(this, true);
    notice.headline->setText(
        QStringLiteral("<font size=\"+1\">%1</font>").arg(tr("Orvo did not receive the information", "UR-142")));
    notice.details->setText(tr("There was a problem sending your information to Orvo. Ask your Orvo Product Support "
                               "representative for further instructions.",
                               "UR-143"));
    QPushButton* close = MakeButton(this, "close");
    close->setText(tr("Close", "UR-145"));
    notice.buttonRow->addWidget(close);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    FitHeightToContents(this);
}

} // namespace UpdatePelarin
