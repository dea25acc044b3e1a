#include "ui/SelectionDialog.h"

#include "ui/ConfirmationBox.h"
#include "ui/UiCommon.h"

#include <QComboBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace UpdatePelarin {

QComboBox* SelectionDialog::AddChoice(QVBoxLayout* layout, const char* objectName)
{
    auto* choice = new QComboBox(this);
    choice->setObjectName(QLatin1String(objectName));
    layout->addWidget(choice);
    layout->addStretch();
    m_ok = MakeButton(this, "ok");
    m_ok->setDefault(true);
    m_cancel = MakeButton(this, "cancel");
    AddButtonRow(layout, {m_ok, m_cancel});
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    QMetaObject::connectSlotsByName(this);
    return choice;
}

void SelectionDialog::SetButtonTexts(const QString& okText, const QString& cancelText)
{
    m_ok->setText(okText);
    m_cancel->setText(cancelText);
}

bool SelectionDialog::MayClose()
{
    return ConfirmationBox::Confirm(ConfirmationBox::AbortApplication, this);
}

void SelectionDialog::on_cancel_clicked()
{
    if (MayClose())
        reject();
}

} // namespace UpdatePelarin
