// User symbols and page texts carry their own font. One whose record names no height is
// laid out at zoom 1 and then drawn at every zoom and on the printer: its ink must grow
// with the page and stay in the box measured for it, as a sized one does.
#include <gtest/gtest.h>

#include <QRect>

#include "engine/model/extend_symbol.h"
#include "engine/model/page_text_data.h"
#include "painter_test_util.h"

namespace {

using namespace painter_test;

// The bounding box of the dark pixels (empty when there are none).
QRect InkBounds(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Dark(image, x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

enum class Record { Symbol, PageText };

struct Drawn {
    QRect ink;       // device pixels
    QRect measured;  // the measured box (symbol) or the record's rectangle, in device pixels
};

Drawn DrawRecord(Record kind, int height, double zoom)
{
    constexpr int kSide = 600;
    PaintedPage page(kSide, kSide, zoom);
    auto& painter = page.Painter();
    quaverly::LogFont font = Face(u"DejaVu Sans", height);
    const int x = 1000;
    const int y = 1000;
    quaverly::Rect box{};
    if (kind == Record::Symbol) {
        quaverly::ExtendSymbol symbol;
        symbol.text = u"\u2605";
        symbol.font = font;
        const quaverly::Size size = painter.MeasureExtendSymbol(symbol);
        box = {x, y, x + size.cx, y + size.cy};
        painter.DrawExtendSymbol(x, y, symbol, 0);
    } else {
        quaverly::PageTextData text;
        text.text = u"HHH";
        text.font = font;
        text.rect = box = {x, y, x + 3000, y + 1500};
        painter.DrawPageText(text, 0);
    }
    const auto px = [&](int units) { return static_cast<int>(units / kScreenScale * zoom); };
    return {InkBounds(page.Finish()), QRect(QPoint(px(box.left), px(box.top)), QPoint(px(box.right), px(box.bottom)))};
}

TEST(RecordFontZoom, InkGrowsWithTheZoomAndStaysInItsBox)
{
    ASSERT_TRUE(AddMusicFonts());
    for (Record kind : {Record::Symbol, Record::PageText}) {
        for (int height : {0, -24}) {
            const Drawn full = DrawRecord(kind, height, 1.0);
            ASSERT_FALSE(full.ink.isEmpty());
            for (double zoom : {0.5, 0.75, 2.0, 4.0, 300.0 / 96.0}) {
                SCOPED_TRACE(testing::Message() << (kind == Record::Symbol ? "symbol" : "page text") << " height "
                                                << height << " zoom " << zoom);
                const Drawn drawn = DrawRecord(kind, height, zoom);
                ASSERT_FALSE(drawn.ink.isEmpty());
                EXPECT_NEAR(drawn.ink.height(), full.ink.height() * zoom, 2.0 + 0.05 * full.ink.height() * zoom);
                EXPECT_TRUE(drawn.measured.adjusted(-2, -2, 2, 2).contains(drawn.ink))
                    << "ink " << drawn.ink.x() << "," << drawn.ink.y() << " " << drawn.ink.width() << "x"
                    << drawn.ink.height() << " box " << drawn.measured.x() << "," << drawn.measured.y() << " "
                    << drawn.measured.width() << "x" << drawn.measured.height();
            }
        }
    }
}

}  // namespace
