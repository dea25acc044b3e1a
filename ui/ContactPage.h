#pragma once

#include <QWizardPage>

class QLabel;

namespace UpdatePelarin {

// A wizard page whose "tips" label offers the "contact Orvo Product Support" link. The wizard
// connects ContactRequested() to its contact-information slot.
class ContactPage : public QWizardPage
{
    Q_OBJECT

public:
    using QWizardPage::QWizardPage;

signals:
    void ContactRequested();

protected:
    // The "tips" label; its text comes from the page (each page has its own id), through SetTips.
    QLabel* MakeTips();
    void SetTips(const QString& text);

    // How the connect and prepare pages name the parts of their common layout.
    struct InstructionLayout
    {
        const char* pageLayout;
        const char* textLayout;
        const char* frame;
        const char* frameLayout;
        QString illustration;
        QSize illustrationMinimum;
        QSize illustrationMaximum;
    };
    // Steps in "connectionSteps" above "notice" on the left, the illustration on the right, the
    // tips below.
    void LayOutInstructions(const InstructionLayout& names);
    void SetInstructionTexts(const QString& steps, const QString& notice, const QString& tips);

protected slots:
    void on_tips_linkActivated(const QString& link);

private:
    QLabel* m_tips = nullptr;
    QLabel* m_connectionSteps = nullptr;
    QLabel* m_notice = nullptr;
};

} // namespace UpdatePelarin
