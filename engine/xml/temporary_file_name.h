// The names of the temporary files our writers make beside the file they replace:
// "." + the file's name + ".saving-" + the writer's process id + "-" + a counter. The
// name of the file is shortened (at a character boundary of its UTF-8 text) when the
// whole would pass the file-name limit, so a file of any valid name can be written.
// The process id in the name tells a later start whether the writer is still running
// (see TemporaryFileOwner).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quaverly {

// The longest name of one file, in bytes, on the file systems we write to.
inline constexpr std::size_t kMaxFileNameBytes = 255;
inline constexpr std::string_view kTemporaryMark = ".saving-";

// The UTF-8 text cut to at most `bytes` bytes without splitting a character.
inline std::string_view CutAtCharacter(std::string_view text, std::size_t bytes)
{
    if (text.size() <= bytes)
        return text;
    std::size_t end = bytes;
    // Continuation bytes (10xxxxxx) belong to the character that began before them.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

inline std::string TemporaryFileName(std::string_view fileName, long pid, unsigned long counter)
{
    const std::string suffix = std::string(kTemporaryMark) + std::to_string(pid) + "-" + std::to_string(counter);
    const std::size_t room = kMaxFileNameBytes - 1 - suffix.size();
    return "." + std::string(CutAtCharacter(fileName, room)) + suffix;
}

// The process id of a "PID-N" text (both decimal, the id of at most 9 digits); 0 when
// the text is not of that form.
inline long OwnerOfCountedName(std::string_view rest)
{
    const std::size_t dash = rest.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash + 1 == rest.size() || dash > 9)
        return 0;
    long pid = 0;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (i == dash)
            continue;
        if (rest[i] < '0' || rest[i] > '9')
            return 0;
        if (i < dash)
            pid = pid * 10 + (rest[i] - '0');
    }
    return pid;
}

// The process id a name made by TemporaryFileName carries; 0 when the name is not one.
inline long TemporaryFileOwner(std::string_view name)
{
    if (name.size() < 2 || name.front() != '.')
        return 0;
    const std::size_t mark = name.rfind(kTemporaryMark);
    if (mark == std::string_view::npos || mark == 0)
        return 0;
    return OwnerOfCountedName(name.substr(mark + kTemporaryMark.size()));
}

}  // namespace quaverly
