#include "ui/NoticeLayout.h"

#include "ui/UiCommon.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace UpdatePelarin {

NoticeWidgets BuildNoticeLayout(QDialog* dialog, bool withIcon)
{
    NoticeWidgets widgets{};
    auto* vboxLayout = new QVBoxLayout(dialog);
    vboxLayout->setObjectName(QStringLiteral("vboxLayout"));

    auto* hboxLayout = new QHBoxLayout;
    hboxLayout->setObjectName(QStringLiteral("hboxLayout"));
    auto* vboxLayout1 = new QVBoxLayout;
    vboxLayout1->setObjectName(QStringLiteral("vboxLayout1"));
    hboxLayout->addLayout(vboxLayout1);
    QVBoxLayout* textLayout = vboxLayout1;
    if (withIcon) {
        vboxLayout1->addWidget(MakeErrorIcon(dialog));
        vboxLayout1->addStretch();
        auto* vboxLayout2 = new QVBoxLayout;
        vboxLayout2->setObjectName(QStringLiteral("vboxLayout2"));
        hboxLayout->addLayout(vboxLayout2, 1);
        textLayout = vboxLayout2;
    }
    widgets.headline = MakeLabel(dialog, "headline", true);
    widgets.details = MakeLabel(dialog, "details", true);
    widgets.details->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    widgets.details->setOpenExternalLinks(false);
    textLayout->addWidget(widgets.headline);
    textLayout->addWidget(widgets.details);
    textLayout->addStretch();
    vboxLayout->addLayout(hboxLayout);

    vboxLayout->addWidget(MakeSeparatorLine(dialog));
    widgets.buttonRow = new QHBoxLayout;
    widgets.buttonRow->setObjectName(QStringLiteral("hboxLayout1"));
    widgets.buttonRow->addStretch();
    vboxLayout->addLayout(widgets.buttonRow);
    return widgets;
}

} // namespace UpdatePelarin
