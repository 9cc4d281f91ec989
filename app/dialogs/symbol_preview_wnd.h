// How a user symbol sits beside a note, three times as large as on the page: a grey "5"
// in the score's note font, dotted guide lines through its centre, and the symbol's
// character above, below, left or right of it, shifted by its offsets. Distances in
// hundredths of a millimetre become pixels through the screen's size; a screen that does
// not tell its size is taken at its logical resolution.
//
// Every setter repaints the control.
#pragma once

#include <QFrame>
#include <QImage>

#include <string>

#include "engine/model/log_font.h"
#include "platform/device_context.h"

namespace brindle {

class DataFolder;

class CSymbolPreviewWnd : public QFrame {
    Q_OBJECT

public:
    // Drawn this many times larger than on the page.
    static constexpr int kMagnification = 3;
    // Where the note stands: 22 mm from the left edge, 35 mm above the bottom edge
    // (0.01 mm).
    static constexpr int kNoteLeft = 2200;
    static constexpr int kNoteAboveBottom = 3500;
    static constexpr platform::ColorRef kGrey = platform::Rgb(120, 120, 120);

    // Where each piece is drawn (client pixels).
    struct Layout {
        platform::Point note;         // top-left of the "5"
        platform::Size noteSize;
        platform::Point symbol;       // top-left of the character
        platform::Size symbolSize;
        std::int32_t horizontalGuide = 0;  // y of the horizontal guide line
        std::int32_t verticalGuide = 0;    // x of the vertical one
    };

    explicit CSymbolPreviewWnd(QWidget* parent = nullptr);

    // Antialiased, default character set, height × 3.
    void SetFont(const quaverly::LogFont& font);
    void SetText(const std::u16string& text);
    // 0.01 mm; kept × 3.
    void SetHorizontalOffset(int offset);
    void SetVerticalOffset(int offset);
    // 0 above, 1 below, 2 left, 3 right; anything else puts the symbol on the note's corner.
    void SetPlacement(int placement);
    // The note font of the font file the location names, height × 3.
    void ReadReferenceFont(const DataFolder& location);

    const quaverly::LogFont& SymbolFont() const { return font_; }
    const std::u16string& Text() const { return text_; }
    int HorizontalOffset() const { return hOffset_; }
    int VerticalOffset() const { return vOffset_; }
    int Placement() const { return placement_; }
    const quaverly::LogFont& ReferenceFont() const { return referenceFont_; }
    // Hundredths of a millimetre per pixel of the last painting (1 before the first).
    float Scale() const { return scale_; }
    // How many repaints the setters asked for.
    int RepaintRequests() const { return repaints_; }

    // Hundredths of a millimetre per pixel of a screen `widthMm` wide and `widthPixels`
    // across; without a size that makes sense, that of its logical resolution.
    static float ScreenScale(int widthMm, int widthPixels, int logicalDpi);
    // The scale of the screen the control is on.
    float CurrentScale() const;

    Layout Arrange(platform::DeviceContext& dc, const platform::Rect& client, float scale) const;
    // Guide lines, note and symbol on a surface already white.
    void Draw(platform::DeviceContext& dc, const platform::Rect& client, float scale) const;
    // The client area as it is painted.
    QImage Render();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Changed();

    float scale_ = 1.0f;
    quaverly::LogFont font_;
    std::u16string text_;
    int hOffset_ = 0;
    int vOffset_ = 0;
    int placement_ = 0;
    quaverly::LogFont referenceFont_;
    int repaints_ = 0;
};

}  // namespace brindle
