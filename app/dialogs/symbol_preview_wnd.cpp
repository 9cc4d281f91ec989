#include "app/dialogs/symbol_preview_wnd.h"

#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>

#include "app/dialogs/data_folder.h"
#include "app/settings/font_file.h"
#include "engine/model/int_clamp.h"
#include "platform/qt_device_context.h"

namespace brindle {
namespace {

constexpr std::uint8_t kDefaultCharSet = 1;
constexpr std::uint8_t kAntialiased = 4;
constexpr std::u16string_view kReferenceText = u"5";
// Heights beyond this (pixels either way) are drawn at it: the largest symbol the editor
// makes is 100 points three times over, and a damaged file must not make the drawing
// build a glyph the size of a house.
constexpr int kLargestDrawnHeight = 2000;

quaverly::LogFont Drawable(quaverly::LogFont font)
{
    font.height = std::clamp(font.height, -kLargestDrawnHeight, kLargestDrawnHeight);
    return font;
}

int Magnified(int value) { return quaverly::ClampToInt(static_cast<std::int64_t>(value) * CSymbolPreviewWnd::kMagnification); }

}  // namespace

CSymbolPreviewWnd::CSymbolPreviewWnd(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CSymbolPreviewWnd::Changed()
{
    ++repaints_;
    update();
}

void CSymbolPreviewWnd::SetFont(const quaverly::LogFont& font)
{
    font_ = font;
    font_.quality = kAntialiased;
    font_.charSet = kDefaultCharSet;
    font_.height = Magnified(font.height);
    Changed();
}

void CSymbolPreviewWnd::SetText(const std::u16string& text)
{
    text_ = text;
    Changed();
}

void CSymbolPreviewWnd::SetHorizontalOffset(int offset)
{
    hOffset_ = Magnified(offset);
    Changed();
}

void CSymbolPreviewWnd::SetVerticalOffset(int offset)
{
    vOffset_ = Magnified(offset);
    Changed();
}

void CSymbolPreviewWnd::SetPlacement(int placement)
{
    placement_ = placement;
    Changed();
}

void CSymbolPreviewWnd::ReadReferenceFont(const DataFolder& location)
{
    FontFile file;
    file.SetFileName(location.PathOf(location.SystemInfo().GetFontFileName()));
    referenceFont_ = file.GetFont(kNoteFont);
    referenceFont_.height = Magnified(referenceFont_.height);
    Changed();
}

float CSymbolPreviewWnd::ScreenScale(int widthMm, int widthPixels, int logicalDpi)
{
    const float logical = platform::HundredthsOfMmPerPixel(logicalDpi);
    if (widthMm <= 0 || widthPixels <= 0)
        return logical;
    const float scale = static_cast<float>(widthMm) * 100.0f / static_cast<float>(widthPixels);
    // Screens report sizes between some 24 and 9600 dots per inch; anything else is no size.
    if (!(scale >= platform::HundredthsOfMmPerPixel(9600) && scale <= platform::HundredthsOfMmPerPixel(24)))
        return logical;
    return scale;
}

float CSymbolPreviewWnd::CurrentScale() const
{
    const QScreen* shown = screen();
    if (!shown)
        return platform::HundredthsOfMmPerPixel(0);
    return ScreenScale(static_cast<int>(std::lround(shown->physicalSize().width())), shown->size().width(),
                       static_cast<int>(std::lround(shown->logicalDotsPerInchX())));
}

CSymbolPreviewWnd::Layout CSymbolPreviewWnd::Arrange(platform::DeviceContext& dc, const platform::Rect& client,
                                                     float scale) const
{
    if (!(scale > 0.0f))
        scale = platform::HundredthsOfMmPerPixel(0);
    Layout layout;
    layout.note.x = quaverly::TruncToInt(client.left + kNoteLeft / static_cast<double>(scale));
    layout.note.y = quaverly::TruncToInt(client.bottom - kNoteAboveBottom / static_cast<double>(scale));
    const quaverly::LogFont old = dc.SelectFont(Drawable(referenceFont_));
    layout.noteSize = dc.GetTextExtent(kReferenceText);
    dc.SelectFont(Drawable(font_));
    layout.symbolSize = text_.empty() ? platform::Size{} : dc.GetTextExtent(text_);
    dc.SelectFont(old);

    const int nw = layout.noteSize.cx;
    const int nh = layout.noteSize.cy;
    const int sw = layout.symbolSize.cx;
    const int sh = layout.symbolSize.cy;
    layout.horizontalGuide = layout.note.y + nh / 2;
    layout.verticalGuide = layout.note.x + nw / 2;
    int dx = 0;
    int dy = 0;
    switch (placement_) {
    case 0: dx = -(sw - nw) / 2; dy = -sh; break;
    case 1: dx = -(sw - nw) / 2; dy = nh; break;
    case 2: dx = -sw; dy = -(sh - nh) / 2; break;
    case 3: dx = nw; dy = -(sh - nh) / 2; break;
    default: break;
    }
    layout.symbol.x = layout.note.x + quaverly::TruncToInt(hOffset_ / static_cast<double>(scale) + dx);
    layout.symbol.y = layout.note.y + quaverly::TruncToInt(dy - vOffset_ / static_cast<double>(scale));
    return layout;
}

void CSymbolPreviewWnd::Draw(platform::DeviceContext& dc, const platform::Rect& client, float scale) const
{
    const Layout layout = Arrange(dc, client, scale);
    dc.SetBkMode(platform::BkMode::Transparent);

    const platform::Pen oldPen = dc.SelectPen({platform::kPsDot, 0, kGrey});
    dc.MoveTo(client.left, layout.horizontalGuide);
    dc.LineTo(client.right, layout.horizontalGuide);
    dc.MoveTo(layout.verticalGuide, client.top);
    dc.LineTo(layout.verticalGuide, client.bottom);
    dc.SelectPen(oldPen);

    const quaverly::LogFont oldFont = dc.SelectFont(Drawable(referenceFont_));
    const unsigned oldAlign = dc.SetTextAlign(platform::kTaLeft | platform::kTaTop);
    const platform::ColorRef oldColor = dc.SetTextColor(kGrey);
    dc.TextOut(layout.note.x, layout.note.y, kReferenceText);
    dc.SetTextColor(oldColor);
    dc.SetTextAlign(oldAlign);

    if (!text_.empty()) {
        dc.SelectFont(Drawable(font_));
        const unsigned align = dc.SetTextAlign(platform::kTaLeft | platform::kTaTop);
        dc.TextOut(layout.symbol.x, layout.symbol.y, text_);
        dc.SetTextAlign(align);
    }
    dc.SelectFont(oldFont);
}

QImage CSymbolPreviewWnd::Render()
{
    scale_ = CurrentScale();
    const QRect client = contentsRect();
    QImage image(client.size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        platform::QtDeviceContext dc(&image);
        Draw(dc, {0, 0, image.width(), image.height()}, scale_);
    }
    return image;
}

void CSymbolPreviewWnd::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    const QImage picture = Render();
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), picture);
}

}  // namespace brindle
