#include "ui/SelectionDialog.h"

#include "ui/ConfirmationBox.h"
#include "ui/UiCommon.h"

#include <QComboBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace UpdatePelarin {

QComboBox* SelectionDialog::AddChoice(QVBoxLayout* layout, const char* objectName, const QString& okText,
                                      const QString& cancelText)
{
    auto* choice = new QComboBox(this);
    choice->setObjectName(QLatin1String(objectName));
    layout->addWidget(choice);
    layout->addStretch();
    QPushButton* ok = MakeButton(this, "ok");
    ok->setText(okText);
    ok->setDefault(true);
    QPushButton* cancel = MakeButton(this, "cancel");
    cancel->setText(cancelText);
    AddButtonRow(layout, {ok, cancel});
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    QMetaObject::connectSlotsByName(this);
    return choice;
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
