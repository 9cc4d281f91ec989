// The drawing context: region algebra and mapping, and image probes through the QPainter
// backend (text placement, pens, clipping, arcs, rotated text, font metrics).
#include "platform/device_context.h"
#include "platform/font_mapper.h"
#include "platform/font_resources.h"
#include "platform/qt_device_context.h"
#include "platform/recording_device_context.h"
#include "tests/platform/platform_test_util.h"

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QRawFont>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <filesystem>
#include <optional>

namespace {

using platform::Brush;
using platform::DeviceCap;
using platform::Pen;
using platform::Point;
using platform::QtDeviceContext;
using platform::Rect;
using platform::Region;
using platform::RegionCombine;
using platform::Rgb;
using platform::Size;

using platform_test::Dark;
using platform_test::Font;
using platform_test::kFontFile;
using platform_test::kUnitsPerPixel;

// Bounding box of the dark pixels of an image, in device pixels.
struct Ink {
    int left = 0, top = 0, right = -1, bottom = -1;  // inclusive
    bool Empty() const { return right < left; }
    double CentreX() const { return (left + right + 1) / 2.0; }
    double CentreY() const { return (top + bottom + 1) / 2.0; }
};

Ink FindInk(const QImage& image)
{
    Ink ink{image.width(), image.height(), -1, -1};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Dark(image, x, y)) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
            }
    return ink;
}

// An image of 0.01 mm logical units at 96 dpi, as the score view maps its page.
class ImageProbe : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(platform::AddFontResource(kFontFile), 5); }

    ImageProbe() : image_(600, 400, QImage::Format_RGB32)
    {
        image_.fill(Qt::white);
        dc_.emplace(&image_);
        dc_->SetMapMode(platform::MapMode::Isotropic);
        dc_->SetWindowExt(Size{static_cast<std::int32_t>(600 * kUnitsPerPixel),
                               static_cast<std::int32_t>(400 * kUnitsPerPixel)});
        dc_->SetViewportExt(Size{600, 400});
        dc_->SetBkMode(platform::BkMode::Transparent);
    }

    // Ends painting and returns the picture.
    const QImage& Picture()
    {
        dc_.reset();
        return image_;
    }

    static std::int32_t U(double pixels)
    {
        return static_cast<std::int32_t>(std::lround(pixels * kUnitsPerPixel));
    }

    QImage image_;
    std::optional<QtDeviceContext> dc_;
};

TEST_F(ImageProbe, AlignedTextLandsOnItsReferencePoint)
{
    struct Case {
        const char* name;
        unsigned align;
    };
    const Case cases[] = {
        {"baseline-centre", platform::kTaBaseline | platform::kTaCenter},
        {"baseline-left", platform::kTaBaseline | platform::kTaLeft},
        {"baseline-right", platform::kTaBaseline | platform::kTaRight},
        {"top-left", platform::kTaTop | platform::kTaLeft},
        {"bottom-centre", platform::kTaBottom | platform::kTaCenter},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        image_.fill(Qt::white);
        dc_.emplace(&image_);
        dc_->SetMapMode(platform::MapMode::Isotropic);
        dc_->SetWindowExt(Size{U(600), U(400)});
        dc_->SetViewportExt(Size{600, 400});
        dc_->SetBkMode(platform::BkMode::Transparent);
        // "0" of the note digits, 60 pixels high so that a pixel is a small error.
        dc_->SelectFont(Font(u"Tansy Number", -U(60)));
        const platform::TextMetrics tm = dc_->GetTextMetrics();
        const platform::AbcWidths abc = dc_->GetCharAbcWidths(u'0');
        const Point at{U(300), U(200)};
        dc_->SetTextAlign(c.align);
        dc_->TextOut(at.x, at.y, u"0");
        const Ink ink = FindInk(Picture());
        ASSERT_FALSE(ink.Empty());

        const double x = 300, y = 200;
        const double advance = (abc.a + abc.b + abc.c) / kUnitsPerPixel;
        double inkLeft = x + abc.a / kUnitsPerPixel;
        if ((c.align & platform::kTaHorizontalMask) == platform::kTaCenter)
            inkLeft -= advance / 2;
        else if ((c.align & platform::kTaHorizontalMask) == platform::kTaRight)
            inkLeft -= advance;
        double baseline = y;
        if ((c.align & platform::kTaVerticalMask) == platform::kTaTop)
            baseline = y + tm.ascent / kUnitsPerPixel;
        else if ((c.align & platform::kTaVerticalMask) == platform::kTaBottom)
            baseline = y - tm.descent / kUnitsPerPixel;
        EXPECT_NEAR(ink.left, inkLeft, 1.5);
        EXPECT_NEAR(ink.bottom + 1, baseline, 1.5);  // "0" rests on the baseline
    }
}

TEST_F(ImageProbe, BaselineCentreDigitIsCentredOnThePoint)
{
    dc_->SelectFont(Font(u"Tansy Number", -U(60)));
    dc_->SetTextAlign(platform::kTaBaseline | platform::kTaCenter);
    dc_->TextOut(U(250), U(150), u"0");
    const Ink ink = FindInk(Picture());
    EXPECT_NEAR(ink.CentreX(), 250.0, 1.0);
    EXPECT_NEAR(ink.bottom + 1, 150.0, 1.0);
}

