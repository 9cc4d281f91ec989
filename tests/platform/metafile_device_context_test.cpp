// The metafile backend of the drawing context: the file's header and records read back by
// the tests' own reader (tests/support/emf_player.h), the objects' lifetimes, the frame, the
// measuring, and pictures: the records played back onto an image and compared with the
// same drawing through the QPainter backend.
#include "platform/device_context.h"
#include "platform/font_resources.h"
#include "platform/metafile_device_context.h"
#include "platform/music_glyphs.h"
#include "platform/qt_device_context.h"
#include "tests/platform/platform_test_util.h"
#include "tests/support/emf_player.h"
#include "tests/support/specimen_folder.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QSvgGenerator>
#include <QSvgRenderer>
#include <QBuffer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace emf_test;
using platform::Brush;
using platform::DeviceCap;
using platform::MetafileDeviceContext;
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

// A sharp, a fermata and a segno of the music face.
const std::u16string kSymbols{platform::music::kSharp, platform::music::kFermata,
                              platform::music::kSegno};

// ---- pictures ----

int DarkPixels(const QImage& image, const QRect& area)
{
    int n = 0;
    for (int y = std::max(0, area.top()); y <= std::min(image.height() - 1, area.bottom()); ++y)
        for (int x = std::max(0, area.left()); x <= std::min(image.width() - 1, area.right()); ++x)
            n += Dark(image, x, y) ? 1 : 0;
    return n;
}

// The dark pixels of `a` with no dark pixel of `b` within `reach` pixels.
int InkMissingFrom(const QImage& a, const QImage& b, int reach)
{
    int missing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (!Dark(a, x, y))
                continue;
            bool near = false;
            for (int dy = -reach; dy <= reach && !near; ++dy)
                for (int dx = -reach; dx <= reach && !near; ++dx) {
                    const int u = x + dx, v = y + dy;
                    near = u >= 0 && v >= 0 && u < b.width() && v < b.height() && Dark(b, u, v);
                }
            missing += near ? 0 : 1;
        }
    return missing;
}

// Where a picture for people to look at goes.
std::filesystem::path SpecimenPath(const std::string& name)
{
    return test_support::SpecimenFolder() / name;
}

void SaveSpecimen(const QImage& image, const std::string& name)
{
    EXPECT_TRUE(image.save(QString::fromStdString(SpecimenPath(name).string())));
}

std::int32_t U(double pixels)
{
    return static_cast<std::int32_t>(std::lround(pixels * kUnitsPerPixel));
}

// Sets the 0.01 mm mapping of the score view on a context whose device is `size` pixels.
void MapHundredthsOfMm(platform::DeviceContext& dc, QSize size)
{
    dc.SetMapMode(platform::MapMode::Isotropic);
    dc.SetWindowExt(Size{U(size.width()), U(size.height())});
    dc.SetViewportExt(Size{size.width(), size.height()});
}

class MetafileTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(platform::AddFontResource(kFontFile), 5); }
};

// ---- the header and the records ----

