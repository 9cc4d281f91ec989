// Helpers of the settings-dialog tests: a data folder of the tests' own with a main
// settings file that names the settings files and texture folders, and key presses.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <filesystem>
#include <string>
#include <string_view>

#include "app/dialogs/settings_location.h"
#include "platform/private_profile.h"
#include "platform/text_encoding.h"
#include "tests/platform/temp_folder.h"

namespace dialog_test {

// A fresh data folder: "Tansy.ini" names settings\Shortcut.ini, settings\Font.ini,
// settings\Option.ini and the folders texture\foreground\ and texture\background\. The
// settings files themselves are left to each test.
class DataFolder {
public:
    DataFolder()
    {
        std::filesystem::create_directories(folder_ / "settings");
        WriteMain("[SYSTEM INFO]\r\n"
                  "Shortcut File Name=settings\\Shortcut.ini\r\n"
                  "Font File Name=settings\\Font.ini\r\n"
                  "Option File Name=settings\\Option.ini\r\n"
                  "Foreground File Path=texture\\foreground\\\r\n"
                  "Background File Path=texture\\background\\\r\n");
    }

    void WriteMain(std::string_view text) const { TempFolder::Write(folder_ / "Tansy.ini", text); }
    // A file below the folder (folders made as needed).
    std::filesystem::path Write(std::string_view name, std::string_view bytes = {}) const
    {
        const std::filesystem::path path = folder_ / name;
        std::filesystem::create_directories(path.parent_path());
        TempFolder::Write(path, bytes);
        return path;
    }
    std::string Read(std::string_view name) const { return TempFolder::Read(folder_ / name); }
    std::filesystem::path operator/(std::string_view name) const { return folder_ / name; }
    const std::filesystem::path& Path() const { return folder_.Path(); }

    brindle::SettingsLocation Location() const { return brindle::SettingsLocation::InFolder(folder_.Path()); }

    // The stored text of a key, or nullopt.
    std::optional<std::u16string> Stored(std::string_view file, std::u16string_view section,
                                         std::u16string_view key) const
    {
        return platform::ReadProfileString(folder_ / file, section, key);
    }

private:
    TempFolder folder_;
};

// Sends a key press (and its release) to a widget; true when the press was accepted by
// someone on its way.
inline bool PressKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(target, &release);
    return press.isAccepted();
}

inline std::string Utf8(std::u16string_view text) { return platform::Utf16ToUtf8(text); }

}  // namespace dialog_test
