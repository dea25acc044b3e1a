#include "ui/UploadFailureDialog.h"

#include "ui/NoticeLayout.h"
#include "ui/UiCommon.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace UpdatePelarin {

UploadFailureDialog::UploadFailureDialog(QWidget* parent) : QDialog(parent)
{
    QVBoxLayout* vboxLayout =
        SetUpDialog(this, {"UploadFailureDialogClass", Qt::ApplicationModal, QSize(500, 150), QSize(500, 150)});
    const NoticeWidgets notice = BuildNoticeLayout(this, vboxLayout, true);
    notice.headline->setText(
        QStringLiteral("<font size=\"+1\">%1</font>").arg(tr("Orvo did not receive the information", "UR-142")));
    notice.details->setText(tr("There was a problem sending your information to Orvo. Ask your Orvo Product Support "
                               "representative for further instructions.",
                               "UR-143"));
    connect(notice.AddButton("close", tr("Close", "UR-145")), &QPushButton::clicked, this, &QDialog::accept);
    FitHeightToContents(this);
}

} // namespace UpdatePelarin
