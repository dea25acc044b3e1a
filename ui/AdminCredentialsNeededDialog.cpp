#include "ui/AdminCredentialsNeededDialog.h"

#include "ui/NoticeLayout.h"
#include "ui/UiCommon.h"

#include "app/EventWatch.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace UpdatePelarin {

AdminCredentialsNeededDialog::AdminCredentialsNeededDialog(QWidget* parent) : QDialog(parent)
{
    QVBoxLayout* vboxLayout = SetUpDialog(
        this, {"AdminCredentialsNeededDialogClass", Qt::ApplicationModal, QSize(500, 135), QSize(500, 135)});
    const NoticeWidgets notice = BuildNoticeLayout(this, vboxLayout, true);
    QPushButton* exit = notice.AddButton("exit");
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    QMetaObject::connectSlotsByName(this);
    OrvoCommon::KeepTranslated(this, [this, notice, exit] {
        setWindowTitle(ProgramTitle());
        notice.headline->setText(tr("<font size=\"+1\">Administrator permissions are required</font>", "UR-254"));
        notice.details->setText(
            tr("<p>This program must be run on a Windows account with Administrator privileges.  Please log out of "
               "Windows, log in using a Windows Administrator user account, and then run this program again.</p><p>If "
               "the problem persists, <a href=\"ContactInfoDialog\">contact Orvo Product Support</a>.</p>",
               "UR-255"));
        exit->setText(tr("Exit", "UR-257"));
        FitHeightToContents(this);
    });
}

void AdminCredentialsNeededDialog::on_details_linkActivated(const QString& link)
{
    if (link == QLatin1String(ContactLinkTarget))
        emit ContactRequested();
}

} // namespace UpdatePelarin
