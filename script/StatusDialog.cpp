#include "script/StatusDialog.h"

#include "app/EventWatch.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace UpdatePelarin {

namespace {

constexpr int Width = 278;
constexpr int Height = 290;
constexpr int MinimumHeight = 89;

} // namespace

StatusDialog::StatusDialog(QWidget* parent)
    : QDialog(parent), m_log(new QTextEdit(this)), m_cancel(new QPushButton(this))
{
    // The catalogue files these texts under the form's name rather than the class's.
    setObjectName(QStringLiteral("StatusDialogClass"));
    setModal(false);
    resize(Width, Height);
    setMinimumSize(Width, MinimumHeight);

    auto* label = new QLabel(this);
    label->setWordWrap(true);
    m_log->setReadOnly(true);
    m_log->setObjectName(QStringLiteral("logText"));
    m_cancel->setObjectName(QStringLiteral("cancelButton"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_log);
    layout->addWidget(m_cancel);

    connect(m_cancel, &QPushButton::clicked, this, &StatusDialog::CancelRequested);
    OrvoCommon::KeepTranslated(this, [this, label] {
        setWindowTitle(QCoreApplication::translate("StatusDialogClass", "Script Running"));
        label->setText(
            QCoreApplication::translate("StatusDialogClass", "Script in progress. Click \"Cancel\" to stop."));
        m_cancel->setText(QCoreApplication::translate("StatusDialogClass", "Cancel"));
    });
}

void StatusDialog::LogInformation(const QString& message)
{
    m_log->append(message);
}

} // namespace UpdatePelarin
