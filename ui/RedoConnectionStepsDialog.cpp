#include "ui/RedoConnectionStepsDialog.h"

#include "ui/NoticeLayout.h"
#include "ui/UiCommon.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace UpdatePelarin {

RedoConnectionStepsDialog::RedoConnectionStepsDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("RedoConnectionStepsDialogClass"));
    setWindowModality(Qt::ApplicationModal);
    SetUpDialogFrame(this);
    setMinimumSize(500, 135);
    resize(minimumSize());

    const NoticeWidgets notice = BuildNoticeLayout(this, false);
    notice.headline->setText(tr("Incorrect device driver installed", "UR-367"));
    notice.details->setText(tr("<p>Windows applied a different device driver than expected. You can correct this "
                               "problem by repeating some of the steps you have performed.</p><p>Click \"Close\" and "
                               "then follow the on-screen instructions again.",
                               "UR-368"));
    QPushButton* ok = MakeButton(this, "ok");
    ok->setText(tr("Close", "UR-370"));
    notice.buttonRow->addWidget(ok);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    FitHeightToContents(this);
}

} // namespace UpdatePelarin
