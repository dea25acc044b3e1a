#include "ui/ContactPage.h"

#include "ui/UiCommon.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace UpdatePelarin {

QLabel* ContactPage::MakeTips(const QString& text)
{
    QLabel* tips = MakeLabel(this, "tips", true);
    tips->setText(text);
    tips->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    return tips;
}

void ContactPage::LayOutInstructions(const InstructionLayout& names, const QString& steps, const QString& notice,
                                     const QString& tips)
{
    auto* pageLayout = MakeLayout<QVBoxLayout>(names.pageLayout, this);
    auto* horizontalLayout = MakeLayout<QHBoxLayout>("horizontalLayout");
    auto* textLayout = MakeLayout<QVBoxLayout>(names.textLayout);

    QLabel* connectionSteps = MakeLabel(this, "connectionSteps", true);
    connectionSteps->setText(steps);
    QLabel* noticeLabel = MakeLabel(this, "notice", true);
    noticeLabel->setText(notice);
    textLayout->addWidget(connectionSteps);
    textLayout->addStretch();
    textLayout->addWidget(noticeLabel);
    horizontalLayout->addLayout(textLayout, 1);
    horizontalLayout->addWidget(MakeIllustrationFrame(this, names.frame, names.frameLayout, names.illustration,
                                                      names.illustrationMinimum, names.illustrationMaximum));
    pageLayout->addLayout(horizontalLayout, 1);
    pageLayout->addWidget(MakeTips(tips));
    QMetaObject::connectSlotsByName(this);
}

void ContactPage::on_tips_linkActivated(const QString& link)
{
    if (link == QLatin1String(ContactLinkTarget))
        emit ContactRequested();
}

} // namespace UpdatePelarin