TEST_F(ImageProbe, GeometricPenHasRoundCapsAndCosmeticPenOnePixel)
{
    const std::int32_t width = U(20);  // 20 pixels: round caps of radius 10
    dc_->SelectPen(Pen{platform::kPsSolid, width, Rgb(0, 0, 0)});
    dc_->MoveTo(U(100), U(100));
    dc_->LineTo(U(300), U(100));
    dc_->SelectPen(Pen{platform::kPsSolid, 0, Rgb(0, 0, 0)});
    dc_->MoveTo(U(100), U(300));
    dc_->LineTo(U(300), U(300));
    const QImage& img = Picture();
    EXPECT_TRUE(Dark(img, 305, 100));   // the cap reaches beyond the end
    EXPECT_TRUE(Dark(img, 95, 100));
    EXPECT_FALSE(Dark(img, 308, 92));   // a square cap would cover the corner
    EXPECT_FALSE(Dark(img, 92, 108));
    EXPECT_TRUE(Dark(img, 200, 91));    // full width along the line
    EXPECT_FALSE(Dark(img, 200, 88));
    // The cosmetic pen: one pixel, whatever the mapping.
    int dark = 0;
    for (int y = 295; y <= 305; ++y)
        dark += Dark(img, 200, y) ? 1 : 0;
    EXPECT_GE(dark, 1);
    EXPECT_LE(dark, 2);
}

TEST_F(ImageProbe, ThinLinesBoxesAndGlyphsLandOnWholePixels)
{
    // Wherever a thin line falls between two rows, it fills whole rows (as many as its
    // width rounds to, one at least) and leaves no grey half-row; a filled box likewise.
    // A glyph drawn at places a fraction of a pixel apart comes out as the same pixels.
    for (int tenth = 0; tenth < 10; ++tenth) {
        SCOPED_TRACE(::testing::Message() << tenth << "/10 px off");
        image_.fill(Qt::white);
        dc_.emplace(&image_);
        dc_->SetMapMode(platform::MapMode::Isotropic);
        dc_->SetWindowExt(Size{U(600), U(400)});
        dc_->SetViewportExt(Size{600, 400});
        dc_->SetBkMode(platform::BkMode::Transparent);
        const double off = tenth / 10.0;
        const auto y = [&](double pixels) {
            return static_cast<std::int32_t>((pixels + off) * kUnitsPerPixel);
        };
        // Pens of 30 units (1.1 pixels) and 0 (cosmetic), across and down.
        dc_->SelectPen(Pen{platform::kPsSolid, 30, Rgb(0, 0, 0)});
        dc_->MoveTo(U(100), y(50));
        dc_->LineTo(U(200), y(50));
        dc_->MoveTo(U(300 + off), U(20));
        dc_->LineTo(U(300 + off), U(80));
        dc_->SelectPen(Pen{platform::kPsSolid, 0, Rgb(0, 0, 0)});
        dc_->MoveTo(U(100), y(70));
        dc_->LineTo(U(200), y(70));
        // A box 1.5 pixels high.
        dc_->SetBkColor(Rgb(0, 0, 0));
        const platform::Rect box{U(100), y(100), U(200), y(101.5)};
        dc_->ExtTextOut(box.left, box.top, platform::kEtoOpaque, &box, u"");
        // The same dot twice, a fraction of a pixel apart within one pixel's reach.
        dc_->SelectFont(Font(u"Tansy Number", -U(15)));
        dc_->SetTextAlign(platform::kTaBaseline | platform::kTaCenter);
        dc_->TextOut(U(400), y(150), u".");
        dc_->TextOut(U(450) + U(off) / 3, y(150), u".");
        const QImage& img = Picture();

        auto darkRows = [&](int x, int from, int to) {
            int dark = 0, grey = 0;
            for (int row = from; row < to; ++row) {
                const int g = qGray(img.pixel(x, row));
                dark += g < 64 ? 1 : 0;
                grey += g >= 64 && g < 230 ? 1 : 0;
            }
            return std::pair{dark, grey};
        };
        EXPECT_EQ(darkRows(150, 40, 60), (std::pair{1, 0})) << "30-unit line across";
        EXPECT_EQ(darkRows(150, 62, 80), (std::pair{1, 0})) << "cosmetic line";
        EXPECT_EQ(darkRows(150, 95, 110).second, 0) << "box";
        EXPECT_GE(darkRows(150, 95, 110).first, 1) << "box";
        int darkColumns = 0, greyColumns = 0;
        for (int x = 290; x < 310; ++x) {
            const int g = qGray(img.pixel(x, 50));
            darkColumns += g < 64 ? 1 : 0;
            greyColumns += g >= 64 && g < 230 ? 1 : 0;
        }
        EXPECT_EQ(darkColumns, 1) << "30-unit line down";
        EXPECT_EQ(greyColumns, 0) << "30-unit line down";
        // The two dots: the same pattern of pixels, one 50 pixels right of the other.
        const QImage a = img.copy(390, 130, 20, 30);
        const QImage b = img.copy(440, 130, 20, 30);
        EXPECT_EQ(a, b);
    }
}

