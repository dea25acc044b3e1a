#include "ui/UploadFailureDialog.h"

#include "ui/NoticeLayout.h"
#include "ui/UiCommon.h"

#include "app/EventWatch.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace UpdatePelarin {

UploadFailureDialog::UploadFailureDialog(QWidget* parent) : QDialog(parent)
{
    QVBoxLayout* vboxLayout =
        SetUpDialog(this, {"UploadFailureDialogClass", Qt::ApplicationModal, QSize(500, 150), QSize(500, 150)});
    const NoticeWidgets notice = BuildNoticeLayout(this, vboxLayout, true);
    QPushButton* close = notice.AddButton("close");
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    OrvoCommon::KeepTranslated(this, [this, notice, close] {
        setWindowTitle(ProgramTitle());
        notice.headline->setText(
            QStringLiteral("<font size=\"+1\">%1</font>").arg(tr("Orvo did not receive the information", "UR-142")));
        notice.details->setText(tr("There was a problem sending your information to Orvo. Ask your Orvo Product "
                                   "Support representative for further instructions.",
                                   "UR-143"));
        close->setText(tr("Close", "UR-145"));
        FitHeightToContents(this);
    });
}

} // namespace UpdatePelarin