TEST_F(MetafileTest, TinyPictureHasTheGoldenHeaderAndRecords)
{
    MetafileDeviceContext dc(Rect{0, 0, 2540, 2540});  // one inch square at 96 dpi
    dc.MoveTo(10, 20);
    dc.LineTo(50, 20);
    const EmfFile emf(dc.Finish());

    const std::vector<std::uint32_t> types = {
        EMR_HEADER,     EMR_SETBKMODE,    EMR_EXTSELECTCLIPRGN, EMR_INTERSECTCLIPRECT,
        EMR_EXTCREATEPEN, EMR_SELECTOBJECT, EMR_MOVETOEX,        EMR_LINETO,
        EMR_SELECTOBJECT, EMR_DELETEOBJECT, EMR_EOF};
    const std::vector<std::uint32_t> sizes = {108, 12, 16, 24, 52, 12, 16, 16, 12, 12, 20};
    ASSERT_EQ(emf.Types(), types);
    for (std::size_t i = 0; i < sizes.size(); ++i)
        EXPECT_EQ(emf.Records()[i].size, sizes[i]) << "record " << i;

    const Record& h = emf.Records().front();
    EXPECT_EQ(h.offset, 0u);
    EXPECT_EQ(emf.RectAt(24), (Rect{0, 0, 2540, 2540}));  // frame, 0.01 mm
    EXPECT_EQ(emf.U32(40), 0x464D4520u);                  // " EMF"
    EXPECT_EQ(emf.U32(44), 0x00010000u);                  // version
    EXPECT_EQ(emf.U32(48), 300u);                         // bytes of the file
    EXPECT_EQ(emf.Size(), 300u);
    EXPECT_EQ(emf.U32(52), 11u);  // records
    EXPECT_EQ(emf.U32(56) & 0xFFFF, 2u);  // handles: the picture and one pen
    EXPECT_EQ(emf.U32(56) >> 16, 0u);     // reserved
    EXPECT_EQ(emf.U32(60), 0u);           // no description
    EXPECT_EQ(emf.U32(64), 0u);
    EXPECT_EQ(emf.U32(68), 0u);  // no palette
    // The reference device: 20 x 15 inches at 96 dpi, whole millimetres and micrometres.
    EXPECT_EQ(emf.I32(72), 1920);
    EXPECT_EQ(emf.I32(76), 1440);
    EXPECT_EQ(emf.I32(80), 508);
    EXPECT_EQ(emf.I32(84), 381);
    EXPECT_EQ(emf.U32(88), 0u);  // no pixel format, no OpenGL
    EXPECT_EQ(emf.U32(92), 0u);
    EXPECT_EQ(emf.U32(96), 0u);
    EXPECT_EQ(emf.U32(100), 508000u);
    EXPECT_EQ(emf.U32(104), 381000u);
    // Bounds in device pixels hold the line and its pen, and no more than a pixel around.
    const Rect bounds = emf.RectAt(8);
    EXPECT_LE(bounds.left, 10);
    EXPECT_GE(bounds.left, 9);
    EXPECT_LE(bounds.right, 50);
    EXPECT_GE(bounds.right, 49);
    EXPECT_LE(bounds.top, 20);
    EXPECT_GE(bounds.bottom, 20);
    EXPECT_LE(bounds.bottom - bounds.top, 2);

    // The records' fields.
    const auto& r = emf.Records();
    EXPECT_EQ(emf.UField(r[1], 0), 1u);  // transparent background
    EXPECT_EQ(emf.UField(r[2], 0), 0u);  // no region data: back to no clipping
    EXPECT_EQ(emf.UField(r[2], 1), 5u);  // RGN_COPY
    EXPECT_EQ(emf.RectAt(r[3].offset + 8), (Rect{0, 0, 97, 97}));  // the frame's pixels
    EXPECT_EQ(emf.UField(r[4], 0), 1u);           // pen index
    EXPECT_EQ(emf.UField(r[4], 1), 0u);           // no bitmap
    EXPECT_EQ(emf.UField(r[4], 5), 0u);           // cosmetic, solid
    EXPECT_EQ(emf.UField(r[4], 6), 1u);           // one pixel
    EXPECT_EQ(emf.UField(r[4], 7), 0u);           // solid brush style
    EXPECT_EQ(emf.UField(r[4], 8), Rgb(0, 0, 0));
    EXPECT_EQ(emf.UField(r[4], 10), 0u);  // no style entries
    EXPECT_EQ(emf.UField(r[5], 0), 1u);
    EXPECT_EQ(emf.Field(r[6], 0), 10);
    EXPECT_EQ(emf.Field(r[6], 1), 20);
    EXPECT_EQ(emf.Field(r[7], 0), 50);
    EXPECT_EQ(emf.Field(r[7], 1), 20);
    EXPECT_EQ(emf.UField(r[8], 0), BLACK_PEN);
    EXPECT_EQ(emf.UField(r[9], 0), 1u);
    EXPECT_EQ(emf.UField(r[10], 0), 0u);   // no palette entries
    EXPECT_EQ(emf.UField(r[10], 1), 16u);  // their offset
    EXPECT_EQ(emf.UField(r[10], 2), 20u);  // the size of the last record
}

