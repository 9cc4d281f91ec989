// The drawing device's text operations: header texts, lyrics, key, time and tempo
// signatures, bar numbers, user symbols and page texts; on the recording context (exact
// texts, fonts, rectangles and points) and through the QPainter backend (where the ink
// lands).
#include "app/painter/gdi_score_painter.h"

#include "app/painter/draw_resource_table.h"
#include "platform/music_glyphs.h"
#include "platform/recording_device_context.h"
#include "tests/app/painter/painter_test_util.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

namespace music = platform::music;
using brindle::DrawResourceTable;
using brindle::GdiScorePainter;
using platform::Point;
using platform::RecordedCall;
using platform::RecordingDeviceContext;
using platform::Rgb;
using quaverly::Size;

constexpr unsigned kTopLeft = platform::kTaTop | platform::kTaLeft;
constexpr unsigned kBaselineLeft = platform::kTaBaseline | platform::kTaLeft;
constexpr unsigned kCentredLine = platform::kDtCenter | platform::kDtVCenter |
                                  platform::kDtSingleLine | platform::kDtNoPrefix;

quaverly::LogFont Font(std::u16string_view face, int height, int width = 0)
{
    quaverly::LogFont lf;
    lf.SetFaceName(face);
    lf.height = height;
    lf.width = width;
    lf.weight = 400;
    lf.charSet = 1;
    return lf;
}

std::u16string Decimal(int n)
{
    const std::string s = std::to_string(n);
    return std::u16string(s.begin(), s.end());
}

// The recording context with an internal leading of a fifth of the cell.
class LeadingContext : public RecordingDeviceContext {
public:
    platform::TextMetrics GetTextMetrics() override
    {
        platform::TextMetrics tm = RecordingDeviceContext::GetTextMetrics();
        tm.internalLeading = tm.height / 5;
        return tm;
    }
};

// A painter at scale 2 with its origin at (1000, 2000), on the recording context (a
// character half an em wide, the cell one em high, the ascent 0.8 em); the text keys
// have fonts as the font file gives them.
class TextTest : public ::testing::Test {
protected:
    TextTest()
    {
        table_.SetFont(brindle::font_key::kTitle, Font(u"Title Face", -24));
        table_.SetFont(brindle::font_key::kSubtitle, Font(u"Subtitle Face", -14));
        table_.SetFont(brindle::font_key::kPoet, Font(u"Composer Face", -12));
        table_.SetFont(brindle::font_key::kComposer, Font(u"Composer Face", -12));
        table_.SetFont(brindle::font_key::kExpression, Font(u"Expression Face", -16));
        table_.SetFont(brindle::font_key::kDefaultText, Font(u"Common Face", -10));
        table_.SetFont(brindle::font_key::kLyric, Font(u"宋体", -12));
        table_.SetFont(brindle::font_key::kBarIndex, Font(u"Bar Face", -9));
        table_.SetFont(brindle::font_key::kInstrumentName, Font(u"Instrument Face", -18));
        table_.SetNoteSize(Size{50, 58});
        Attach(dc_);
    }

    void Attach(platform::DeviceContext& dc)
    {
        painter_test::SetUpPainter(painter_, dc, table_, 2.0f, {1000, 2000});
    }

    RecordingDeviceContext dc_;
    DrawResourceTable table_;
    GdiScorePainter painter_;
};

