// What the resource-language library exports: one function with C linkage that hands
// out its string table, a list of {id, text} with UTF-16 texts ended by a zero unit. The
// program copies the table when it loads the library.
#pragma once

extern "C" {

struct BrindleResourceString {
    unsigned id;
    const char16_t* text;
};

// The table and, through `count`, its length. The table lives as long as the library.
using BrindleResourceStringsFunction = const BrindleResourceString* (*)(unsigned* count);

}

namespace platform {

// The name of the exported function.
inline constexpr const char* kResourceStringsSymbol = "brindle_resource_strings";

}  // namespace platform
