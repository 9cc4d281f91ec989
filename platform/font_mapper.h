// Logical-font records to Qt fonts. Face names stored in settings and documents name the
// faces of the desktop the files were made on ("宋体", "Arial", "Times New Roman" ...);
// they are mapped to installed faces of the same kind: Debian's CJK fonts for the Chinese
// faces, the metric-compatible Liberation faces for the common Latin ones. Chinese text in
// a Latin face falls back to the Simplified Chinese CJK face. The program's own music faces
// ("Tansy ...") are used as they are, without falling back to other fonts, so that a code
// they lack draws nothing rather than a letter of some other font.
#pragma once

#include "engine/model/log_font.h"

#include <QFont>
#include <QString>
#include <QStringList>

#include <string_view>

namespace platform {

class FontMapper {
public:
    // Faces to ask for, in order of preference, for a face name of a record.
    static QStringList Families(std::u16string_view faceName, std::uint8_t charSet,
                                std::uint8_t pitchAndFamily);

    // True for the program's own music faces.
    static bool IsMusicFace(std::u16string_view faceName);

    // The Qt font of a record, sized in the units the record's heights are given in:
    // a negative height is the em height, a positive one the cell height (ascent +
    // descent), 0 takes `defaultEm`. A width other than 0 stretches the font so that its
    // average character width is that width. Weight, italic, underline, strike-out and
    // quality (3 = not antialiased) are kept; the escapement is the drawing's business.
    // Kerning is off: text is as wide as the sum of its characters.
    static QFont ToQFont(const quaverly::LogFont& font, int defaultEm);
};

}  // namespace platform