TEST_F(MetafileTest, EveryRecordKindReadsBackWithItsFields)
{
    MetafileDeviceContext dc(Rect{0, 0, 100000, 100000});
    dc.SetMapMode(platform::MapMode::Isotropic);
    dc.SetWindowExt(Size{2540, 2540});
    dc.SetViewportExt(Size{96, 96});
    dc.SetWindowOrg(Point{-100, -200});
    dc.SetViewportOrg(Point{3, 4});
    dc.SelectPen(Pen{platform::kPsDash, 0, Rgb(1, 2, 3)});
    dc.SelectBrush(Brush::Solid(Rgb(10, 20, 30)));
    dc.Rectangle(Rect{100, 200, 300, 400});
    dc.SelectPen(Pen{platform::kPsSolid, 40, Rgb(4, 5, 6)});
    dc.SelectBrush(Brush::Null());
    dc.Ellipse(Rect{500, 600, 700, 800});
    const std::array<Point, 3> triangle = {Point{0, 0}, Point{100, 0}, Point{50, 90}};
    dc.Polygon(triangle);
    dc.MoveTo(1000, 1000);
    const std::array<Point, 3> curve = {Point{1100, 900}, Point{1200, 1100}, Point{1300, 1000}};
    dc.PolyBezierTo(curve);
    dc.SelectBrush(Brush::Solid(Rgb(7, 8, 9)));
    dc.BeginPath();
    dc.MoveTo(2000, 2000);
    dc.LineTo(2400, 2000);
    dc.AngleArc(2400, 2200, 200, 90.0f, -180.0f);
    dc.CloseFigure();
    dc.EndPath();
    dc.FillPath();
    dc.BeginPath();
    dc.LineTo(0, 10);
    dc.AbortPath();
    dc.MoveTo(0, 0);
    dc.LineTo(70000, 70000);  // beyond 16 bits
    const EmfFile emf(dc.Finish());

    // Mapping, in the order a player needs.
    const auto mode = emf.Of(EMR_SETMAPMODE);
    ASSERT_FALSE(mode.empty());
    EXPECT_EQ(emf.Field(mode.back(), 0), 7);
    EXPECT_EQ(emf.Field(emf.Of(EMR_SETWINDOWEXTEX).back(), 0), 2540);
    EXPECT_EQ(emf.Field(emf.Of(EMR_SETVIEWPORTEXTEX).back(), 1), 96);
    EXPECT_EQ(emf.Field(emf.Of(EMR_SETWINDOWORGEX).back(), 1), -200);
    EXPECT_EQ(emf.Field(emf.Of(EMR_SETVIEWPORTORGEX).back(), 0), 3);
    const std::vector<std::uint32_t> types = emf.Types();
    const auto first = [&](std::uint32_t t) {
        return std::find(types.begin(), types.end(), t) - types.begin();
    };
    EXPECT_LT(first(EMR_SETMAPMODE), first(EMR_SETWINDOWEXTEX));
    EXPECT_LT(first(EMR_SETWINDOWEXTEX), first(EMR_SETVIEWPORTEXTEX));
    EXPECT_LT(first(EMR_SETVIEWPORTEXTEX), first(EMR_RECTANGLE));

    // Pens: a dashed one a device pixel wide with flat ends (geometric, so that players
    // keep its dashes), a wide geometric one with round ends.
    const auto pens = emf.Of(EMR_EXTCREATEPEN);
    ASSERT_GE(pens.size(), 2u);
    EXPECT_EQ(emf.UField(pens[0], 5), 0x00010201u);  // geometric, flat ends, PS_DASH
    EXPECT_EQ(emf.UField(pens[0], 6), 26u);          // 2540 / 96
    EXPECT_EQ(emf.UField(pens[0], 8), Rgb(1, 2, 3));
    EXPECT_EQ(emf.UField(pens[1], 5), 0x00010000u);  // geometric, solid, round ends and joins
    EXPECT_EQ(emf.UField(pens[1], 6), 40u);
    EXPECT_EQ(emf.UField(pens[1], 8), Rgb(4, 5, 6));
    for (const Record& p : pens)
        EXPECT_EQ(p.size, 52u);
    // Brushes.
    const auto brushes = emf.Of(EMR_CREATEBRUSHINDIRECT);
    ASSERT_EQ(brushes.size(), 2u);
    EXPECT_EQ(brushes[0].size, 24u);
    EXPECT_EQ(emf.UField(brushes[0], 1), 0u);  // BS_SOLID
    EXPECT_EQ(emf.UField(brushes[0], 2), Rgb(10, 20, 30));
    EXPECT_EQ(emf.UField(brushes[1], 2), Rgb(7, 8, 9));
    bool nullBrush = false;
    for (const Record& s : emf.Of(EMR_SELECTOBJECT))
        nullBrush = nullBrush || emf.UField(s, 0) == NULL_BRUSH;
    EXPECT_TRUE(nullBrush);

    // Shapes.
    ASSERT_EQ(emf.Of(EMR_RECTANGLE).size(), 1u);
    EXPECT_EQ(emf.RectAt(emf.Of(EMR_RECTANGLE)[0].offset + 8), (Rect{100, 200, 300, 400}));
    EXPECT_EQ(emf.Of(EMR_RECTANGLE)[0].size, 24u);
    EXPECT_EQ(emf.RectAt(emf.Of(EMR_ELLIPSE)[0].offset + 8), (Rect{500, 600, 700, 800}));
    const auto polygons = emf.Of(EMR_POLYGON16);
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].size, 28u + 3 * 4);
    EXPECT_EQ(emf.RectAt(polygons[0].offset + 8), (Rect{0, 0, 100, 90}));  // bounds
    EXPECT_EQ(emf.PolyPoints(polygons[0], true),
              (std::vector<Point>{{0, 0}, {100, 0}, {50, 90}}));
    // The curve from the current position.
    const auto curves = emf.Of(EMR_POLYBEZIERTO16);
    ASSERT_GE(curves.size(), 2u);
    EXPECT_EQ(emf.PolyPoints(curves[0], true),
              (std::vector<Point>{{1100, 900}, {1200, 1100}, {1300, 1000}}));

    // The path, written when it is filled: begun at its first point, the line, the arc's
    // Bezier quarters, closed, ended and filled; the aborted one leaves nothing.
    const auto begin = first(EMR_BEGINPATH);
    const auto end = first(EMR_FILLPATH);
    ASSERT_LT(begin, end);
    const std::vector<std::uint32_t> bracket(types.begin() + begin, types.begin() + end + 1);
    EXPECT_EQ(bracket.front(), EMR_BEGINPATH);
    EXPECT_EQ(bracket[1], EMR_MOVETOEX);
    EXPECT_EQ(emf.Field(emf.Records()[begin + 1], 0), 2000);
    EXPECT_EQ(std::vector<std::uint32_t>(bracket.end() - 3, bracket.end()),
              (std::vector<std::uint32_t>{EMR_CLOSEFIGURE, EMR_ENDPATH, EMR_FILLPATH}));
    ASSERT_EQ(curves.size(), 2u);
    const std::vector<Point> arcPoints = emf.PolyPoints(curves[1], true);
    ASSERT_EQ(arcPoints.size(), 6u);  // two quarter circles
    EXPECT_EQ(arcPoints.back(), (Point{2400, 2400}));  // ends at the bottom of the circle
    EXPECT_EQ(arcPoints[2], (Point{2600, 2200}));      // through its right end
    const auto fills = emf.Of(EMR_FILLPATH);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].size, 24u);
    EXPECT_EQ(emf.Of(EMR_BEGINPATH).size(), 1u);
    // The long line takes 32-bit points.
    EXPECT_EQ(emf.Field(emf.Of(EMR_LINETO).back(), 0), 70000);

    // Every record the writer makes is known to the player.
    Play(emf, QSize(100, 100));
}

