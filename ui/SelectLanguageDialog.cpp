#include "ui/SelectLanguageDialog.h"

#include "ui/ConfirmationBox.h"
#include "ui/UiCommon.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace UpdatePelarin {

namespace {
constexpr int RaiseDelayMs = 500;
}

SelectLanguageDialog::SelectLanguageDialog(QWidget* parent) : CloseGuardedDialog(parent)
{
    setObjectName(QStringLiteral("SelectLanguageDialogClass"));
    setModal(true);
    SetUpDialogFrame(this, tr("Select Language", "UR-007"));
    setWindowIcon(ProgramIcon());
    setFixedSize(250, 150);

    auto* vboxLayout = new QVBoxLayout(this);
    vboxLayout->setObjectName(QStringLiteral("vboxLayout"));
    QLabel* message = MakeLabel(this, "message", true);
    message->setText(tr("Select your language.", "UR-008"));
    m_language = new QComboBox(this);
    m_language->setObjectName(QStringLiteral("language"));
    vboxLayout->addWidget(message);
    vboxLayout->addWidget(m_language);
    vboxLayout->addStretch();
    QPushButton* ok = MakeButton(this, "ok");
    ok->setText(tr("OK", "UR-014"));
    ok->setDefault(true);
    QPushButton* cancel = MakeButton(this, "cancel");
    cancel->setText(tr("Cancel", "UR-016"));
    AddButtonRow(vboxLayout, {ok, cancel});
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    QMetaObject::connectSlotsByName(this);
}

void SelectLanguageDialog::Fill(const QList<OrvoCommon::LanguageInfo>& languages)
{
    for (const OrvoCommon::LanguageInfo& language : languages)
        m_language->addItem(language.displayName, language.code);
}

void SelectLanguageDialog::SelectAbbreviation(const QString& abbreviation)
{
    const int index = m_language->findData(abbreviation, Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        m_language->setCurrentIndex(index);
}

QString SelectLanguageDialog::SelectedAbbreviation() const
{
    return m_language->currentData().toString();
}

void SelectLanguageDialog::ShowTimeout()
{
    raise();
    activateWindow();
}

bool SelectLanguageDialog::MayClose()
{
    return ConfirmationBox::Confirm(ConfirmationBox::AbortApplication, this);
}

void SelectLanguageDialog::showEvent(QShowEvent* event)
{
    CloseGuardedDialog::showEvent(event);
    QTimer::singleShot(RaiseDelayMs, this, &SelectLanguageDialog::ShowTimeout);
}

void SelectLanguageDialog::on_cancel_clicked()
{
    if (ConfirmationBox::Confirm(ConfirmationBox::AbortApplication, this))
        reject();
}

} // namespace UpdatePelarin
