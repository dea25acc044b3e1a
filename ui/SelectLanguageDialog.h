#pragma once

#include "ui/SelectionDialog.h"

#include "app/IConfiguration.h"

class QComboBox;
class QLabel;

namespace UpdatePelarin {

// Lets the user pick the interface language at start.
class SelectLanguageDialog : public SelectionDialog
{
    Q_OBJECT

public:
    explicit SelectLanguageDialog(QWidget* parent = nullptr);

    // One item per language, in list order: the display name shown, the code as its data.
    void Fill(const QList<OrvoCommon::LanguageInfo>& languages);
    // Makes the item whose code is exactly abbreviation current; nothing happens when none is.
    void SelectAbbreviation(const QString& abbreviation);
    // The code of the current item; empty when there is none.
    QString SelectedAbbreviation() const;

public slots:
    // Brings the dialog to the front, after the splash screen that was on top when it appeared.
    void ShowTimeout();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void RetranslateUi();

    QLabel* m_message;
    QComboBox* m_language;
};

} // namespace UpdatePelarin