TEST_F(MetafileTest, ObjectsAreDeletedAndNothingLeaksBetweenCalls)
{
    MetafileDeviceContext dc(Rect{0, 0, 20000, 20000});
    // Ten pens and brushes, one after another.
    for (int i = 0; i < 10; ++i) {
        dc.SelectPen(Pen{platform::kPsSolid, 10 + i, Rgb(static_cast<std::uint8_t>(i), 0, 0)});
        dc.SelectBrush(Brush::Solid(Rgb(0, static_cast<std::uint8_t>(i), 0)));
        dc.Rectangle(Rect{i * 10, 0, i * 10 + 5, 5});
    }
    // Text between two lines with the same pen: the text's own fill does not change the
    // line's pen or the position the line starts from.
    dc.SelectPen(Pen{platform::kPsSolid, 0, Rgb(0, 0, 255)});
    dc.MoveTo(100, 100);
    dc.SelectFont(Font(u"Arial", -200));
    dc.SetTextColor(Rgb(255, 0, 0));
    dc.TextOut(300, 300, u"A");
    dc.LineTo(200, 100);
    const EmfFile emf(dc.Finish());

    std::set<std::uint32_t> live;
    std::size_t most = 0;
    std::uint32_t pen = BLACK_PEN, brush = WHITE_BRUSH;
    std::map<std::uint32_t, bool> isPen;
    for (const Record& r : emf.Records()) {
        if (r.type == EMR_EXTCREATEPEN || r.type == EMR_CREATEBRUSHINDIRECT) {
            const std::uint32_t ih = emf.UField(r, 0);
            EXPECT_FALSE(live.count(ih)) << "index " << ih << " made twice";
            EXPECT_GE(ih, 1u);
            live.insert(ih);
            isPen[ih] = r.type == EMR_EXTCREATEPEN;
            most = std::max(most, live.size());
        } else if (r.type == EMR_SELECTOBJECT) {
            const std::uint32_t ih = emf.UField(r, 0);
            const bool penObject = ih & kStockBit ? (ih == BLACK_PEN || ih == NULL_PEN) : isPen[ih];
            if (!(ih & kStockBit)) {
                EXPECT_TRUE(live.count(ih));
            }
            (penObject ? pen : brush) = ih;
        } else if (r.type == EMR_DELETEOBJECT) {
            const std::uint32_t ih = emf.UField(r, 0);
            EXPECT_TRUE(live.count(ih));
            EXPECT_NE(ih, pen) << "deleted while selected";
            EXPECT_NE(ih, brush) << "deleted while selected";
            live.erase(ih);
        }
    }
    EXPECT_TRUE(live.empty()) << "objects left at the end";
    EXPECT_EQ(pen, BLACK_PEN);
    EXPECT_EQ(brush, WHITE_BRUSH);
    EXPECT_LE(most, 4u);  // at most the pen and brush in use and their successors
    EXPECT_EQ(emf.U32(56) & 0xFFFF, most + 1);

    // The line after the text: the blue pen selected again, and a move to (100, 100).
    const std::vector<Record>& r = emf.Records();
    const auto last = std::find_if(r.rbegin(), r.rend(), [](const Record& x) { return x.type == EMR_LINETO; });
    ASSERT_NE(last, r.rend());
    const auto move = std::find_if(last, r.rend(), [](const Record& x) { return x.type == EMR_MOVETOEX; });
    ASSERT_NE(move, r.rend());
    EXPECT_EQ(emf.Field(*move, 0), 100);
    EXPECT_EQ(emf.Field(*move, 1), 100);
    const auto create = std::find_if(last, r.rend(), [](const Record& x) { return x.type == EMR_EXTCREATEPEN; });
    ASSERT_NE(create, r.rend());
    EXPECT_EQ(emf.UField(*create, 8), Rgb(0, 0, 255));
}

// The export of a page: an A4 frame, the 0.01 mm isotropic mapping of the page's pixels,
// and a black outline along the frame with a one-pixel pen.
TEST_F(MetafileTest, A4PageHasItsFrameAndABlackOutline)
{
    const Rect frame{0, 0, 21000, 29700};
    MetafileDeviceContext dc(frame);
    const int pageWidth = 794, pageHeight = 1123;  // A4 at 96 dpi
    dc.SetMapMode(platform::MapMode::Isotropic);
    dc.SetWindowExt(Size{21000, 29700});
    dc.SetViewportExt(Size{pageWidth, pageHeight});
    dc.SelectPen(Pen{platform::kPsSolid, 0, Rgb(0, 0, 0)});
    dc.MoveTo(frame.left, frame.bottom);
    dc.LineTo(frame.left, frame.top);
    dc.LineTo(frame.right, frame.top);
    dc.LineTo(frame.right, frame.bottom);
    dc.LineTo(frame.left, frame.bottom);
    const EmfFile emf(dc.Finish());

    EXPECT_EQ(emf.RectAt(24), frame);
    const Rect bounds = emf.RectAt(8);
    EXPECT_EQ(bounds.left, 0);
    EXPECT_EQ(bounds.top, 0);
    EXPECT_GE(bounds.right, pageWidth - 1);
    EXPECT_LE(bounds.right, pageWidth);
    EXPECT_GE(bounds.bottom, pageHeight - 1);
    EXPECT_LE(bounds.bottom, pageHeight);
    // The reference device holds the page and keeps 96 dpi.
    EXPECT_GE(emf.I32(80) * 100, frame.right);
    EXPECT_NEAR(emf.I32(72) * 25.4 / emf.I32(80), 96.0, 1e-9);

    const auto pens = emf.Of(EMR_EXTCREATEPEN);
    ASSERT_EQ(pens.size(), 1u);
    EXPECT_EQ(emf.UField(pens[0], 5), 0u);
    EXPECT_EQ(emf.UField(pens[0], 8), 0u);
    std::vector<Point> corners;
    for (const Record& r : emf.Records())
        if (r.type == EMR_MOVETOEX || r.type == EMR_LINETO)
            corners.push_back(Point{emf.Field(r, 0), emf.Field(r, 1)});
    EXPECT_EQ(corners, (std::vector<Point>{{0, 29700}, {0, 0}, {21000, 0}, {21000, 29700}, {0, 29700}}));

    // Played back: a black line along each edge of the page.
    const QImage picture = Play(emf, QSize(pageWidth + 10, pageHeight + 10));
    EXPECT_GT(DarkPixels(picture, QRect(0, 100, 2, 900)), 800);
    EXPECT_GT(DarkPixels(picture, QRect(pageWidth - 2, 100, 3, 900)), 800);
    EXPECT_GT(DarkPixels(picture, QRect(100, 0, 500, 2)), 450);
    EXPECT_GT(DarkPixels(picture, QRect(100, pageHeight - 2, 500, 3)), 450);
}