TEST_F(TextTest, HeaderTextsUseTheFontsOfTheirKeys)
{
    struct Case {
        const char* name;
        std::function<Size(GdiScorePainter&, std::u16string_view)> measure;
        std::function<void(GdiScorePainter&, std::u16string_view)> draw;
        std::u16string face;
        int height;  // scaled
    };
    using P = GdiScorePainter&;
    using T = std::u16string_view;
    // The poet's key with a face of its own, so that it shows which key each text reads.
    table_.SetFont(brindle::font_key::kPoet, Font(u"Poet Face", -12));
    const Case cases[] = {
        {"title", [](P p, T t) { return p.MeasureTitle(t); },
         [](P p, T t) { p.DrawTitle(100, 200, t, 1); }, u"Title Face", -48},
        {"subtitle", [](P p, T t) { return p.MeasureSubtitle(t); },
         [](P p, T t) { p.DrawSubtitle(100, 200, t, 1); }, u"Subtitle Face", -28},
        {"poet", [](P p, T t) { return p.MeasurePoetText(t); },
         [](P p, T t) { p.DrawPoetText(100, 200, t, 1); }, u"Poet Face", -24},
        {"composer", [](P p, T t) { return p.MeasureComposerText(t); },
         [](P p, T t) { p.DrawComposerText(100, 200, t, 1); }, u"Composer Face", -24},
        {"expression", [](P p, T t) { return p.MeasureExpressionText(t); },
         [](P p, T t) { p.DrawExpressionText(100, 200, t, 1); }, u"Expression Face", -32},
        {"default font", [](P p, T t) { return p.MeasureDefaultFontText(t); },
         [](P p, T t) { p.DrawDefaultFontText(100, 200, t, 1); }, u"Common Face", -20},
        {"instrument", [](P p, T t) { return p.MeasureInstrumentName(t); },
         [](P p, T t) { p.DrawInstrumentName(100, 200, t, 1); }, u"Instrument Face", -36},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int em = -c.height;
        EXPECT_EQ(c.measure(painter_, u"曲名 A"), (Size{4 * em / 2, em}));
        // An empty text measures as one space, never as nothing.
        EXPECT_EQ(c.measure(painter_, u""), (Size{em / 2, em}));
        dc_.Clear();
        c.draw(painter_, u"曲名 A");
        const auto texts = dc_.CallsOf("TextOut");
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, u"曲名 A");
        EXPECT_EQ(texts[0].points[0], (Point{1100, 2200}));
        EXPECT_EQ(texts[0].align, kTopLeft);
        EXPECT_EQ(texts[0].font.FaceName(), c.face);
        EXPECT_EQ(texts[0].font.height, c.height);
        EXPECT_EQ(texts[0].textColor, Rgb(255, 0, 0));
    }
}

TEST_F(TextTest, AtZoomTwoATitleOfMinus24BecomesMinus48)
{
    painter_.DrawTitle(0, 0, u"标题", 0);
    ASSERT_EQ(dc_.CallsOf("TextOut").size(), 1u);
    EXPECT_EQ(dc_.CallsOf("TextOut")[0].font.height, -48);
    EXPECT_EQ(table_.GetFont(brindle::font_key::kTitle).height, -24);  // the table keeps its own
}

TEST_F(TextTest, LyricWidthLeavesOutClosingPunctuation)
{
    // Key 12 at -24: every character 12 wide, the cell 24 high.
    struct Case {
        std::u16string text;
        int width;
    };
    const Case cases[] = {
        {u"啊", 12},        {u"啊,", 12},          {u"啊.", 12},       {u"啊;", 12},
        {u"啊，", 12},      {u"啊。", 12},         {u"啊；", 12},      {u"啊，。", 12},
        {u"啊,.;，。；", 12}, {u"啊，啊", 36},      {u"la,la", 60},     {u"啊!", 24},
        {u"啊：", 24},      {u"，", 0},            {u".,", 0},         {u"", 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        EXPECT_EQ(painter_.MeasureLyric(c.text), (Size{c.width, 24}));
    }
}

TEST_F(TextTest, LyricIsDrawnWholeCentredInItsBox)
{
    painter_.DrawLyric(100, 200, u"啊,", 3);
    const auto texts = dc_.CallsOf("DrawText");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, u"啊,");  // the comma still shows
    EXPECT_EQ(texts[0].rect, (platform::Rect{1100, 2200, 1100 + 24, 2200 + 24}));
    EXPECT_EQ(texts[0].flags, kCentredLine);
    EXPECT_EQ(texts[0].font.FaceName(), u"宋体");
    EXPECT_EQ(texts[0].textColor, Rgb(255, 0, 0));
    EXPECT_EQ(dc_.GetTextColor(), Rgb(0, 0, 0));
    EXPECT_EQ(dc_.SelectedFont(), quaverly::LogFont{});
}

