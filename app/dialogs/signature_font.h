// The signature font of the value dialogs: the music face "Tansy Signature", which draws
// plain letters as signs ("a" to "o" the fifteen keys from seven flats to seven sharps,
// "A" to "I" the beat buttons, "O" to "S" the note values whole to sixteenth). The key
// list of the key-signature and transpose dialogs is built here as well, so both offer
// the keys in the same order.
#pragma once

#include "engine/model/log_font.h"

#include <QFont>

#include <string>

class QComboBox;

namespace brindle {

inline constexpr std::u16string_view kSignatureFaceName = u"Tansy Signature";

// Face "Tansy Signature", height -22, default character set, anti-aliased, every other
// field 0.
quaverly::LogFont SignatureLogFont();
// The Qt font of that record, as each dialog keeps its own.
QFont SignatureFont();

// Keys run from -7 (entry 0) to 7 (entry 14); entry 7 is C.
inline constexpr int kKeyEntryCount = 15;
inline constexpr int kKeyEntryOfC = 7;

// The text of key entry `entry`: three blanks and the letter 'a' + entry.
std::u16string KeyEntryText(int entry);
// Gives the list the font, fills the fifteen entries and selects C.
void FillKeyList(QComboBox& list, const QFont& font);
// The key of the selected entry (-7 .. 7); 0 when nothing is selected.
int SelectedKey(const QComboBox& list);

}  // namespace brindle
