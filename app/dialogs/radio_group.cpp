#include "app/dialogs/radio_group.h"

#include "platform/data_exchange.h"
#include "platform/dialog_base.h"

namespace brindle {

void RadioGroup::Exchange(platform::DataExchange& dx, int& value) const
{
    if (dx.Failed())
        return;
    if (dx.SaveAndValidate())
        value = Checked(dx.Dialog());
    else
        Check(dx.Dialog(), value);
}

int RadioGroup::Checked(const platform::DialogBase& dialog) const
{
    for (std::size_t i = 0; i < ids_.size(); ++i)
        if (dialog.IsDlgButtonChecked(ids_[i]))
            return static_cast<int>(i);
    return -1;
}

void RadioGroup::Check(platform::DialogBase& dialog, int value) const
{
    for (std::size_t i = 0; i < ids_.size(); ++i)
        dialog.CheckDlgButton(ids_[i], static_cast<int>(i) == value ? 1 : 0);
}

}  // namespace brindle