TEST_F(ImageProbe, ClipWithAHoleLeavesTheHoleUnpainted)
{
    const Region outer(Rect{100, 100, 300, 300});
    const Region hole(Rect{150, 150, 250, 250});
    const Region ring = Region::Combine(outer, hole, RegionCombine::Diff);
    dc_->SelectClipRegion(&ring);
    ASSERT_TRUE(dc_->GetClipRegion().has_value());
    dc_->SelectPen(Pen{platform::kPsNull, 0, 0});
    dc_->SelectBrush(Brush::Solid(Rgb(0, 0, 0)));
    dc_->Rectangle(Rect{0, 0, U(600), U(400)});
    // Removing the clip lets a second figure paint where the first could not.
    dc_->SelectClipRegion(nullptr);
    EXPECT_FALSE(dc_->GetClipRegion().has_value());
    dc_->Rectangle(Rect{U(400), U(50), U(450), U(100)});
    const QImage& img = Picture();
    EXPECT_TRUE(Dark(img, 120, 120));
    EXPECT_TRUE(Dark(img, 280, 200));
    EXPECT_FALSE(Dark(img, 200, 200));  // the hole
    EXPECT_FALSE(Dark(img, 160, 240));
    EXPECT_FALSE(Dark(img, 350, 350));  // outside the region
    EXPECT_TRUE(Dark(img, 425, 75));
}

TEST_F(ImageProbe, IntersectingTheClipKeepsBothLimits)
{
    const Region left(Rect{0, 0, 300, 400});
    dc_->SelectClipRegion(&left);
    dc_->ExtSelectClipRegion(Region(Rect{0, 0, 600, 200}), RegionCombine::And);
    EXPECT_EQ(*dc_->GetClipRegion(), Region(Rect{0, 0, 300, 200}));
    dc_->SelectPen(Pen{platform::kPsNull, 0, 0});
    dc_->SelectBrush(Brush::Solid(0));
    dc_->Rectangle(Rect{0, 0, U(600), U(400)});
    const QImage& img = Picture();
    EXPECT_TRUE(Dark(img, 100, 100));
    EXPECT_FALSE(Dark(img, 400, 100));
    EXPECT_FALSE(Dark(img, 100, 300));
}

TEST_F(ImageProbe, AngleArcEndsWhereItsSweepEnds)
{
    struct Case {
        float start;
        float sweep;
    };
    const Case cases[] = {{90.0f, 75.0f}, {90.0f, -75.0f}, {0.0f, 180.0f}, {200.0f, 60.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.start << " + " << c.sweep);
        image_.fill(Qt::white);
        dc_.emplace(&image_);
        dc_->SetMapMode(platform::MapMode::Isotropic);
        dc_->SetWindowExt(Size{U(600), U(400)});
        dc_->SetViewportExt(Size{600, 400});
        const double cx = 300, cy = 200, r = 120;
        const double a0 = c.start * std::numbers::pi / 180;
        const double a1 = (c.start + c.sweep) * std::numbers::pi / 180;
        const double sx = cx + r * std::cos(a0), sy = cy - r * std::sin(a0);
        const double ex = cx + r * std::cos(a1), ey = cy - r * std::sin(a1);
        dc_->SelectPen(Pen{platform::kPsSolid, U(3), 0});
        dc_->MoveTo(U(sx), U(sy));
        dc_->AngleArc(U(cx), U(cy), U(r), c.start, c.sweep);
        // The current position is the end of the arc.
        const Point end = dc_->MoveTo(0, 0);
        EXPECT_NEAR(end.x, U(ex), 2);
        EXPECT_NEAR(end.y, U(ey), 2);
        const QImage& img = Picture();
        auto inkNear = [&](double x, double y) {
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    if (Dark(img, static_cast<int>(x) + dx, static_cast<int>(y) + dy))
                        return true;
            return false;
        };
        EXPECT_TRUE(inkNear(sx, sy));
        EXPECT_TRUE(inkNear(ex, ey));
        // Half-way along the sweep lies on the arc; beyond the end does not.
        const double am = (a0 + a1) / 2, ab = a1 + (a1 - a0) / std::fabs(a1 - a0) * 0.5;
        EXPECT_TRUE(inkNear(cx + r * std::cos(am), cy - r * std::sin(am)));
        EXPECT_FALSE(inkNear(cx + r * std::cos(ab), cy - r * std::sin(ab)));
    }
}

TEST_F(ImageProbe, PathWithBezierAndArcIsFilled)
{
    dc_->SelectBrush(Brush::Solid(0));
    dc_->BeginPath();
    dc_->MoveTo(U(100), U(300));
    const std::array<Point, 3> curve{Point{U(150), U(100)}, Point{U(250), U(100)},
                                     Point{U(300), U(300)}};
    dc_->PolyBezierTo(curve);
    dc_->AngleArc(U(200), U(300), U(100), 0.0f, -180.0f);
    dc_->EndPath();
    dc_->FillPath();
    const QImage& img = Picture();
    EXPECT_TRUE(Dark(img, 200, 250));   // under the curve
    EXPECT_TRUE(Dark(img, 200, 350));   // inside the lower half circle
    EXPECT_FALSE(Dark(img, 200, 120));  // above the curve's top
    EXPECT_FALSE(Dark(img, 60, 300));
}

