// The program's own string table: the texts it shows when the resource-language
// library is missing, and the status prompts and tooltips of its commands
// ("prompt\ntooltip").
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace brindle {

const std::map<unsigned, std::u16string>& OwnStrings();

// Puts the table into the program's string table (platform::StringTable).
void RegisterOwnStrings();

// The tooltip part of a command's string: what follows the line break, else the whole.
std::u16string TooltipOf(std::u16string_view entry);

}  // namespace brindle
