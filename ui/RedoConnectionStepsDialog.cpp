#include "ui/RedoConnectionStepsDialog.h"

#include "ui/NoticeLayout.h"
#include "ui/UiCommon.h"

#include "app/EventWatch.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace UpdatePelarin {

RedoConnectionStepsDialog::RedoConnectionStepsDialog(QWidget* parent) : QDialog(parent)
{
    QVBoxLayout* vboxLayout =
        SetUpDialog(this, {"RedoConnectionStepsDialogClass", Qt::ApplicationModal, QSize(500, 135), QSize(500, 135)});
    const NoticeWidgets notice = BuildNoticeLayout(this, vboxLayout, false);
    QPushButton* ok = notice.AddButton("ok");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    OrvoCommon::KeepTranslated(this, [this, notice, ok] {
        setWindowTitle(ProgramTitle());
        notice.headline->setText(tr("Incorrect device driver installed", "UR-367"));
        notice.details->setText(tr("<p>Windows applied a different device driver than expected. You can correct "
                                   "this problem by repeating some of the steps you have performed.</p><p>Click "
                                   "\"Close\" and then follow the on-screen instructions again.",
                                   "UR-368"));
        ok->setText(tr("Close", "UR-370"));
        FitHeightToContents(this);
    });
}

} // namespace UpdatePelarin
