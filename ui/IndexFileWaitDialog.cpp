#include "ui/IndexFileWaitDialog.h"

#include "ui/UiCommon.h"

#include "app/EventWatch.h"

#include <QLabel>
#include <QMovie>
#include <QVBoxLayout>

namespace UpdatePelarin {

namespace {
constexpr int AnimationMinimumHeight = 75;
}

IndexFileWaitDialog::IndexFileWaitDialog(QWidget* parent) : QDialog(parent)
{
    // Its owner shows it beside the start-up without blocking it.
    QVBoxLayout* vboxLayout = SetUpDialog(this, {"IndexFileWaitDialogClass", Qt::NonModal, QSize(490, 138)});
    QLabel* note = MakeLabel(this, "note", true);
    note->setAlignment(Qt::AlignCenter);
    QLabel* animation = MakeLabel(this, "animation");
    animation->setMinimumHeight(AnimationMinimumHeight);
    animation->setAlignment(Qt::AlignCenter);
    vboxLayout->addWidget(note);
    vboxLayout->addWidget(animation);

    m_movie = MakeMovie(this, QStringLiteral(":/ui/anim_index_file_wait"));
    if (m_movie) {
        animation->setMovie(m_movie);
        m_movie->start();
    }
    OrvoCommon::KeepTranslated(this, [this, note] {
        setWindowTitle(ProgramTitle());
        note->setText(tr("Please wait. Retrieving update information...", "UR-020"));
    });
    CenterOnDesktop(this);
}

} // namespace UpdatePelarin
