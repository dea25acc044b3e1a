#pragma once

class QDialog;
class QHBoxLayout;
class QLabel;

namespace UpdatePelarin {

// The widgets of a notice dialog that its class fills in.
struct NoticeWidgets
{
    QLabel* headline;
    QLabel* details;
    // Right-aligned: a stretch is already in it, buttons go after.
    QHBoxLayout* buttonRow;
};

// Lays out a notice the way the error box and its relatives look: the error icon (when withIcon)
// beside a headline and word-wrapped details with usable links, a rule, and a row of buttons.
NoticeWidgets BuildNoticeLayout(QDialog* dialog, bool withIcon);

} // namespace UpdatePelarin
