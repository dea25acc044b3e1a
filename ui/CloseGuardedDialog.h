#pragma once

#include <QDialog>

namespace UpdatePelarin {

// A dialog that may refuse to close. Escape goes through close() instead of straight to reject(),
// so Escape, the window system's close request and code calling close() all meet MayClose(); an
// allowed close rejects the dialog. It also reports the support key sequence typed in it or in the
// children it watches, and keeps that key press from them.
class CloseGuardedDialog : public QDialog
{
    Q_OBJECT

public:
    using QDialog::QDialog;

signals:
    void PtsKeySequenceEntered();

protected:
    // Asked on every close request; may ask the user.
    virtual bool MayClose() = 0;
    void WatchForKeySequence(QWidget* child);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

} // namespace UpdatePelarin
