// Lyric texts of MIDI tracks as wide text (internal). MIDI files carry no encoding:
// newer files hold UTF-8, older Chinese files the GB family of code pages.
#pragma once

#include <string>

namespace tabulon {

// At most this many UTF-16 units are kept of one lyric; a lyric is one syllable or a
// few, so anything longer is damaged data.
constexpr std::size_t kMaxLyricUnits = 1023;

// The text as UTF-16: read as UTF-8 when it is valid UTF-8, else as GB18030 (which
// covers GBK and GB2312); bytes neither can read become U+FFFD. Cut to kMaxLyricUnits
// without splitting a surrogate pair.
std::u16string DecodeLyricText(const std::string& text);

}  // namespace tabulon