TEST_F(TextTest, KeySignatures)
{
    LeadingContext dc;  // the note font (-30) has an internal leading of 6
    Attach(dc);
    // Note size (50, 58); key 0 at -40: 20 per character.
    for (int key = music::kLowestKey; key <= music::kHighestKey; ++key) {
        SCOPED_TRACE(key);
        dc.Clear();
        painter_.DrawKeySignature(100, 200, key, 0);
        const auto texts = dc.CallsOf("TextOut");
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[0].text, u"1");
        EXPECT_EQ(texts[0].font.FaceName(), u"Tansy Number");
        EXPECT_EQ(texts[0].points[0], (Point{1100, 2200 - 6}));
        EXPECT_EQ(texts[0].align, kTopLeft);
        const std::u16string name{music::kEquals, static_cast<char16_t>(72 + key)};
        EXPECT_EQ(texts[1].text, name);
        EXPECT_EQ(texts[1].font.FaceName(), u"Tansy");
        EXPECT_EQ(texts[1].points[0], (Point{1100 + 50, 2200 + 29 + 170}));
        EXPECT_EQ(texts[1].align, kBaselineLeft);
        EXPECT_EQ(painter_.MeasureKeySignature(key), (Size{50 + 40, 58}));
    }
    // C is 72; a key outside -7 .. 7 has no key name.
    dc.Clear();
    painter_.DrawKeySignature(100, 200, 0, 0);
    EXPECT_EQ(dc.CallsOf("TextOut")[1].text, u"=H");
    for (int key : {8, -8, 100}) {
        dc.Clear();
        painter_.DrawKeySignature(100, 200, key, 0);
        EXPECT_EQ(dc.CallsOf("TextOut")[1].text, u"=") << key;
        EXPECT_EQ(painter_.MeasureKeySignature(key), (Size{50 + 20, 58})) << key;
    }
}

TEST_F(TextTest, TimeSignatureBoxIsAsWideAsTheWiderNumber)
{
    // Key 8 at -24: 12 per digit, visible height 19.
    struct Case {
        int beats, beatType;
        int width;
    };
    const Case cases[] = {{3, 16, 24}, {12, 8, 24}, {4, 4, 12}, {2, 2, 12}, {3, 128, 36}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.beats << "/" << c.beatType);
        EXPECT_EQ(painter_.MeasureTimeSignature(c.beats, c.beatType),
                  (Size{c.width + 150, 2 * 19 + 200}));
        dc_.Clear();
        painter_.DrawTimeSignature(100, 200, c.beats, c.beatType, 1);
        const auto texts = dc_.CallsOf("DrawText");
        ASSERT_EQ(texts.size(), 2u);
        const int left = 1100 + 150;
        const int barTop = 2200 + 19 - 20 + 100;
        EXPECT_EQ(texts[0].text, Decimal(c.beats));
        EXPECT_EQ(texts[1].text, Decimal(c.beatType));
        EXPECT_EQ(texts[0].rect, (platform::Rect{left, 2200, left + c.width, 2200 + 19}));
        EXPECT_EQ(texts[1].rect,
                  (platform::Rect{left, barTop + 100, left + c.width, barTop + 100 + 19}));
        for (const RecordedCall& t : texts) {
            EXPECT_EQ(t.flags, kCentredLine | platform::kDtNoClip);  // never clipped
            EXPECT_EQ(t.font.FaceName(), u"Tansy Times");
            EXPECT_EQ(t.textColor, Rgb(255, 0, 0));
        }
        // The fraction bar: a box 40 thick filled in the key's colour.
        const auto fills = dc_.CallsOf("ExtTextOut");
        ASSERT_EQ(fills.size(), 1u);
        EXPECT_EQ(fills[0].flags, platform::kEtoOpaque);
        EXPECT_EQ(fills[0].rect, (platform::Rect{left, barTop, left + c.width, barTop + 40}));
        EXPECT_EQ(fills[0].bkColor, Rgb(255, 0, 0));
        EXPECT_TRUE(fills[0].text.empty());
        EXPECT_EQ(dc_.GetBkColor(), Rgb(255, 255, 255));
    }
}

