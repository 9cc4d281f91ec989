#include "app/dialogs/dialog_util.h"

#include "app/shell/app_directory.h"
#include "platform/data_exchange.h"
#include "platform/dialog_base.h"
#include "platform/dialog_service.h"

#include <QHBoxLayout>
#include <QPushButton>

#include <memory>

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

std::u16string DefaultDataFolder() { return GetAppDirectory(); }

std::u16string NamedSettingsPath(const std::u16string& folder,
                                 std::u16string (SystemInfoSection::*getter)() const)
{
    if (folder.empty())
        return {};
    const SystemInfoSection info(std::make_shared<ProfileFile>(folder + std::u16string(kMainSettingsFileName)));
    const std::u16string name = (info.*getter)();
    if (name.empty())
        return {};
    return folder + name;
}

}  // namespace brindle