TEST_F(MetafileTest, NothingIsDrawnOutsideTheFrame)
{
    // A frame from (50, 40) to (150, 120) pixels; the drawing goes beyond it on all sides.
    const Rect frame{U(50), U(40), U(150), U(120)};
    MetafileDeviceContext dc(frame);
    MapHundredthsOfMm(dc, QSize(200, 160));
    dc.SelectPen(Pen{platform::kPsSolid, U(4), Rgb(0, 0, 0)});
    dc.SelectBrush(Brush::Solid(Rgb(0, 0, 0)));
    dc.Rectangle(Rect{U(10), U(10), U(190), U(150)});
    dc.SelectFont(Font(u"Arial", -U(40)));
    dc.SetTextColor(Rgb(255, 255, 255));
    dc.SetBkColor(Rgb(0, 0, 0));
    dc.TextOut(U(0), U(60), u"MMMMMMMMMMM");
    const EmfFile emf(dc.Finish());

    // The bounds are the frame's pixels: those it touches.
    const Rect bounds = emf.RectAt(8);
    EXPECT_EQ(bounds, (Rect{static_cast<std::int32_t>(frame.left / kUnitsPerPixel),
                            static_cast<std::int32_t>(frame.top / kUnitsPerPixel),
                            static_cast<std::int32_t>(frame.right / kUnitsPerPixel),
                            static_cast<std::int32_t>(frame.bottom / kUnitsPerPixel)}));
    const QImage picture = Play(emf, QSize(200, 160));
    EXPECT_EQ(DarkPixels(picture, QRect(0, 0, 200, 39)), 0);
    EXPECT_EQ(DarkPixels(picture, QRect(0, 122, 200, 38)), 0);
    EXPECT_EQ(DarkPixels(picture, QRect(0, 0, 49, 160)), 0);
    EXPECT_EQ(DarkPixels(picture, QRect(152, 0, 48, 160)), 0);
    // Inside, the black rectangle with white letters on a black background.
    EXPECT_GT(DarkPixels(picture, QRect(52, 42, 96, 76)), 96 * 76 * 6 / 10);
    EXPECT_LT(DarkPixels(picture, QRect(52, 50, 96, 50)), 96 * 50 * 9 / 10);
}

TEST_F(MetafileTest, ClipRegionWithAHoleAndAnEmptyClip)
{
    MetafileDeviceContext dc(Rect{0, 0, U(200), U(100)});
    MapHundredthsOfMm(dc, QSize(200, 100));
    dc.SelectPen(Pen{platform::kPsNull, 0, 0});
    dc.SelectBrush(Brush::Solid(Rgb(0, 0, 0)));
    const Region hole = Region::Combine(Region(Rect{10, 10, 90, 90}), Region(Rect{40, 40, 60, 60}),
                                        RegionCombine::Diff);
    dc.SelectClipRegion(&hole);
    dc.Rectangle(Rect{0, 0, U(100), U(100)});
    // Nothing is left of a clip outside the frame: the drawing is left out.
    const Region away(Rect{500, 500, 600, 600});
    dc.SelectClipRegion(&away);
    dc.Ellipse(Rect{0, 0, U(200), U(100)});
    dc.SelectClipRegion(nullptr);
    dc.Rectangle(Rect{U(150), U(10), U(190), U(90)});
    const EmfFile emf(dc.Finish());

    EXPECT_TRUE(emf.Of(EMR_ELLIPSE).empty());
    EXPECT_EQ(emf.Of(EMR_RECTANGLE).size(), 2u);
    EXPECT_EQ(emf.Of(EMR_SELECTCLIPPATH).size(), 1u);
    const QImage picture = Play(emf, QSize(200, 100));
    EXPECT_EQ(DarkPixels(picture, QRect(42, 42, 16, 16)), 0);  // the hole
    EXPECT_GT(DarkPixels(picture, QRect(12, 12, 76, 26)), 76 * 26 * 9 / 10);
    EXPECT_EQ(DarkPixels(picture, QRect(92, 0, 50, 100)), 0);  // outside the clip
    EXPECT_GT(DarkPixels(picture, QRect(152, 12, 36, 76)), 36 * 76 * 9 / 10);
}

