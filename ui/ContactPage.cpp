#include "ui/ContactPage.h"

#include "ui/UiCommon.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace UpdatePelarin {

QLabel* ContactPage::MakeTips()
{
    m_tips = MakeLabel(this, "tips", true);
    m_tips->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    return m_tips;
}

void ContactPage::SetTips(const QString& text)
{
    m_tips->setText(text);
}

void ContactPage::LayOutInstructions(const InstructionLayout& names)
{
    auto* pageLayout = MakeLayout<QVBoxLayout>(names.pageLayout, this);
    auto* horizontalLayout = MakeLayout<QHBoxLayout>("horizontalLayout");
    auto* textLayout = MakeLayout<QVBoxLayout>(names.textLayout);

    m_connectionSteps = MakeLabel(this, "connectionSteps", true);
    m_notice = MakeLabel(this, "notice", true);
    textLayout->addWidget(m_connectionSteps);
    textLayout->addStretch();
    textLayout->addWidget(m_notice);
    horizontalLayout->addLayout(textLayout, 1);
    horizontalLayout->addWidget(MakeIllustrationFrame(this, names.frame, names.frameLayout, names.illustration,
                                                      names.illustrationMinimum, names.illustrationMaximum));
    pageLayout->addLayout(horizontalLayout, 1);
    pageLayout->addWidget(MakeTips());
    QMetaObject::connectSlotsByName(this);
}

void ContactPage::SetInstructionTexts(const QString& steps, const QString& notice, const QString& tips)
{
    m_connectionSteps->setText(steps);
    m_notice->setText(notice);
    SetTips(tips);
}

void ContactPage::on_tips_linkActivated(const QString& link)
{
    if (link == QLatin1String(ContactLinkTarget))
        emit ContactRequested();
}

} // namespace UpdatePelarin
