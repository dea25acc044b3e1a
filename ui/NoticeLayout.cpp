#include "ui/NoticeLayout.h"

#include "ui/UiCommon.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace UpdatePelarin {

namespace {
// Sets the headline off from the details, which start without a margin of their own.
constexpr int HeadlineGap = 4;
} // namespace

QPushButton* NoticeWidgets::AddButton(const char* objectName) const
{
    QPushButton* button = MakeButton(dialog, objectName);
    buttonRow->addWidget(button);
    return button;
}

NoticeWidgets BuildNoticeLayout(QDialog* dialog, QVBoxLayout* vboxLayout, bool withIcon)
{
    NoticeWidgets widgets{};
    widgets.dialog = dialog;
    auto* hboxLayout = MakeLayout<QHBoxLayout>("hboxLayout");
    auto* vboxLayout1 = MakeLayout<QVBoxLayout>("vboxLayout1");
    hboxLayout->addLayout(vboxLayout1);
    QVBoxLayout* textLayout = vboxLayout1;
    if (withIcon) {
        vboxLayout1->addWidget(MakeErrorIcon(dialog));
        vboxLayout1->addStretch();
        textLayout = MakeLayout<QVBoxLayout>("vboxLayout2");
        hboxLayout->addLayout(textLayout, 1);
    }
    widgets.headline = MakeLabel(dialog, "headline", true);
    widgets.details = MakeLabel(dialog, "details", true);
    widgets.details->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    widgets.details->setOpenExternalLinks(false);
    textLayout->addWidget(widgets.headline);
    textLayout->addSpacing(HeadlineGap);
    textLayout->addWidget(widgets.details);
    textLayout->addStretch();
    vboxLayout->addLayout(hboxLayout);

    vboxLayout->addWidget(MakeSeparatorLine(dialog));
    widgets.buttonRow = MakeLayout<QHBoxLayout>("hboxLayout1");
    widgets.buttonRow->addStretch();
    vboxLayout->addLayout(widgets.buttonRow);
    return widgets;
}

} // namespace UpdatePelarin
