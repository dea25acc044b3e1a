#include "ui/CloseGuardedDialog.h"

#include "ui/UiCommon.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace UpdatePelarin {

void CloseGuardedDialog::WatchForKeySequence(QWidget* child)
{
    child->installEventFilter(this);
}

bool CloseGuardedDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (IsPtsKeySequence(event)) {
        emit PtsKeySequenceEntered();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CloseGuardedDialog::keyPressEvent(QKeyEvent* event)
{
    if (IsPtsKeySequence(event)) {
        emit PtsKeySequenceEntered();
        return;
    }
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CloseGuardedDialog::closeEvent(QCloseEvent* event)
{
    if (MayClose())
        QDialog::closeEvent(event);
    else
        event->ignore();
}

} // namespace UpdatePelarin