TEST_F(TextTest, TempoMarkPicksItsNoteGlyph)
{
    // Key 0 at -40 (20 per character); key 9 at -22 (11 per digit, visible height 18).
    struct Case {
        int beatUnit;
        char16_t glyph;
    };
    const Case cases[] = {
        {645120, 91},  {322560, 92}, {161280, 93}, {80640, 94}, {40320, 95}, {20160, 96},
        {241920, 93},  // a dotted quarter shows the quarter
        {483840, 92},  // a dotted half
        {107520, 94},  // a quarter-note triplet
        {10080, 96},   // shorter than a 32nd
        {1290240, 91}, // a breve
        {0, 93},       // no beat unit: the quarter
        {-161280, 93},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.beatUnit);
        dc_.Clear();
        painter_.DrawTempoMark(100, 200, c.beatUnit, 120, 0);
        const auto texts = dc_.CallsOf("TextOut");
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[0].text, (std::u16string{c.glyph, music::kEquals}));
        EXPECT_EQ(texts[0].font.FaceName(), u"Tansy");
        EXPECT_EQ(texts[0].points[0], (Point{1100, 2200 + 9 + 180}));
        EXPECT_EQ(texts[0].align, kBaselineLeft);
        EXPECT_EQ(texts[1].text, u"120");
        EXPECT_EQ(texts[1].font.FaceName(), u"Arial");
        EXPECT_EQ(texts[1].font.weight, 700);
        EXPECT_EQ(texts[1].points[0], (Point{1100 + 40, 2200 + 18}));
        EXPECT_EQ(texts[1].align, kBaselineLeft);
        EXPECT_EQ(painter_.MeasureTempoMark(c.beatUnit, 120), (Size{40 + 33, 18}));
    }
}

TEST_F(TextTest, BarNumbersInTheirFrameStyles)
{
    // At scale 1 the bar-number font (-30, 20 wide) measures "12" as 40 x 30.
    painter_.SetScale(1.0f);
    painter_.SetOrigin(0, 0);
    table_.SetFont(brindle::font_key::kBarIndex, Font(u"Bar Face", -30, 20));
    const int x = 1000, y = 2000;
    struct Case {
        int style;
        const char* textOp;  // "TextOut", "DrawText" or "" for nothing
        std::u16string text;
        const char* frameOp;
        platform::Rect frame;
    };
    const Case cases[] = {
        {0, "TextOut", u"12", "", {}},
        {1, "TextOut", u"(12)", "", {}},
        {2, "DrawText", u"12", "Rectangle", {x, y - 120, x + 40 + 120, y - 120 + 30}},
        // A circle 56 across (trunc(40 x 1.414)) with its bottom at y + 30.
        {3, "DrawText", u"12", "Ellipse", {x, y + 30 - 56, x + 56, y + 30}},
        {4, "", u"", "", {}},
        {-1, "", u"", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        quaverly::BarNumberFormat format;
        format.decorator = c.style;
        EXPECT_EQ(painter_.MeasureBarIndex(format, 12), (Size{40, 30}));
        dc_.Clear();
        painter_.DrawBarIndex(x, y, format, 12, 1);
        if (std::string(c.textOp).empty()) {
            EXPECT_TRUE(dc_.Calls().empty());
            continue;
        }
        const auto texts = dc_.CallsOf(c.textOp);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, c.text);
        EXPECT_EQ(texts[0].font.FaceName(), u"Bar Face");
        EXPECT_EQ(texts[0].textColor, Rgb(255, 0, 0));
        if (std::string(c.frameOp).empty()) {
            EXPECT_EQ(texts[0].points[0], (Point{x, y}));
            EXPECT_EQ(texts[0].align, kTopLeft);
            EXPECT_EQ(dc_.Calls().size(), 1u);
            continue;
        }
        // The number centred in its frame.
        EXPECT_EQ(texts[0].rect, c.frame);
        EXPECT_EQ(texts[0].flags, kCentredLine);
        const auto frames = dc_.CallsOf(c.frameOp);
        ASSERT_EQ(frames.size(), 1u);
        EXPECT_EQ(frames[0].rect, c.frame);
        EXPECT_EQ(frames[0].pen, (platform::Pen{platform::kPsSolid, 30, Rgb(255, 0, 0)}));
        EXPECT_EQ(frames[0].brush, platform::Brush::Null());
    }
    EXPECT_EQ(dc_.SelectedPen(), platform::Pen{});
    EXPECT_EQ(dc_.SelectedBrush(), platform::Brush{});
}

