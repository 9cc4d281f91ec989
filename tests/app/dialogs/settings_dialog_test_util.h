// Helpers of the settings-dialog tests: key presses and UTF-8 text (their data folder
// is TestFolder's SettingsFiles).
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <string>
#include <string_view>

#include "platform/text_encoding.h"
#include "tests/app/dialogs/test_folder.h"

namespace dialog_test {

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