TEST_F(ImageProbe, TextTurnedBy900TenthsRunsUpwards)
{
    quaverly::LogFont lf = Font(u"DejaVu Sans", -U(30));
    lf.escapement = 900;
    lf.orientation = 900;
    dc_->SelectFont(lf);
    dc_->SetTextAlign(platform::kTaBaseline | platform::kTaLeft);
    dc_->TextOut(U(300), U(350), u"HHHHHH");
    const Ink ink = FindInk(Picture());
    ASSERT_FALSE(ink.Empty());
    EXPECT_GT(ink.bottom - ink.top, 3 * (ink.right - ink.left));  // runs vertically
    EXPECT_LE(ink.bottom, 351);                                   // starts at the point
    EXPECT_LT(ink.top, 350 - 100);                                // and goes up
    EXPECT_LE(ink.right, 301);  // the letters' tops point left of the baseline
    EXPECT_GT(ink.left, 300 - 30);
}

TEST_F(ImageProbe, OpaqueRectangleTakesTheBackgroundColour)
{
    dc_->SetBkColor(Rgb(0, 51, 153));
    const Rect r{U(100), U(100), U(200), U(150)};
    dc_->ExtTextOut(0, 0, platform::kEtoOpaque, &r, u"");
    const QImage& img = Picture();
    EXPECT_EQ(img.pixel(150, 125), qRgb(0, 51, 153));
    EXPECT_EQ(img.pixel(150, 160), qRgb(255, 255, 255));
}

TEST_F(ImageProbe, DrawTextCentresASingleLineAndWrapsWords)
{
    dc_->SelectFont(Font(u"Liberation Sans", -U(20)));
    Rect box{U(100), U(100), U(500), U(200)};
    dc_->DrawText(u"Wide", box,
                  platform::kDtCenter | platform::kDtVCenter | platform::kDtSingleLine |
                      platform::kDtNoPrefix);
    const Ink ink = FindInk(Picture());
    EXPECT_NEAR(ink.CentreX(), 300.0, 2.0);

    image_.fill(Qt::white);
    dc_.emplace(&image_);
    dc_->SetMapMode(platform::MapMode::Isotropic);
    dc_->SetWindowExt(Size{U(600), U(400)});
    dc_->SetViewportExt(Size{600, 400});
    dc_->SelectFont(Font(u"Liberation Sans", -U(20)));
    const std::int32_t line = dc_->GetTextMetrics().height;
    Rect narrow{0, 0, U(120), 0};
    const std::int32_t height =
        dc_->DrawText(u"one two three four five six", narrow,
                      platform::kDtWordBreak | platform::kDtCalcRect | platform::kDtNoPrefix);
    EXPECT_GE(height, 2 * line);
    EXPECT_EQ(narrow.bottom, height);
    // An edit-control box one and a half lines high shows one line.
    Rect shallow{U(50), U(50), U(170), U(50) + line * 3 / 2};
    EXPECT_EQ(dc_->DrawText(u"one two three four five six", shallow,
                            platform::kDtWordBreak | platform::kDtEditControl |
                                platform::kDtNoPrefix),
              line);
}