// ---- measuring and pictures compared with the QPainter backend ----

TEST_F(MetafileTest, MeasuresExactlyAsAScreenContext)
{
    QImage screen(400, 300, QImage::Format_RGB32);
    screen.setDotsPerMeterX(3780);  // 96 dpi
    screen.setDotsPerMeterY(3780);
    QtDeviceContext reference(&screen);
    MetafileDeviceContext dc(Rect{0, 0, U(400), U(300)});
    EXPECT_EQ(dc.GetDeviceCaps(DeviceCap::LogPixelsX), 96);
    EXPECT_FLOAT_EQ(platform::HundredthsOfMmPerPixel(dc), platform::HundredthsOfMmPerPixel(reference));
    EXPECT_NEAR(dc.GetDeviceCaps(DeviceCap::HorzSize) * 100.0 / dc.GetDeviceCaps(DeviceCap::HorzRes),
                kUnitsPerPixel, 1e-9);

    struct Case {
        const char16_t* face;
        std::int32_t height;
        const char16_t* text;
        bool mapped;
    };
    const Case cases[] = {
        {u"Tansy Number", -U(20), u"1234567", true},
        {u"Tansy", -U(24), kSymbols.c_str(), true},
        {u"宋体", -U(16), u"茉莉花 Jasmine", true},
        {u"Times New Roman", 0, u"Default height", true},
        {u"Arial", -14, u"Pixels", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.text).toStdString());
        for (platform::DeviceContext* d : {static_cast<platform::DeviceContext*>(&reference),
                                           static_cast<platform::DeviceContext*>(&dc)}) {
            if (c.mapped) {
                MapHundredthsOfMm(*d, QSize(400, 300));
            } else {
                d->SetMapMode(platform::MapMode::Text);
            }
            d->SelectFont(Font(c.face, c.height));
        }
        EXPECT_EQ(dc.GetTextExtent(c.text), reference.GetTextExtent(c.text));
        const platform::TextMetrics a = dc.GetTextMetrics(), b = reference.GetTextMetrics();
        EXPECT_EQ(a.height, b.height);
        EXPECT_EQ(a.ascent, b.ascent);
        EXPECT_EQ(a.descent, b.descent);
        EXPECT_EQ(a.internalLeading, b.internalLeading);
        EXPECT_EQ(a.aveCharWidth, b.aveCharWidth);
        const platform::AbcWidths x = dc.GetCharAbcWidths(c.text[0]), y = reference.GetCharAbcWidths(c.text[0]);
        EXPECT_DOUBLE_EQ(x.a, y.a);
        EXPECT_DOUBLE_EQ(x.b, y.b);
        Rect r1{0, 0, U(60), 0}, r2 = r1;
        const unsigned format = platform::kDtWordBreak | platform::kDtCalcRect;
        EXPECT_EQ(dc.DrawText(c.text, r1, format), reference.DrawText(c.text, r2, format));
        EXPECT_EQ(r1, r2);
    }
}

// A scene of what the score's drawing device does: text by every alignment and turned,
// glyphs of the music faces, Chinese text, opaque and clipped text, text in a rectangle,
// thin and wide lines, a dashed line, shapes, a filled path with a Bezier curve and an arc,
// a stretched font and a clip with a hole.
void DrawScene(platform::DeviceContext& dc, QSize size)
{
    MapHundredthsOfMm(dc, size);
    dc.SetBkMode(platform::BkMode::Transparent);
    dc.SelectFont(Font(u"Tansy Number", -U(30)));
    dc.SetTextAlign(platform::kTaTop | platform::kTaLeft);
    dc.TextOut(U(10), U(10), u"1 2 3");
    dc.SetTextAlign(platform::kTaBaseline | platform::kTaCenter);
    dc.TextOut(U(150), U(40), u"567");
    dc.SetTextAlign(platform::kTaBottom | platform::kTaRight);
    dc.TextOut(U(290), U(45), u"0");
    dc.SelectFont(Font(u"Tansy", -U(36)));
    dc.SetTextAlign(platform::kTaBaseline | platform::kTaLeft);
    dc.TextOut(U(320), U(45), kSymbols);
    dc.SelectFont(Font(u"宋体", -U(18)));
    dc.SetTextAlign(platform::kTaTop | platform::kTaLeft);
    dc.SetTextColor(Rgb(0, 0, 0));
    dc.TextOut(U(10), U(60), u"茉莉花 Jasmine");
    dc.SelectFont(Font(u"Arial", -U(18), 400, 900));
    dc.TextOut(U(560), U(150), u"Up");
    dc.SelectFont(Font(u"Arial", -U(16)));
    dc.SetBkColor(Rgb(0, 0, 0));
    dc.SetTextColor(Rgb(255, 255, 255));
    const Rect box{U(200), U(60), U(300), U(85)};
    dc.ExtTextOut(U(205), U(63), platform::kEtoOpaque, &box, u"Opaque");
    dc.SetTextColor(Rgb(0, 0, 0));
    const Rect cut{U(320), U(60), U(360), U(85)};
    dc.ExtTextOut(U(320), U(63), platform::kEtoClipped, &cut, u"Clipped text");
    Rect page{U(400), U(60), U(540), U(140)};
    dc.DrawText(u"Words that wrap in a rectangle", page, platform::kDtWordBreak | platform::kDtCenter);

    dc.SelectPen(Pen{platform::kPsSolid, 0, Rgb(0, 0, 0)});
    dc.MoveTo(U(10), U(100));
    dc.LineTo(U(190), U(100));
    dc.SelectPen(Pen{platform::kPsDash, 0, Rgb(0, 0, 0)});
    dc.MoveTo(U(10), U(110));
    dc.LineTo(U(190), U(110));
    dc.SelectPen(Pen{platform::kPsSolid, U(6), Rgb(0, 0, 0)});
    dc.MoveTo(U(20), U(130));
    dc.LineTo(U(180), U(180));
    dc.SelectPen(Pen{platform::kPsSolid, U(2), Rgb(0, 0, 0)});
    dc.SelectBrush(Brush::Null());
    dc.Ellipse(Rect{U(210), U(100), U(270), U(160)});
    dc.SelectBrush(Brush::Solid(Rgb(0, 0, 0)));
    dc.Rectangle(Rect{U(290), U(100), U(330), U(160)});
    const std::array<Point, 3> triangle = {Point{U(350), U(160)}, Point{U(390), U(100)}, Point{U(430), U(160)}};
    dc.Polygon(triangle);

    dc.BeginPath();
    dc.MoveTo(U(20), U(200));
    const std::array<Point, 3> bezier = {Point{U(60), U(170)}, Point{U(120), U(230)}, Point{U(160), U(200)}};
    dc.PolyBezierTo(bezier);
    dc.AngleArc(U(160), U(220), U(20), 90.0f, -180.0f);
    dc.LineTo(U(20), U(240));
    dc.CloseFigure();
    dc.EndPath();
    dc.FillPath();

    quaverly::LogFont narrow = Font(u"Arial", -U(20));
    narrow.width = U(4);
    dc.SelectFont(narrow);
    dc.TextOut(U(440), U(200), u"Narrow text");

    const Region hole = Region::Combine(Region(Rect{200, 190, 320, 250}), Region(Rect{240, 205, 280, 235}),
                                        RegionCombine::Diff);
    dc.SelectClipRegion(&hole);
    dc.SelectPen(Pen{platform::kPsNull, 0, 0});
    dc.Rectangle(Rect{U(190), U(180), U(330), U(260)});
    dc.SelectClipRegion(nullptr);
}

