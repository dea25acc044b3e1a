#include "ui/ConfirmationBox.h"

#include "ui/UiCommon.h"

#include "app/EventWatch.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace UpdatePelarin {

namespace {

constexpr QSize MinimumSize(510, 115);
constexpr int ButtonMinimumWidth = 55;

struct SourceText
{
    const char* source;
    const char* comment;
};

// The comments are the catalogue's names for the texts.
struct KindTexts
{
    SourceText headline;
    SourceText question;
};

constexpr KindTexts Texts[ConfirmationBox::KindCount] = {
    {QT_TRANSLATE_NOOP3("ConfirmationHeadline", "This application has not finished", "UR-193 - CONFIRM_ABORT_HEADLINE"),
     QT_TRANSLATE_NOOP3("ConfirmationQuestions", "Are you sure you want to exit?", "UR-194 - CONFIRM_ABORT_QUESTION")},
    {QT_TRANSLATE_NOOP3("ConfirmationHeadline", "The data upload is not yet complete",
                        "UR-120 - CONFIRM_CANCEL_UPLOAD_HEADLINE"),
     QT_TRANSLATE_NOOP3("ConfirmationQuestions", "Are you sure you want to cancel the upload?",
                        "UR-121 - CONFIRM_CANCEL_UPLOAD_QUESTION")},
    {QT_TRANSLATE_NOOP3("ConfirmationHeadline", "Selection mode will be enabled",
                        "UR-313 - CONFIRM_DOWNGRADE_HEADLINE"),
     QT_TRANSLATE_NOOP3("ConfirmationQuestions", "Are you sure you want to enable selection mode?",
                        "UR-314 - CONFIRM_DOWNGRADE_QUESTION")},
    {QT_TRANSLATE_NOOP3("ConfirmationHeadline", "Orvo Product Support may be able to help you",
                        "UR-170 - CONFIRM_ERROR_EXIT_HEADLINE"),
     QT_TRANSLATE_NOOP3("ConfirmationQuestions",
                        "<p>If you have not already contacted Orvo Product Support, you may want to do so before "
                        "exiting this application. They may be able to help you correct the error that has "
                        "occurred.</p><p>Are you sure you want to exit?</p>",
                        "UR-171 - CONFIRM_ERROR_EXIT_QUESTION")},
};

} // namespace

ConfirmationBox::ConfirmationBox(QWidget* parent) : QDialog(parent)
{
    QVBoxLayout* vboxLayout =
        SetUpDialog(this, {"ConfirmationBoxClass", Qt::ApplicationModal, MinimumSize, MinimumSize});
    m_headline = MakeLabel(this, "headline", true);
    m_question = MakeLabel(this, "question", true);
    vboxLayout->addWidget(m_headline);
    vboxLayout->addWidget(m_question);
    vboxLayout->addStretch();
    m_yes = MakeButton(this, "yes");
    m_no = MakeButton(this, "no");
    for (QPushButton* button : {m_yes, m_no})
        button->setMinimumWidth(ButtonMinimumWidth);
    AddButtonRow(vboxLayout, {m_yes, m_no});

    connect(m_yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_no, &QPushButton::clicked, this, &QDialog::reject);
    OrvoCommon::KeepTranslated(this, [this] { RetranslateUi(); });
}

void ConfirmationBox::RetranslateUi()
{
    setWindowTitle(ProgramTitle());
    m_yes->setText(tr("Yes", "UR-173"));
    m_no->setText(tr("No", "UR-175"));
    if (m_kind < 0)
        return;
    const KindTexts& texts = Texts[m_kind];
    m_headline->setText(
        QStringLiteral("<font size=\"+1\">%1</font>")
            .arg(QCoreApplication::translate("ConfirmationHeadline", texts.headline.source, texts.headline.comment)));
    m_question->setText(
        QCoreApplication::translate("ConfirmationQuestions", texts.question.source, texts.question.comment));
    FitHeightToContents(this);
}

void ConfirmationBox::SetKind(int kind)
{
    if (kind < 0 || kind >= KindCount)
        return;
    m_kind = kind;
    RetranslateUi();
}

bool ConfirmationBox::Confirm(Kind kind, QWidget* parent)
{
    auto* box = new ConfirmationBox(parent);
    box->SetKind(kind);
    return ExecAndDelete(box) == QDialog::Accepted;
}

} // namespace UpdatePelarin
