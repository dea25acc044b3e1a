#pragma once

#include <QBoxLayout>
#include <QSize>
#include <QString>

#include <initializer_list>

class QDialog;
class QFrame;
class QIcon;
class QEvent;
class QLabel;
class QMovie;
class QObject;
class QPushButton;
class QWidget;

// Small pieces every page and dialog of the interface shares, so that the window frame, the
// program's name and the support key sequence are defined once.
namespace UpdatePelarin {

// The link target of every "contact Orvo Product Support" link.
inline constexpr char ContactLinkTarget[] = "ContactInfoDialog";

// The window title of the program, translated.
QString ProgramTitle();
// The product name as headings show it ("Orvo ZR3h <i>Bluetooth</i> Headphone Update"), translated.
QString ProductHeading();
// The program's icon in its three sizes.
QIcon ProgramIcon();

// A key press of Space with Shift and with Control or Meta: the hidden switch to support and
// selection modes. False for any other event.
bool IsPtsKeySequence(const QEvent* event);

// How a dialog is framed. A fixed dialog keeps size; any other starts at size (when valid) and
// shrinks no further than minimumSize (when valid).
struct DialogFrame
{
    const char* objectName;
    Qt::WindowModality modality;
    QSize size;
    QSize minimumSize = QSize();
    bool fixedSize = false;
};

// Gives a dialog the frame all our dialogs share: its name, modality and size, a title bar without
// system menu or close button, a fixed-size hint, and the size grip switched on but shrunk away so
// that the corner stays clean. The title is the dialog's to set with its other texts. Returns the
// dialog's top layout, "vboxLayout".
QVBoxLayout* SetUpDialog(QDialog* dialog, const DialogFrame& frame);

// A layout named objectName, set on owner when there is one.
template <class Layout>
Layout* MakeLayout(const char* objectName, QWidget* owner = nullptr)
{
    auto* layout = owner ? new Layout(owner) : new Layout;
    layout->setObjectName(QLatin1String(objectName));
    return layout;
}

// Gives a dialog whose texts wrap the height they need at its present width (never less than its
// minimum), after its texts changed.
void FitHeightToContents(QDialog* dialog);

// Moves a window to the middle of the desktop's available area.
void CenterOnDesktop(QWidget* window);

// A movie of the animation at resource, owned by owner, or null when the program was built without
// that animation: the caller then shows its label without it.
QMovie* MakeMovie(QObject* owner, const QString& resource);

// Runs a dialog made with new modally and deletes it afterwards, also when its parent went first
// and took it along. Returns the dialog's result, Rejected when it was deleted while running.
int ExecAndDelete(QDialog* dialog);

// Widgets built the way a form would: named children of parent.
QLabel* MakeLabel(QWidget* parent, const char* objectName, bool wordWrap = false);
// Keeps label's text at the start side of its layout direction. A label aligns by the script of its
// text, so a Latin device or product name would sit on the left of a right-to-left window while
// everything around it starts on the right.
void AlignToLayoutStart(QLabel* label);
QPushButton* MakeButton(QWidget* parent, const char* objectName);
// The sunken horizontal rule above a dialog's buttons, named "line".
QFrame* MakeSeparatorLine(QWidget* parent);
// Ends a dialog's layout with the rule and a right-aligned row "hboxLayout" of the buttons.
void AddButtonRow(QVBoxLayout* layout, std::initializer_list<QPushButton*> buttons);
// A label named "errorIcon" showing the error icon at 32 x 32.
QLabel* MakeErrorIcon(QWidget* parent);
// A frame holding the label "illustration" with the image at resource; the frame's layout gets
// layoutName. maximumSize is left alone when empty.
QFrame* MakeIllustrationFrame(QWidget* parent, const char* frameName, const char* layoutName, const QString& resource,
                              QSize minimumSize, QSize maximumSize = QSize());

} // namespace UpdatePelarin