// On a vector surface (a picture here, as on a printer or a PDF) text in a rectangle is
// still cut at the rectangle when its glyphs reach out of it, and comes out as on a raster
// surface when they lie inside.
TEST(QtDeviceContext, TextInARectangleOnAVectorSurfaceIsClippedWhereItReachesOut)
{
    ASSERT_EQ(platform::AddFontResource(kFontFile), 5);
    struct Case {
        const char* name;
        Rect box;
        bool reachesOut;
    };
    const Case cases[] = {
        {"fits", Rect{20, 10, 280, 90}, false},
        {"wider than its box", Rect{120, 10, 180, 90}, true},
        {"taller than its box", Rect{20, 45, 280, 60}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto draw = [&c](QtDeviceContext& dc) {
            dc.SetBkMode(platform::BkMode::Transparent);
            dc.SelectFont(Font(u"Liberation Sans", -40));
            Rect box = c.box;
            dc.DrawText(u"Wag", box,
                        platform::kDtCenter | platform::kDtVCenter | platform::kDtSingleLine |
                            platform::kDtNoPrefix);
        };
        QPicture picture;
        {
            QtDeviceContext dc(&picture);
            draw(dc);
        }
        QImage replayed(300, 100, QImage::Format_RGB32);
        replayed.fill(Qt::white);
        {
            QPainter painter(&replayed);
            painter.drawPicture(0, 0, picture);
        }
        QImage direct(300, 100, QImage::Format_RGB32);
        direct.fill(Qt::white);
        {
            QtDeviceContext dc(&direct);
            draw(dc);
        }
        const Ink ink = FindInk(replayed);
        ASSERT_FALSE(ink.Empty());
        EXPECT_GE(ink.left, c.box.left);
        EXPECT_LT(ink.right, c.box.right);
        EXPECT_GE(ink.top, c.box.top);
        EXPECT_LT(ink.bottom, c.box.bottom);
        if (!c.reachesOut) {
            EXPECT_TRUE(replayed == direct);
        }
    }
}

TEST_F(ImageProbe, ChineseTextInALatinFaceIsDrawn)
{
    dc_->SelectFont(Font(u"Arial", -U(30)));
    const Size extent = dc_->GetTextExtent(u"歌词");
    EXPECT_GT(extent.cx, U(40));
    dc_->SetTextAlign(platform::kTaTop | platform::kTaLeft);
    dc_->TextOut(U(100), U(100), u"歌词");
    const Ink ink = FindInk(Picture());
    ASSERT_FALSE(ink.Empty());
    EXPECT_GT(ink.right - ink.left, 40);
}

TEST_F(ImageProbe, WidthStretchesTheFont)
{
    quaverly::LogFont lf = Font(u"Liberation Sans", -U(20));
    dc_->SelectFont(lf);
    const platform::TextMetrics plain = dc_->GetTextMetrics();
    const Size plainExtent = dc_->GetTextExtent(u"xxxx");
    lf.width = plain.aveCharWidth * 2;
    dc_->SelectFont(lf);
    EXPECT_NEAR(dc_->GetTextMetrics().aveCharWidth, lf.width, lf.width / 20.0);
    EXPECT_NEAR(dc_->GetTextExtent(u"xxxx").cx, 2.0 * plainExtent.cx, plainExtent.cx / 10.0);
    EXPECT_EQ(dc_->GetTextMetrics().height, plain.height);
}

// Big-endian fields of a font's own tables.
std::int16_t Field16(const QByteArray& table, int offset)
{
    return qFromBigEndian<qint16>(table.constData() + offset);
}

TEST_F(ImageProbe, FontMetricsAgreeWithTheFontsOwnTables)
{
    struct Case {
        const char16_t* face;
        int weight;
    };
    const Case cases[] = {{u"DejaVu Sans", 400}, {u"Tansy Number", 400}, {u"Tansy", 400},
                          {u"Tansy Times", 700}};
    for (const Case& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.face).toStdString());
        QFont probe(QString::fromUtf16(c.face));
        probe.setWeight(static_cast<QFont::Weight>(c.weight));
        probe.setPixelSize(100);
        const QRawFont raw = QRawFont::fromFont(probe);
        ASSERT_EQ(raw.familyName(), QString::fromUtf16(c.face));
        const QByteArray head = raw.fontTable("head");
        const QByteArray hhea = raw.fontTable("hhea");
        const QByteArray os2 = raw.fontTable("OS/2");
        ASSERT_GE(head.size(), 54);
        ASSERT_GE(hhea.size(), 36);
        ASSERT_GE(os2.size(), 78);
        const int unitsPerEm = static_cast<quint16>(Field16(head, 18));
        const int ascender = Field16(hhea, 4);
        const int descender = -Field16(hhea, 6);
        const int average = Field16(os2, 2);

        // In the text mapping mode with an em of unitsPerEm pixels, metrics are font units.
        QImage img(10, 10, QImage::Format_RGB32);
        QtDeviceContext dc(&img);
        dc.SelectFont(Font(c.face, -unitsPerEm, c.weight));
        const platform::TextMetrics tm = dc.GetTextMetrics();
        EXPECT_NEAR(tm.ascent, ascender, 1);
        EXPECT_NEAR(tm.descent, descender, 1);
        EXPECT_NEAR(tm.internalLeading, ascender + descender - unitsPerEm, 2);
        EXPECT_NEAR(tm.aveCharWidth, average, 1);
        EXPECT_EQ(dc.GetTextExtent(u"x").cy, tm.height);
    }
}

// What one context measures, as a context made afresh for the one question measures it.
struct Measured {
    Size extent;
    platform::TextMetrics metrics;
    platform::AbcWidths first;
};

Measured MeasureOn(QtDeviceContext& dc, std::u16string_view text)
{
    return {dc.GetTextExtent(text), dc.GetTextMetrics(), dc.GetCharAbcWidths(text.front())};
}

void ExpectSame(const Measured& got, const Measured& want)
{
    EXPECT_EQ(got.extent, want.extent);
    EXPECT_EQ(got.metrics.height, want.metrics.height);
    EXPECT_EQ(got.metrics.ascent, want.metrics.ascent);
    EXPECT_EQ(got.metrics.internalLeading, want.metrics.internalLeading);
    EXPECT_EQ(got.metrics.aveCharWidth, want.metrics.aveCharWidth);
    EXPECT_EQ(got.metrics.maxCharWidth, want.metrics.maxCharWidth);
    EXPECT_EQ(got.first.a, want.first.a);
    EXPECT_EQ(got.first.b, want.first.b);
    EXPECT_EQ(got.first.c, want.first.c);
}

