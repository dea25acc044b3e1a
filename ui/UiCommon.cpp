#include "ui/UiCommon.h"

#include "app/EventWatch.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMovie>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSizeGrip>
#include <QVBoxLayout>

namespace UpdatePelarin {

namespace {
// Room the illustration frame leaves around its picture.
constexpr QSize IllustrationFrameMinimum(194, 258);
constexpr int ErrorIconSide = 32;
} // namespace

QString ProgramTitle()
{
    return QCoreApplication::translate("UpdatePelarin", "Orvo ZR3h BLUETOOTH® Headphone Update");
}

QString ProductHeading()
{
    return QCoreApplication::translate("UpdatePelarin", "Orvo ZR3h <i>Bluetooth</i> Headphone Update");
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (const char* name : {":/ui/icon_16", ":/ui/icon_32", ":/ui/icon_128"})
        icon.addFile(QLatin1String(name));
    return icon;
}

bool IsPtsKeySequence(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers();
    return key->key() == Qt::Key_Space && (modifiers & Qt::ShiftModifier) &&
           (modifiers & (Qt::ControlModifier | Qt::MetaModifier));
}

QVBoxLayout* SetUpDialog(QDialog* dialog, const DialogFrame& frame)
{
    dialog->setObjectName(QLatin1String(frame.objectName));
    dialog->setWindowModality(frame.modality);
    if (frame.fixedSize) {
        dialog->setFixedSize(frame.size);
    } else {
        if (frame.minimumSize.isValid())
            dialog->setMinimumSize(frame.minimumSize);
        if (frame.size.isValid())
            dialog->resize(frame.size);
    }
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::CustomizeWindowHint);
    dialog->setSizeGripEnabled(true);
    if (QSizeGrip* grip = dialog->findChild<QSizeGrip*>())
        grip->setFixedSize(0, 0);
    return MakeLayout<QVBoxLayout>("vboxLayout", dialog);
}

void FitHeightToContents(QDialog* dialog)
{
    dialog->ensurePolished();
    QLayout* layout = dialog->layout();
    layout->activate();
    const int width = qMax(dialog->width(), layout->totalMinimumSize().width());
    const int height =
        layout->hasHeightForWidth() ? layout->totalHeightForWidth(width) : layout->totalSizeHint().height();
    dialog->resize(width, qMax(height, dialog->minimumHeight()));
}

void CenterOnDesktop(QWidget* window)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

QMovie* MakeMovie(QObject* owner, const QString& resource)
{
    if (!QFile::exists(resource))
        return nullptr;
    return new QMovie(resource, QByteArray(), owner);
}

int ExecAndDelete(QDialog* dialog)
{
    QPointer<QDialog> guard(dialog);
    const int result = dialog->exec();
    delete guard.data();
    return result;
}

QLabel* MakeLabel(QWidget* parent, const char* objectName, bool wordWrap)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(objectName));
    label->setWordWrap(wordWrap);
    return label;
}

void AlignToLayoutStart(QLabel* label)
{
    const auto align = [label] {
        const Qt::Alignment start = label->layoutDirection() == Qt::RightToLeft ? Qt::AlignRight : Qt::AlignLeft;
        label->setAlignment(start | Qt::AlignAbsolute | (label->alignment() & Qt::AlignVertical_Mask));
    };
    align();
    OrvoCommon::WatchEvent(label, QEvent::LayoutDirectionChange, align);
}

QPushButton* MakeButton(QWidget* parent, const char* objectName)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(QLatin1String(objectName));
    return button;
}

QFrame* MakeSeparatorLine(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setObjectName(QStringLiteral("line"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

void AddButtonRow(QVBoxLayout* layout, std::initializer_list<QPushButton*> buttons)
{
    layout->addWidget(MakeSeparatorLine(layout->parentWidget()));
    auto* row = MakeLayout<QHBoxLayout>("hboxLayout");
    row->addStretch();
    for (QPushButton* button : buttons)
        row->addWidget(button);
    layout->addLayout(row);
}

QLabel* MakeErrorIcon(QWidget* parent)
{
    QLabel* icon = MakeLabel(parent, "errorIcon");
    icon->setFixedSize(ErrorIconSide, ErrorIconSide);
    icon->setPixmap(QIcon(QStringLiteral(":/ui/img_error_icon")).pixmap(ErrorIconSide, ErrorIconSide));
    return icon;
}

QFrame* MakeIllustrationFrame(QWidget* parent, const char* frameName, const char* layoutName, const QString& resource,
                              QSize minimumSize, QSize maximumSize)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(frameName));
    frame->setMinimumSize(IllustrationFrameMinimum);
    frame->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto* layout = MakeLayout<QVBoxLayout>(layoutName, frame);
    layout->setContentsMargins(1, 1, 1, 1);
    QLabel* illustration = MakeLabel(frame, "illustration");
    illustration->setMinimumSize(minimumSize);
    if (maximumSize.isValid())
        illustration->setMaximumSize(maximumSize);
    illustration->setAlignment(Qt::AlignCenter);
    illustration->setPixmap(QPixmap(resource));
    layout->addWidget(illustration);
    layout->addStretch();
    return frame;
}

} // namespace UpdatePelarin
