#pragma once

#include <QString>

class QDialog;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace UpdatePelarin {

// The widgets of a notice dialog that its class fills in.
struct NoticeWidgets
{
    QDialog* dialog;
    QLabel* headline;
    QLabel* details;
    // Right-aligned: a stretch is already in it.
    QHBoxLayout* buttonRow;

    // A button named objectName at the end of the row.
    QPushButton* AddButton(const char* objectName) const;
};

// Lays out a notice the way the error box and its relatives look, in the dialog's top layout: the
// error icon (when withIcon) beside a headline and word-wrapped details with usable links, a rule,
// and a row of buttons "hboxLayout1".
NoticeWidgets BuildNoticeLayout(QDialog* dialog, QVBoxLayout* vboxLayout, bool withIcon);

} // namespace UpdatePelarin
