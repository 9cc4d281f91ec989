#include "app/dialogs/dialog_util.h"

#include "platform/data_exchange.h"
#include "platform/dialog_base.h"
#include "platform/dialog_service.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace brindle {

QPushButton* AddButton(platform::DialogBase& dialog, int id, std::u16string_view text)
{
    auto* button = new QPushButton(ToQString(text), &dialog);
    button->setAutoDefault(false);
    if (id == platform::kIdOk)
        button->setDefault(true);
    dialog.AddControl(id, button);
    return button;
}

QLayout* OkCancelRow(platform::DialogBase& dialog, std::u16string_view okText)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(AddButton(dialog, platform::kIdOk, okText));
    row->addWidget(AddButton(dialog, platform::kIdCancel, kTextCancel));
    return row;
}

void ExchangeBarNumber(platform::DataExchange& dx, int id, int& value, int minimum)
{
    dx.Int(id, value);
    dx.MinMaxInt(value, minimum, kMaxBarNumber);
}

}  // namespace brindle
