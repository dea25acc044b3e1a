#include "ui/InstallDriverPage.h"

#include "ui/UiCommon.h"

#include "app/EventWatch.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <QVBoxLayout>

namespace UpdatePelarin {

namespace {
constexpr int IndicatorSide = 40;
// The indicator shows a blank rather than nothing, like the form it comes from.
constexpr char Blank[] = " ";
} // namespace

InstallDriverPage::InstallDriverPage(QWidget* parent) : ContactPage(parent)
{
    setObjectName(QStringLiteral("InstallDriverPageClass"));
    auto* verticalLayout_3 = MakeLayout<QVBoxLayout>("verticalLayout_3", this);
    auto* horizontalLayout = MakeLayout<QHBoxLayout>("horizontalLayout");
    auto* verticalLayout_2 = MakeLayout<QVBoxLayout>("verticalLayout_2");
    auto* rightVerticalLayout = MakeLayout<QVBoxLayout>("rightVerticalLayout");
    auto* horizontalLayout_4 = MakeLayout<QHBoxLayout>("horizontalLayout_4");
    auto* horizontalLayout_3 = MakeLayout<QHBoxLayout>("horizontalLayout_3");
    auto* verticalLayout = MakeLayout<QVBoxLayout>("verticalLayout");

    m_instructions = MakeLabel(this, "instructions", true);
    m_install = MakeButton(this, "install");
    m_indicator = MakeLabel(this, "indicator");
    m_indicator->setMinimumSize(IndicatorSide, IndicatorSide);
    m_indicator->setMaximumHeight(IndicatorSide);
    m_indicator->setAlignment(Qt::AlignCenter);
    m_notice = MakeLabel(this, "notice", true);
    m_notice->hide();
    QLabel* tips = MakeTips();

    horizontalLayout_4->addWidget(m_install);
    horizontalLayout_4->addWidget(m_indicator);
    horizontalLayout_4->addStretch();
    horizontalLayout_3->addWidget(m_notice);
    verticalLayout_2->addWidget(m_instructions);
    verticalLayout_2->addLayout(horizontalLayout_4);
    verticalLayout_2->addLayout(horizontalLayout_3);
    verticalLayout_2->addStretch();
    rightVerticalLayout->addStretch();
    horizontalLayout->addLayout(verticalLayout_2, 1);
    horizontalLayout->addLayout(rightVerticalLayout);
    verticalLayout->addWidget(tips);
    verticalLayout_3->addLayout(horizontalLayout, 1);
    verticalLayout_3->addLayout(verticalLayout);

    m_movie = MakeMovie(this, QStringLiteral(":/ui/anim_driver_install_wait"));
    connect(m_install, &QPushButton::clicked, this, &InstallDriverPage::OnInstallDriverClicked);
    QMetaObject::connectSlotsByName(this);
    OrvoCommon::KeepTranslated(this, [this] { RetranslateUi(); });
    SetState(Initial);
}

void InstallDriverPage::RetranslateUi()
{
    setTitle(tr("Install the device driver", "UR-275"));
    m_instructions->setText(
        tr("<qt>Perform the following steps to install a device driver on your computer.<ol><li>If the device is "
           "already connected to your computer, disconnect it now.</li><li>Click the \"Install Driver\" button on "
           "this page.</li><li>Respond to any operating system prompts that appear. This will allow the driver to "
           "be installed.</li><li>Wait a few moments for the driver installation to complete.</li></ol></qt>",
           "UR-262"));
    m_install->setText(tr("Install Driver", "UR-333"));
    m_notice->setText(tr("Success! Click \"Next\" to continue.", "UR-272"));
    SetTips(
        tr("<qt>If you encounter any problems, <a href=\"ContactInfoDialog\">contact Orvo Product Support</a>.</qt>",
           "UR-274"));
}

void InstallDriverPage::SetState(int state)
{
    if (state < Initial || state > Failed)
        state = Failed;
    m_install->setEnabled(state == Initial);
    if (m_movie && state != Installing)
        m_movie->stop();
    switch (state) {
    case Installing:
        if (m_movie) {
            m_indicator->setMovie(m_movie);
            m_movie->start();
        } else {
            m_indicator->setText(QLatin1String(Blank));
        }
        break;
    case Installed:
        m_indicator->setPixmap(
            QPixmap(QStringLiteral(":/ui/img_driver_install_complete"))
                .scaled(IndicatorSide, IndicatorSide, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        break;
    default:
        m_indicator->setText(QLatin1String(Blank));
        break;
    }
    m_notice->setVisible(state == Installed);
    m_complete = state == Installed;
    emit completeChanged();
}

bool InstallDriverPage::isComplete() const
{
    return m_complete;
}

void InstallDriverPage::OnInstallDriverClicked()
{
    emit InstallDriverRequested();
}

} // namespace UpdatePelarin
