// What a key press types, as the edit controls' character filters see it: the printable
// text of the key, a backspace, or the control character of Ctrl with a letter (Ctrl+C is
// 3, Ctrl+V 22, Ctrl+X 24). Enter, Escape and Tab type nothing here: the dialog and the
// editors handle them as keys.
#pragma once

#include <QKeyEvent>

#include <string>

namespace brindle {

inline constexpr char16_t kCharBackspace = 0x08;
inline constexpr char16_t kCharCopy = 0x03;
inline constexpr char16_t kCharPaste = 0x16;
inline constexpr char16_t kCharCut = 0x18;

// Empty when the key types nothing.
inline std::u16string TypedCharacters(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers mods = event.modifiers();
    const bool control = (mods & Qt::ControlModifier) && !(mods & Qt::AltModifier);
    if (event.key() == Qt::Key_Backspace)
        return control ? std::u16string() : std::u16string(1, kCharBackspace);
    if (control) {
        if (event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
            return std::u16string(1, static_cast<char16_t>(event.key() - Qt::Key_A + 1));
        return {};
    }
    const QString text = event.text();
    if (text.isEmpty())
        return {};
    for (const QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return {};
    return text.toStdU16String();
}

}  // namespace brindle