constexpr QSize kSceneSize(600, 280);

// The scene through the QPainter backend on an image.
QImage SceneOnScreen()
{
    QImage screen(kSceneSize, QImage::Format_RGB32);
    screen.fill(Qt::white);
    {
        QtDeviceContext dc(&screen);
        DrawScene(dc, kSceneSize);
    }
    return screen;
}

TEST_F(MetafileTest, PlayedBackPictureMatchesTheScreenPicture)
{
    const QSize size = kSceneSize;
    const QImage screen = SceneOnScreen();
    MetafileDeviceContext dc(Rect{0, 0, U(size.width()), U(size.height())});
    DrawScene(dc, size);
    const std::vector<std::uint8_t> bytes = dc.Finish();
    EXPECT_TRUE(platform::SaveMetafile(SpecimenPath("metafile_scene.emf"), bytes));
    const EmfFile emf(bytes);
    EXPECT_TRUE(emf.Of(0x54).empty()) << "no text records: glyphs are outlines";
    const QImage played = Play(emf, size);
    SaveSpecimen(screen, "metafile_scene_screen.png");
    SaveSpecimen(played, "metafile_scene_played.png");

    // Both have the same ink, give or take a pixel of placement.
    const int ink = DarkPixels(screen, screen.rect());
    ASSERT_GT(ink, 5000);
    EXPECT_LT(InkMissingFrom(screen, played, 1), ink / 50);
    EXPECT_LT(InkMissingFrom(played, screen, 1), ink / 50);
    // Region by region, so that nothing small goes missing unnoticed (filled glyph outlines
    // come out a little darker than the screen's text: thin strokes weigh more).
    const QRect parts[] = {{10, 10, 80, 30},   {120, 15, 60, 30},  {270, 15, 25, 35},
                           {320, 5, 80, 45},   {10, 60, 180, 25},  {200, 60, 100, 25},
                           {320, 60, 40, 25},  {400, 60, 140, 80}, {550, 100, 45, 60},
                           {10, 95, 190, 20},  {200, 95, 240, 70}, {10, 160, 180, 90},
                           {190, 180, 140, 80}, {440, 195, 150, 35}};
    for (const QRect& part : parts) {
        SCOPED_TRACE(std::to_string(part.x()) + "," + std::to_string(part.y()));
        const int a = DarkPixels(screen, part), b = DarkPixels(played, part);
        EXPECT_GT(a, 0);
        EXPECT_GE(b, a * 3 / 4);
        EXPECT_LE(b, a * 7 / 4);
    }
    // The clipped text stops at its rectangle; the hole stays empty.
    EXPECT_EQ(DarkPixels(played, QRect(362, 60, 30, 25)), 0);
    EXPECT_EQ(DarkPixels(played, QRect(242, 207, 36, 26)), 0);
}