// A context answers a repeated measurement from what it measured before; the answers must
// follow the selected font (record by record, however often fonts alternate) and the
// mapping (a font of default height grows with a zoom), and agree with a new context.
TEST_F(ImageProbe, RepeatedMeasuringFollowsTheFontAndTheMapping)
{
    const quaverly::LogFont fonts[] = {
        Font(u"Arial", -U(14)),        Font(u"Arial", -U(28)),     Font(u"Arial", -U(14), 700),
        Font(u"宋体", -U(14)),         Font(u"Tansy Number", -U(20)), Font(u"Arial", 0),
        Font(u"Times New Roman", U(30)),
    };
    const std::u16string_view texts[] = {u"yue", u"a", u"月亮", u"yue a"};
    const Size windows[] = {{U(600), U(400)}, {U(300), U(200)}};  // normal, zoomed twice
    auto fresh = [](const quaverly::LogFont& font, Size window, std::u16string_view text) {
        QImage image(600, 400, QImage::Format_RGB32);
        QtDeviceContext dc(&image);
        dc.SetMapMode(platform::MapMode::Isotropic);
        dc.SetWindowExt(window);
        dc.SetViewportExt(Size{600, 400});
        dc.SelectFont(font);
        return MeasureOn(dc, text);
    };
    for (int round = 0; round < 2; ++round) {
        for (const Size window : windows) {
            dc_->SetWindowExt(window);
            for (const quaverly::LogFont& font : fonts) {
                dc_->SelectFont(font);
                for (const std::u16string_view text : texts) {
                    SCOPED_TRACE(testing::Message()
                                 << "round " << round << ", window " << window.cx << ", font "
                                 << QString::fromStdU16String(font.FaceName()).toStdString()
                                 << " " << font.height << "/" << font.weight << ", text "
                                 << QString::fromStdU16String(std::u16string(text)).toStdString());
                    ExpectSame(MeasureOn(*dc_, text), fresh(font, window, text));
                }
            }
        }
    }
    // The cases tell the fonts and the zooms apart: a remembered answer that ignored either
    // would fail above.
    dc_->SetWindowExt(windows[0]);
    dc_->SelectFont(Font(u"Arial", 0));
    const Size normal = dc_->GetTextExtent(u"yue");
    dc_->SetWindowExt(windows[1]);
    EXPECT_NEAR(dc_->GetTextExtent(u"yue").cx * 2, normal.cx, 8);
    dc_->SelectFont(Font(u"Arial", -U(28)));
    const Size large = dc_->GetTextExtent(u"yue");
    dc_->SelectFont(Font(u"Arial", -U(14)));
    EXPECT_LT(dc_->GetTextExtent(u"yue").cx * 3, large.cx * 2);
}

// Text drawn centred after other fonts were measured is centred by its own font's width.
TEST_F(ImageProbe, CentredTextAfterAFontChangeUsesItsOwnWidth)
{
    dc_->SelectFont(Font(u"Arial", -U(10)));
    (void)dc_->GetTextExtent(u"yue");
    dc_->SelectFont(Font(u"Arial", -U(60)));
    (void)dc_->GetTextExtent(u"yue");
    dc_->SelectFont(Font(u"Arial", -U(10)));
    dc_->SelectFont(Font(u"Arial", -U(60)));
    dc_->SetTextAlign(platform::kTaBaseline | platform::kTaCenter);
    dc_->TextOut(U(300), U(200), u"yue");
    const Ink ink = FindInk(Picture());
    ASSERT_FALSE(ink.Empty());
    EXPECT_NEAR(ink.CentreX(), 300.0, 3.0);
    EXPECT_GT(ink.right - ink.left, 60);
}

// Text is shaped once per font and drawn again from the shaped layout; what comes out is
// what the painter draws of the same text, the first time and every time after, and
// text a layout would treat its own way (a tab, right-to-left letters) is left to the
// painter.
TEST(QtDeviceContext, TextDrawnAgainComesOutAsThePainterDrawsIt)
{
    ASSERT_EQ(platform::AddFontResource(kFontFile), 5);
    const quaverly::LogFont fonts[] = {Font(u"Arial", -18), Font(u"宋体", -22),
                                       Font(u"Tansy Number", -26), Font(u"Arial", -15, 700)};
    const std::u16string_view texts[] = {u"yue", u"a", u"月亮", u"1234567", u"fi fl",
                                         u"a\tb",  u"שלום", u"x\u0301y"};
    for (const quaverly::LogFont& font : fonts) {
        for (const std::u16string_view text : texts) {
            SCOPED_TRACE(QString::fromStdU16String(font.FaceName() + u" " + std::u16string(text))
                             .toStdString());
            QImage drawn(160, 40, QImage::Format_RGB32);
            QImage expected(160, 40, QImage::Format_RGB32);
            drawn.fill(Qt::white);
            expected.fill(Qt::white);
            QFont qfont;
            {
                QtDeviceContext dc(&drawn);
                dc.SetBkMode(platform::BkMode::Transparent);
                dc.SetTextAlign(platform::kTaBaseline | platform::kTaLeft);
                dc.SelectFont(font);
                qfont = dc.CurrentQFont();
                for (int round = 0; round < 2; ++round)
                    dc.TextOut(10 + 70 * round, 28, text);
            }
            {
                QPainter painter(&expected);
                painter.setRenderHint(QPainter::Antialiasing, true);
                painter.setRenderHint(QPainter::TextAntialiasing, true);
                painter.setFont(qfont);
                painter.setPen(Qt::black);
                const QString qtext = QString::fromStdU16String(std::u16string(text));
                painter.drawText(QPointF(10, 28), qtext);
                painter.drawText(QPointF(80, 28), qtext);
            }
            EXPECT_TRUE(drawn == expected);
        }
    }
}