TEST_F(TextTest, UserSymbolsAndPageTextsUseTheFontsOfTheirRecords)
{
    quaverly::ExtendSymbol symbol;
    symbol.text = u"rit.";
    symbol.font = Font(u"SimSun", -16, 9);
    symbol.font.quality = 0;
    painter_.DrawExtendSymbol(100, 200, symbol, 3);
    const auto texts = dc_.CallsOf("TextOut");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, u"rit.");
    EXPECT_EQ(texts[0].points[0], (Point{1100, 2200}));
    EXPECT_EQ(texts[0].align, kTopLeft);
    EXPECT_EQ(texts[0].font.height, -32);  // times the scale, natural width, antialiased
    EXPECT_EQ(texts[0].font.width, 0);
    EXPECT_EQ(texts[0].font.quality, 4);
    EXPECT_EQ(texts[0].font.FaceName(), u"SimSun");
    EXPECT_EQ(painter_.MeasureExtendSymbol(symbol), (Size{4 * 16, 32}));

    quaverly::PageTextData page;
    page.font = Font(u"SimHei", -12, 5);
    page.rect = {100, 200, 600, 900};
    page.text = u"第一行 and some words\r\n第二段";
    painter_.DrawPageText(page, 4);
    const auto boxes = dc_.CallsOf("DrawText");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, page.text);
    EXPECT_EQ(boxes[0].rect, (platform::Rect{1100, 2200, 1600, 2900}));
    EXPECT_EQ(boxes[0].flags,
              platform::kDtWordBreak | platform::kDtNoPrefix | platform::kDtEditControl);
    EXPECT_EQ(boxes[0].font.height, -24);
    EXPECT_EQ(boxes[0].font.width, 0);
    EXPECT_EQ(boxes[0].font.quality, 4);
    EXPECT_EQ(boxes[0].textColor, Rgb(0, 0, 255));
}

TEST_F(TextTest, TextsDrawInBlackInBlackAndWhiteMode)
{
    table_.SetBlackAndWhite(true);
    quaverly::BarNumberFormat boxed;
    boxed.decorator = quaverly::bar_number_frame::kBox;
    painter_.DrawTitle(0, 0, u"标题", 1);
    painter_.DrawLyric(0, 0, u"啊", 1);
    painter_.DrawTimeSignature(0, 0, 3, 4, 1);
    painter_.DrawBarIndex(0, 0, boxed, 7, 1);
    painter_.DrawPageText({Font(u"SimHei", -12), {0, 0, 500, 500}, u"页"}, 1);
    ASSERT_TRUE(dc_.PaintedAnything());
    for (const RecordedCall& c : dc_.Calls()) {
        SCOPED_TRACE(c.op);
        if (c.op == "TextOut" || c.op == "DrawText") {
            EXPECT_EQ(c.textColor, Rgb(0, 0, 0));
        } else if (c.op == "ExtTextOut") {
            EXPECT_EQ(c.bkColor, Rgb(0, 0, 0));
        } else if (c.op == "Rectangle") {
            EXPECT_EQ(c.pen.color, Rgb(0, 0, 0));
        }
    }
}

TEST(TextDrawing, WithoutAContextNothingIsDrawnAndTextSizesAreZero)
{
    GdiScorePainter painter;
    painter.DrawTitle(0, 0, u"x", 0);
    painter.DrawLyric(0, 0, u"x", 0);
    painter.DrawTimeSignature(0, 0, 3, 4, 0);
    painter.DrawTempoMark(0, 0, 0, 60, 0);
    painter.DrawBarIndex(0, 0, quaverly::BarNumberFormat{0, 3}, 5, 0);
    painter.DrawPageText({}, 0);
    EXPECT_EQ(painter.MeasureTitle(u""), (Size{}));
    EXPECT_EQ(painter.MeasureLyric(u"x,"), (Size{}));
    EXPECT_EQ(painter.MeasureTimeSignature(3, 4), (Size{150, 200}));
    EXPECT_EQ(painter.MeasureBarIndex({}, 5), (Size{}));
}

