#include "ui/SelectLanguageDialog.h"

#include "ui/UiCommon.h"

#include "app/EventWatch.h"

#include <QComboBox>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace UpdatePelarin {

namespace {
constexpr int RaiseDelayMs = 500;
}

SelectLanguageDialog::SelectLanguageDialog(QWidget* parent) : SelectionDialog(parent)
{
    QVBoxLayout* vboxLayout =
        SetUpDialog(this, {"SelectLanguageDialogClass", Qt::ApplicationModal, QSize(250, 150), QSize(), true});
    setWindowIcon(ProgramIcon());
    m_message = MakeLabel(this, "message", true);
    vboxLayout->addWidget(m_message);
    m_language = AddChoice(vboxLayout, "language");
    OrvoCommon::KeepTranslated(this, [this] { RetranslateUi(); });
}

void SelectLanguageDialog::RetranslateUi()
{
    setWindowTitle(tr("Select Language", "UR-007"));
    m_message->setText(tr("Select your language.", "UR-008"));
    SetButtonTexts(tr("OK", "UR-014"), tr("Cancel", "UR-016"));
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

void SelectLanguageDialog::showEvent(QShowEvent* event)
{
    SelectionDialog::showEvent(event);
    QTimer::singleShot(RaiseDelayMs, this, &SelectLanguageDialog::ShowTimeout);
}

} // namespace UpdatePelarin
