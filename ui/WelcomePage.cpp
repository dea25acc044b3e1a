#include "ui/WelcomePage.h"

#include "ui/UiCommon.h"

#include "app/EventWatch.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QTextEdit>
#include <QVBoxLayout>

namespace UpdatePelarin {

WelcomePage::WelcomePage(QWidget* parent) : QWizardPage(parent)
{
    setObjectName(QStringLiteral("WelcomePageClass"));
    auto* vboxLayout = MakeLayout<QVBoxLayout>("vboxLayout", this);
    m_message = MakeLabel(this, "message", true);
    m_eulaBox = new QTextEdit(this);
    m_eulaBox->setObjectName(QStringLiteral("eulaBox"));
    m_eulaBox->setReadOnly(true);
    m_acceptance = new QCheckBox(this);
    m_acceptance->setObjectName(QStringLiteral("acceptance"));
    vboxLayout->addWidget(m_message);
    vboxLayout->addWidget(m_eulaBox);
    vboxLayout->addWidget(m_acceptance);

    registerField(QStringLiteral("acceptance*"), m_acceptance);

    for (QWidget* widget :
         {static_cast<QWidget*>(m_message), static_cast<QWidget*>(m_eulaBox), static_cast<QWidget*>(m_acceptance)})
        widget->installEventFilter(this);
    QMetaObject::connectSlotsByName(this);
    OrvoCommon::KeepTranslated(this, [this] { RetranslateUi(); });
}

void WelcomePage::RetranslateUi()
{
    setTitle(tr("Welcome to %1", "UR-058").arg(ProductHeading()));
    m_message->setText(tr("Review the following license agreement:", "UR-053"));
    m_acceptance->setText(tr("I accept the terms of the license agreement.", "UR-056"));
}

void WelcomePage::SetLicenseText(const QString& text)
{
    m_eulaBox->setText(text);
}

void WelcomePage::keyPressEvent(QKeyEvent* event)
{
    if (IsPtsKeySequence(event))
        emit PtsKeySequenceEntered();
    QWizardPage::keyPressEvent(event);
}

bool WelcomePage::eventFilter(QObject* watched, QEvent* event)
{
    if (isVisible() && IsPtsKeySequence(event)) {
        emit PtsKeySequenceEntered();
        return true;
    }
    return QWizardPage::eventFilter(watched, event);
}

} // namespace UpdatePelarin