// Through the QPainter backend.
class TextImage : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(painter_test::AddMusicFonts()); }

    static QImage Render(int width, int height,
                         const std::function<void(GdiScorePainter&, DrawResourceTable&)>& draw)
    {
        painter_test::PaintedPage page(width, height, 2.0, painter_test::NoteSizes::Measured);
        draw(page.Painter(), page.Table());
        return QImage(page.Finish());
    }

    static int Px(int units) { return static_cast<int>(units / painter_test::kScreenScale * 2.0); }

    // Rows of the image that have ink between two columns.
    static std::vector<bool> InkedRows(const QImage& image, int left, int right)
    {
        std::vector<bool> rows(static_cast<std::size_t>(image.height()));
        for (int y = 0; y < image.height(); ++y)
            rows[static_cast<std::size_t>(y)] = painter_test::InkIn(image, left, y, right, y + 1) > 0;
        return rows;
    }
};

TEST_F(TextImage, PageTextWrapsInItsRectangle)
{
    quaverly::PageTextData text;
    text.font = Font(u"Liberation Sans", -14);
    text.rect = {500, 500, 4500, 6000};  // about 150 x 200 pixels at zoom 2
    text.text = u"The quick brown fox jumps over the lazy dog again and again and again";
    const QImage image = Render(400, 400, [&](GdiScorePainter& p, DrawResourceTable&) {
        p.DrawPageText(text, 0);
    });
    // Nothing right of the rectangle; several lines of text inside it.
    EXPECT_EQ(painter_test::InkIn(image, Px(text.rect.right) + 1, 0, image.width(), image.height()),
              0);
    const std::vector<bool> rows = InkedRows(image, Px(text.rect.left), Px(text.rect.right));
    int lines = 0;
    for (std::size_t y = 1; y < rows.size(); ++y)
        lines += rows[y] && !rows[y - 1] ? 1 : 0;
    EXPECT_GE(lines, 3);
}

TEST_F(TextImage, TimeSignatureShowsItsWholeDenominator)
{
    const int x = 500, y = 500;
    Size box, sixteen;
    const QImage image = Render(200, 200, [&](GdiScorePainter& p, DrawResourceTable&) {
        box = p.MeasureTimeSignature(3, 16);
        sixteen = p.MeasureTimeSignature(16, 1);
        p.DrawTimeSignature(x, y, 3, 16, 0);
    });
    EXPECT_EQ(box.cx, sixteen.cx);  // as wide as "16"
    const int left = Px(x + 150), right = Px(x + box.cx);
    // The lower half: "16" inked across most of the box, and nothing outside it cut off
    // (the ink stays inside the box, give or take a pixel).
    const int lowerTop = Px(y + box.cy / 2 + 50), bottom = Px(y + box.cy) + 2;
    int inkLeft = image.width(), inkRight = -1;
    for (int yy = lowerTop; yy < bottom; ++yy)
        for (int xx = 0; xx < image.width(); ++xx)
            if (painter_test::Dark(image, xx, yy)) {
                inkLeft = std::min(inkLeft, xx);
                inkRight = std::max(inkRight, xx);
            }
    ASSERT_GE(inkRight, 0);
    EXPECT_GE(inkLeft, left - 1);
    EXPECT_LE(inkRight, right + 1);
    EXPECT_GT(inkRight - inkLeft + 1, (right - left) * 7 / 10);
}

TEST_F(TextImage, LyricShowsItsCommaBeyondItsMeasuredWidth)
{
    const int x = 500, y = 500;
    Size measured;
    const QImage image = Render(200, 200, [&](GdiScorePainter& p, DrawResourceTable& table) {
        table.SetFont(brindle::font_key::kLyric, Font(u"Liberation Sans", -16));
        measured = p.MeasureLyric(u"la,");
        p.DrawLyric(x, y, u"la,", 0);
    });
    EXPECT_GT(measured.cx, 0);
    // The comma's ink lies right of the measured width.
    EXPECT_GT(painter_test::InkIn(image, Px(x + measured.cx), 0, image.width(), image.height()),
              0);
    EXPECT_GT(painter_test::InkIn(image, Px(x), 0, Px(x + measured.cx), image.height()), 20);
}

}  // namespace
