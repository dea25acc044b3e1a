#include "script/StatusDialog.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace UpdatePelarin {

namespace {

constexpr char Context[] = "StatusDialogClass";
constexpr int Width = 278;
constexpr int Height = 290;
constexpr int MinimumHeight = 89;

} // namespace

StatusDialog::StatusDialog(QWidget* parent)
    : QDialog(parent), m_log(new QTextEdit(this)),
      m_cancel(new QPushButton(QCoreApplication::translate(Context, "Cancel"), this))
{
    setObjectName(QLatin1String(Context));
    setWindowTitle(QCoreApplication::translate(Context, "Script Running"));
    setModal(false);
    resize(Width, Height);
    setMinimumSize(Width, MinimumHeight);

    auto* label =
        new QLabel(QCoreApplication::translate(Context, "Script in progress. Click \"Cancel\" to stop."), this);
    label->setWordWrap(true);
    m_log->setReadOnly(true);
    m_log->setObjectName(QStringLiteral("logText"));
    m_cancel->setObjectName(QStringLiteral("cancelButton"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_log);
    layout->addWidget(m_cancel);

    connect(m_cancel, &QPushButton::clicked, this, &StatusDialog::CancelRequested);
}

void StatusDialog::LogInformation(const QString& message)
{
    m_log->append(message);
}

} // namespace UpdatePelarin