TEST(QtDeviceContext, PrinterSurfaceReportsItsMargins)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QPdfWriter writer(dir.filePath(QStringLiteral("page.pdf")));
    writer.setResolution(600);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(10, 20, 10, 20), QPageLayout::Millimeter);
    QtDeviceContext dc(&writer);
    EXPECT_EQ(dc.GetDeviceCaps(DeviceCap::LogPixelsX), 600);
    EXPECT_NEAR(dc.GetDeviceCaps(DeviceCap::PhysicalOffsetX), 10 / 25.4 * 600, 6);
    EXPECT_NEAR(dc.GetDeviceCaps(DeviceCap::PhysicalOffsetY), 20 / 25.4 * 600, 6);
    EXPECT_NEAR(dc.GetDeviceCaps(DeviceCap::PhysicalWidth), 210 / 25.4 * 600, 6);
    EXPECT_NEAR(dc.GetDeviceCaps(DeviceCap::HorzRes), 190 / 25.4 * 600, 6);
    EXPECT_NEAR(dc.GetDeviceCaps(DeviceCap::HorzSize), 190, 1);
}

TEST(QtDeviceContext, BorrowedPainterGetsItsStateBack)
{
    QImage img(100, 100, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter painter(&img);
    painter.translate(10, 20);
    {
        QtDeviceContext dc(&painter);
        dc.SetMapMode(platform::MapMode::Isotropic);
        dc.SetWindowExt(Size{1000, 1000});
        dc.SetViewportExt(Size{100, 100});
        const Region clip(Rect{0, 0, 50, 50});
        dc.SelectClipRegion(&clip);
        // The context maps into the painter's space: logical (100, 100) is pixel (20, 30).
        EXPECT_EQ(painter.worldTransform().map(QPointF(100, 100)), QPointF(20, 30));
    }
    EXPECT_EQ(painter.worldTransform(), QTransform::fromTranslate(10, 20));
    EXPECT_FALSE(painter.hasClipping());
}

TEST(Region, CombinesRectangles)
{
    const Region a(Rect{0, 0, 10, 10});
    const Region b(Rect{5, 5, 15, 15});
    struct Case {
        RegionCombine mode;
        std::int64_t area;
        Point inside;
        Point outside;
    };
    const Case cases[] = {
        {RegionCombine::And, 25, {7, 7}, {2, 2}},
        {RegionCombine::Or, 175, {12, 12}, {12, 2}},
        {RegionCombine::Xor, 150, {2, 2}, {7, 7}},
        {RegionCombine::Diff, 75, {2, 8}, {7, 7}},
        {RegionCombine::Copy, 100, {7, 7}, {12, 12}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        const Region r = Region::Combine(a, b, c.mode);
        EXPECT_EQ(r.Area(), c.area);
        EXPECT_TRUE(r.Contains(c.inside));
        EXPECT_FALSE(r.Contains(c.outside));
    }
    EXPECT_TRUE(Region::Combine(a, a, RegionCombine::Diff).IsEmpty());
    EXPECT_TRUE(Region(Rect{5, 5, 5, 9}).IsEmpty());
    // Equality is by pixels, not by how the rectangles are cut.
    const Region halves =
        Region::Combine(Region(Rect{0, 0, 5, 10}), Region(Rect{5, 0, 10, 10}), RegionCombine::Or);
    EXPECT_EQ(halves, a);
}

TEST(Mapping, IsotropicUsesTheSmallerScaleAndRefusesZeroExtents)
{
    platform::RecordingDeviceContext dc;
    dc.SetMapMode(platform::MapMode::Isotropic);
    dc.SetWindowExt(Size{1000, 1000});
    dc.SetViewportExt(Size{200, 100});
    EXPECT_DOUBLE_EQ(dc.GetMapping().ScaleX(), 0.1);
    EXPECT_DOUBLE_EQ(dc.GetMapping().ScaleY(), 0.1);
    EXPECT_EQ(dc.LPtoDP(Point{500, 500}), (Point{50, 50}));
    dc.SetViewportOrg(Point{10, 20});
    EXPECT_EQ(dc.LPtoDP(Point{500, 500}), (Point{60, 70}));
    EXPECT_EQ(dc.DPtoLP(Point{60, 70}), (Point{500, 500}));
    // A zero extent is refused: the mapping stays usable.
    const Size old = dc.SetWindowExt(Size{0, 0});
    EXPECT_EQ(old, (Size{1000, 1000}));
    EXPECT_EQ(dc.GetMapping().windowExt, (Size{1000, 1000}));
    dc.SetViewportExt(Size{0, 50});
    EXPECT_TRUE(std::isfinite(dc.GetMapping().ScaleY()));
    dc.SetMapMode(platform::MapMode::Text);
    EXPECT_EQ(dc.LPtoDP(Point{5, 5}), (Point{15, 25}));
}

TEST(Mapping, UnitsPerPixelComeFromTheLogicalResolution)
{
    struct Case {
        int dpi;
        float expected;
    };
    const Case cases[] = {{96, 2540.0f / 96}, {120, 2540.0f / 120}, {600, 2540.0f / 600},
                          {0, 2540.0f / 96},  {-3, 2540.0f / 96},   {1, 2540.0f / 96},
                          {1000000, 2540.0f / 96}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dpi);
        EXPECT_FLOAT_EQ(platform::HundredthsOfMmPerPixel(c.dpi), c.expected);
        platform::RecordingDeviceContext dc;
        dc.SetDeviceCaps(DeviceCap::LogPixelsX, c.dpi);
        EXPECT_FLOAT_EQ(platform::HundredthsOfMmPerPixel(dc), c.expected);
    }
}

TEST(FontMapper, DesktopFaceNamesMapToInstalledFaces)
{
    struct Case {
        const char16_t* face;
        std::uint8_t charSet;
        std::uint8_t pitchAndFamily;
        QStringList expected;
    };
    const Case cases[] = {
        {u"宋体", 134, 0, {"Noto Serif CJK SC"}},
        {u"SimSun", 1, 0, {"Noto Serif CJK SC"}},
        {u"黑体", 134, 0, {"Noto Sans CJK SC"}},
        {u"Arial", 1, 0, {"Liberation Sans", "Noto Sans CJK SC"}},
        {u"times new roman", 1, 0, {"Liberation Serif", "Noto Serif CJK SC"}},
        {u"Courier New", 1, 0, {"Liberation Mono", "Noto Sans CJK SC"}},
        {u"Tahoma", 136, 0, {"Liberation Sans", "Noto Sans CJK TC"}},
        {u"Tansy", 1, 0, {"Tansy"}},
        {u"Tansy Number", 1, 0, {"Tansy Number"}},
        {u"", 1, 0x12, {"Liberation Serif", "Noto Serif CJK SC"}},
        {u"", 1, 0, {"Liberation Sans", "Noto Sans CJK SC"}},
        {u"No Such Face At All", 1, 0x31, {"Liberation Mono", "Noto Sans CJK SC"}},
        {u"DejaVu Sans", 1, 0, {"DejaVu Sans", "Noto Sans CJK SC"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.face).toStdString());
        EXPECT_EQ(platform::FontMapper::Families(c.face, c.charSet, c.pitchAndFamily), c.expected);
    }
}

TEST(FontMapper, RecordFieldsBecomeQtFontProperties)
{
    quaverly::LogFont lf = Font(u"Arial", -240, 700);
    lf.italic = 1;
    lf.underline = 1;
    QFont f = platform::FontMapper::ToQFont(lf, 16);
    EXPECT_EQ(f.pixelSize(), 240);
    EXPECT_EQ(f.weight(), QFont::Bold);
    EXPECT_TRUE(f.italic());
    EXPECT_TRUE(f.underline());
    EXPECT_FALSE(f.kerning());
    // A positive height is the cell height: the em is smaller.
    lf.height = 240;
    f = platform::FontMapper::ToQFont(lf, 16);
    EXPECT_LT(f.pixelSize(), 240);
    EXPECT_GT(f.pixelSize(), 180);
    lf.height = 0;
    EXPECT_EQ(platform::FontMapper::ToQFont(lf, 16).pixelSize(), 16);
    // Music faces never borrow glyphs from other fonts.
    EXPECT_TRUE(platform::FontMapper::ToQFont(Font(u"Tansy", -20), 16).styleStrategy() &
                QFont::NoFontMerging);
}

TEST(RecordingDeviceContext, RecordsCallsWithTheStateInForce)
{
    platform::RecordingDeviceContext dc;
    dc.SelectFont(Font(u"Tansy", -529));
    dc.SetTextColor(Rgb(255, 0, 0));
    dc.SetTextAlign(platform::kTaBaseline | platform::kTaCenter);
    dc.MoveTo(10, 20);
    EXPECT_FALSE(dc.PaintedAnything());
    dc.BeginPath();
    dc.LineTo(30, 40);
    dc.EndPath();
    EXPECT_FALSE(dc.PaintedAnything());
    dc.TextOut(5, 6, u"#");
    EXPECT_TRUE(dc.PaintedAnything());
    const auto texts = dc.CallsOf("TextOut");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].points[0], (Point{5, 6}));
    EXPECT_EQ(texts[0].font.FaceName(), u"Tansy");
    EXPECT_EQ(texts[0].textColor, Rgb(255, 0, 0));
    EXPECT_EQ(texts[0].align, platform::kTaBaseline | platform::kTaCenter);
    const auto lines = dc.CallsOf("LineTo");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].inPath);
    EXPECT_EQ(lines[0].points[0], (Point{10, 20}));
    // Fixed measuring rules.
    EXPECT_EQ(dc.GetTextExtent(u"ab"), (Size{529, 529}));
}

}  // namespace