// The clipboard's other picture: the same drawing through the QPainter backend on an SVG
// generator, read back with an SVG renderer.
TEST_F(MetafileTest, SvgPictureOfTheSameDrawing)
{
    const QSize size = kSceneSize;
    const QImage screen = SceneOnScreen();
    QBuffer svg;
    svg.open(QIODevice::WriteOnly);
    {
        QSvgGenerator generator;
        generator.setOutputDevice(&svg);
        generator.setSize(size);
        generator.setViewBox(QRect(QPoint(0, 0), size));
        generator.setResolution(96);
        QtDeviceContext dc(&generator);
        EXPECT_EQ(dc.GetDeviceCaps(DeviceCap::HorzRes), 600);
        EXPECT_EQ(dc.GetDeviceCaps(DeviceCap::LogPixelsX), 96);
        EXPECT_NEAR(dc.GetDeviceCaps(DeviceCap::HorzSize), 600 * 25.4 / 96, 1);
        DrawScene(dc, size);
    }
    const QByteArray data = svg.data();
    std::ofstream(SpecimenPath("metafile_scene.svg"), std::ios::binary) << data.toStdString();
    QSvgRenderer renderer(data);
    ASSERT_TRUE(renderer.isValid());
    QImage played(size, QImage::Format_RGB32);
    played.fill(Qt::white);
    {
        QPainter painter(&played);
        renderer.render(&painter);
    }
    SaveSpecimen(played, "metafile_scene_svg.png");
    const int ink = DarkPixels(screen, screen.rect());
    EXPECT_LT(InkMissingFrom(screen, played, 1), ink / 50);
    EXPECT_LT(InkMissingFrom(played, screen, 1), ink / 50);
    EXPECT_EQ(DarkPixels(played, QRect(362, 60, 30, 25)), 0);
    EXPECT_EQ(DarkPixels(played, QRect(242, 207, 36, 26)), 0);
    // Glyphs as outlines: the picture does not need the program's fonts.
    EXPECT_FALSE(data.contains("<text"));
    EXPECT_FALSE(data.contains("Tansy"));
}

TEST_F(MetafileTest, TextWhileAPathIsOpenLeavesThePathAsItIs)
{
    MetafileDeviceContext dc(Rect{0, 0, U(200), U(100)});
    MapHundredthsOfMm(dc, QSize(200, 100));
    dc.SelectBrush(Brush::Solid(Rgb(0, 0, 0)));
    dc.SelectFont(Font(u"Arial", -U(20)));
    dc.SetBkMode(platform::BkMode::Transparent);
    dc.BeginPath();
    dc.MoveTo(U(10), U(10));
    dc.LineTo(U(60), U(10));
    dc.TextOut(U(100), U(20), u"T");
    dc.LineTo(U(60), U(60));
    dc.CloseFigure();
    dc.FillPath();
    const EmfFile emf(dc.Finish());

    // The text in a path of its own, then the triangle's path, whole.
    EXPECT_EQ(emf.Of(EMR_FILLPATH).size(), 2u);
    const QImage picture = Play(emf, QSize(200, 100));
    EXPECT_GT(DarkPixels(picture, QRect(100, 20, 20, 25)), 20);  // the T
    EXPECT_GT(DarkPixels(picture, QRect(40, 15, 15, 15)), 150);   // the triangle
}

// ---- the file ----

TEST_F(MetafileTest, FinishEndsThePictureOnce)
{
    MetafileDeviceContext dc(Rect{0, 0, 1000, 1000});
    dc.Rectangle(Rect{1, 1, 5, 5});
    const std::vector<std::uint8_t> bytes = dc.Finish();
    dc.Rectangle(Rect{10, 10, 20, 20});
    dc.TextOut(0, 0, u"late");
    EXPECT_EQ(dc.Finish(), bytes);
    const EmfFile emf(bytes);
    EXPECT_EQ(emf.Records().back().type, EMR_EOF);
    EXPECT_EQ(emf.Of(EMR_RECTANGLE).size(), 1u);
    // Measuring still answers.
    EXPECT_GT(dc.GetTextExtent(u"x").cx, 0);
}

TEST_F(MetafileTest, EmptyFrameTakesTheBoundsOfTheDrawing)
{
    MetafileDeviceContext dc(Rect{});
    dc.SelectPen(Pen{platform::kPsNull, 0, 0});
    dc.SelectBrush(Brush::Solid(0));
    dc.Rectangle(Rect{96, 192, 192, 288});
    const EmfFile emf(dc.Finish());
    const Rect frame = emf.RectAt(24);
    EXPECT_NEAR(frame.left, 2540, 30);
    EXPECT_NEAR(frame.top, 5080, 30);
    EXPECT_NEAR(frame.right, 5080, 30);
    EXPECT_NEAR(frame.bottom, 7620, 30);
}

TEST_F(MetafileTest, SaveMetafileWritesTheBytesOrFails)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::filesystem::path dir(folder.path().toStdString());
    MetafileDeviceContext dc(Rect{0, 0, 1000, 1000});
    dc.Ellipse(Rect{0, 0, 10, 10});
    const std::vector<std::uint8_t> bytes = dc.Finish();

    // Written whole, whatever the name's extension.
    const std::filesystem::path file = dir / "page.wmf";
    ASSERT_TRUE(platform::SaveMetafile(file, bytes));
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> back((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(back, bytes);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator{}), 1)
        << "no temporary file left";

    EXPECT_FALSE(platform::SaveMetafile(dir / "missing" / "page.emf", bytes));
    EXPECT_FALSE(platform::SaveMetafile(dir / "empty.emf", {}));
    EXPECT_FALSE(std::filesystem::exists(dir / "empty.emf"));
}

}  // namespace
