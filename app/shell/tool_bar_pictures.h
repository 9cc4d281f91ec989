// The pictures of the main window's toolbar and palette buttons. Note entry is drawn with
// the program's own music fonts (numbered-notation digits with their octave dots, dashes
// and underlines, accidentals, ties, tuplets and grace notes), the palettes' buttons with
// the glyphs and lines the score itself draws (bar lines and repeats, jump marks, note
// symbols, line marks, dynamics), and the file, page, zoom and playback buttons as plain
// vector drawings. Every picture is drawn from the same code at any size, so a screen
// scaled to 200 % gets a picture drawn at twice the pixels instead of an enlarged one.
//
// The music faces must be known to the font table (platform::AddFontResource) before
// the first picture is drawn; the program adds them at start-up.
#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>

class QPainter;

namespace brindle {

class ToolBarPictures {
public:
    // The side of a toolbar picture; the font toolbar's are smaller.
    static constexpr int kImageSize = 24;
    static constexpr int kSmallImageSize = 16;

    // True when the command has a picture of its own.
    static bool Has(int command);
    // The side in pixels of the command's picture at 100 %.
    static int ImageSize(int command);

    // Draws the command's picture into the square (0, 0) .. (side, side) of the painter's
    // present coordinates. Nothing is drawn for a command without a picture.
    static void Draw(QPainter& painter, int command, double side);

    // The picture on a transparent image `side` pixels square: as the button shows it,
    // or its disabled twin (the same in lighter grey).
    static QImage Image(int command, int side, bool disabled = false);
    // The disabled twin of any picture.
    static QImage Disabled(const QImage& normal);

    // The button's icon: the normal and the disabled picture, each drawn at the size a
    // screen asks for (24 pixels at 100 %, 48 at 200 %) when it is first shown. Null for
    // a command without a picture.
    static QIcon Icon(int command);
};

}  // namespace brindle
