#pragma once

#include <QWizardPage>

class QCheckBox;
class QLabel;
class QTextEdit;

namespace UpdatePelarin {

// The first page: the licence agreement and its acceptance, a mandatory field, so Next is enabled
// only while "acceptance" is checked. The support key sequence typed here switches on selection
// mode.
class WelcomePage : public QWizardPage
{
    Q_OBJECT

public:
    explicit WelcomePage(QWidget* parent = nullptr);

    void SetLicenseText(const QString& text);

signals:
    void PtsKeySequenceEntered();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RetranslateUi();

    QLabel* m_message;
    QTextEdit* m_eulaBox;
    QCheckBox* m_acceptance;
};

} // namespace UpdatePelarin
