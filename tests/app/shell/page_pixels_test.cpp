// A rich score in the real program, between layout numbers and window pixels: drawn at
// every zoom step and scroll position, pressed on, dragged, double-clicked and copied
// through the window's own mouse path.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/dialogs/score_text_edit.h"
#include "engine/editor/score_editor.h"
#include "engine/layout/header_node.h"
#include "engine/layout/line_mark_view.h"
#include "engine/layout/track_node.h"
#include "engine/model/bar.h"
#include "engine/model/header_text.h"
#include "engine/model/lyric.h"
#include "engine/model/note.h"
#include "engine/model/score.h"
#include "page_targets.h"
#include "program_fixture.h"
#include "rich_document.h"

namespace {

namespace fs = std::filesystem;
using shell_test::Pump;

class PagePixelsTest : public shell_test::ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        const fs::path source = folder_ / "rich.exl";
        ASSERT_TRUE(shell_test::WriteRichDocument(source));
        ASSERT_TRUE(Open(source));
        Shown();
    }

    quaverly::ScoreEditor& Editor() { return *static_cast<quaverly::ScoreEditor*>(View()->Editor()); }
    QImage Shown() { return View()->viewport()->grab().toImage(); }
    // The editor's notices delivered, a paint that runs what they queued, and the paint
    // that shows it.
    QImage Settled()
    {
        Pump();
        (void)Shown();
        Pump();
        return Shown();
    }
};

// Ink (small text at half size is light grey; a selected element red) that is not one
// of the view's own blue marks or the caret.
bool Ink(const QImage& image, int x, int y)
{
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return false;
    const QColor c = image.pixelColor(x, y);
    const bool blue = c.blue() > c.red() + 60 && c.blue() > c.green() + 60;
    return !blue && qGray(c.rgb()) < 190;
}

int InkIn(const QImage& image, const QRect& r)
{
    int count = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            count += Ink(image, x, y) ? 1 : 0;
    return count;
}

// The box of the pixels of a part of a picture for which `take(x, y)` holds (empty when
// there are none).
template <class Take>
QRect BoxWhere(const QRect& part, Take take)
{
    QRect box;
    for (int y = part.top(); y <= part.bottom(); ++y)
        for (int x = part.left(); x <= part.right(); ++x)
            if (take(x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

using shell_test::PageTargets;
using shell_test::Placed;
using shell_test::PointOn;
using shell_test::Target;

void SetZoom(brindle::CBrindleView& view, int index)
{
    while (view.ZoomIndex() > index)
        view.ZoomOut();
    while (view.ZoomIndex() < index)
        view.ZoomIn();
}

void Click(QWidget* viewport, platform::Point at)
{
    const QPointF local(at.x, at.y);
    const QPointF global = viewport->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &release);
}

TEST_F(PagePixelsTest, APressWhereAnElementIsDrawnSelectsItAtEveryZoomAndScroll)
{
    auto& editor = Editor();
    const std::vector<Target> targets = PageTargets(editor);
    std::map<std::string, int> kinds;
    for (const auto& t : targets)
        ++kinds[t.name.substr(0, t.name.find(' '))];
    for (const char* kind : {"title", "subtitle", "composer", "line", "bar", "note", "lyric"})
        EXPECT_GT(kinds[kind], 0) << kind;

    for (int zoom = 0; zoom < brindle::CBrindleView::kZoomLevelCount; ++zoom) {
        SetZoom(*View(), zoom);
        // Two scroll positions: the top left, and scrolled to the middle of the page.
        for (int scrolled = 0; scrolled < 2; ++scrolled) {
            View()->ScrollToPosition(platform::kSbVert, scrolled ? View()->ExtentHeight() / 2 : 0);
            View()->ScrollToPosition(platform::kSbHorz, scrolled ? View()->ExtentWidth() / 4 : 0);
            const QImage window = Shown();
            const QRect client = window.rect();
            for (const Target& target : targets) {
                SCOPED_TRACE(testing::Message() << target.name << " zoom " << View()->Zoom() << " scroll "
                                                << View()->ScrollX() << "," << View()->ScrollY());
                const std::optional<quaverly::Point> point = PointOn(target);
                ASSERT_TRUE(point.has_value());
                const platform::Point at = View()->ScoreToWindow(point->x, point->y);
                if (!client.adjusted(2, 2, -2, -2).contains(at.x, at.y))
                    continue;  // scrolled out of the window
                // Drawn where its rectangle maps to.
                const platform::Point a = View()->ScoreToWindow(target.rect.left, target.rect.top);
                const platform::Point b = View()->ScoreToWindow(target.rect.right, target.rect.bottom);
                if (target.name.rfind("bar", 0) != 0) {
                    EXPECT_GT(InkIn(window, QRect(QPoint(a.x - 1, a.y - 1), QPoint(b.x + 1, b.y + 1))), 0);
                }
                // The pixel pressed is the one the point falls in.
                const quaverly::Point back = View()->WindowToScore(at.x, at.y);
                const double pixel = View()->UnitsPerPixel() / View()->Zoom();
                EXPECT_NEAR(back.x, point->x, pixel + 1);
                EXPECT_NEAR(back.y, point->y, pixel + 1);
                Click(View()->viewport(), at);
                // Where elements overlap (a slur over its notes, two neighbours' boxes), the
                // press goes to one of those under the pressed pixel.
                const bool taken = std::any_of(targets.begin(), targets.end(), [&](const Target& other) {
                    return other.element->GetState() == quaverly::element_state::kSelected &&
                           other.element->HitTest(back) && other.name.rfind("bar", 0) != 0;
                });
                if (target.name.rfind("bar", 0) == 0)
                    EXPECT_EQ(target.element->GetState(), quaverly::element_state::kSelected);
                else
                    EXPECT_TRUE(taken);
            }
        }
    }
}


// Scrolled so that a score point is 100 pixels from the window's top left corner, or as
// near as the page lets it.
void ScrollNear(brindle::CBrindleView& view, quaverly::Point point)
{
    view.ScrollToPosition(platform::kSbVert, 0);
    view.ScrollToPosition(platform::kSbHorz, 0);
    const platform::Point at = view.ScoreToWindow(point.x, point.y);
    view.ScrollToPosition(platform::kSbVert, at.y - 100);
    view.ScrollToPosition(platform::kSbHorz, at.x - 100);
}


// Selection red: the colour a selected note is drawn in.
bool Red(const QImage& image, int x, int y)
{
    const QColor c = image.pixelColor(x, y);
    return c.red() > 150 && c.green() < 110 && c.blue() < 110;
}

TEST_F(PagePixelsTest, TheCaretAndTheSelectionAreDrawnOnTheirBarAtEveryZoom)
{
    auto& editor = Editor();
    std::vector<Target> bars;
    for (const Target& t : PageTargets(editor))
        if (t.name.rfind("bar", 0) == 0 && t.name.find(" t0 ") != std::string::npos)
            bars.push_back(t);
    ASSERT_EQ(bars.size(), 12u);
    constexpr int kPlaybackPosition = 20;
    for (int zoom = 0; zoom < brindle::CBrindleView::kZoomLevelCount; ++zoom) {
        SetZoom(*View(), zoom);
        for (int bar : {0, 4, 8, 11}) {
            SCOPED_TRACE(testing::Message() << "bar " << bar << " zoom " << View()->Zoom());
            const quaverly::Rect& r = bars[static_cast<std::size_t>(bar)].rect;
            ScrollNear(*View(), {r.left, r.top});
            // The playback cursor moved to the bar's start, as the player's reports move it.
            editor.ShowPlaybackPosition({kPlaybackPosition, bar, 0});
            (void)Shown();
            const QImage with = Shown();
            editor.SetCaretEnabled(false);
            const QImage without = Shown();
            editor.SetCaretEnabled(true);
            const QRect caret =
                BoxWhere(with.rect(), [&](int x, int y) { return with.pixel(x, y) != without.pixel(x, y); });
            ASSERT_FALSE(caret.isEmpty());
            const platform::Point a = View()->ScoreToWindow(r.left, r.top);
            const platform::Point b = View()->ScoreToWindow(r.right, r.bottom);
            const QRect drawnBar(QPoint(a.x - 2, a.y - 2), QPoint(b.x + 2, b.y + 2));
            EXPECT_TRUE(drawnBar.contains(caret)) << caret.x() << "," << caret.y() << " " << caret.width() << "x"
                                                  << caret.height() << " in " << a.x << "," << a.y << " " << b.x
                                                  << "," << b.y;

            // The bar's last note pressed on: drawn in the selection colour where it lies.
            const auto note = std::dynamic_pointer_cast<quaverly::Bar>(bars[static_cast<std::size_t>(bar)].element)
                                  ->GetNotes()
                                  .back();
            const Target pressed{"note", note, Placed(*note)};
            const quaverly::Point point = *PointOn(pressed);
            ScrollNear(*View(), point);
            Click(View()->viewport(), View()->ScoreToWindow(point.x, point.y));
            ASSERT_EQ(note->GetState(), quaverly::element_state::kSelected);
            const QImage selected = Settled();
            const QRect red = BoxWhere(selected.rect(), [&](int x, int y) { return Red(selected, x, y); });
            const platform::Point na = View()->ScoreToWindow(pressed.rect.left, pressed.rect.top);
            const platform::Point nb = View()->ScoreToWindow(pressed.rect.right, pressed.rect.bottom);
            ASSERT_FALSE(red.isEmpty());
            // The lines under a short note are drawn below its box, in its colour.
            const int underlines = (nb.y - na.y) / 2;
            EXPECT_TRUE(QRect(QPoint(na.x - 2, na.y - 2), QPoint(nb.x + 2, nb.y + 2 + underlines)).contains(red))
                << red.x() << "," << red.y() << " " << red.width() << "x" << red.height() << " in " << na.x << ","
                << na.y << " " << nb.x << "," << nb.y;
        }
    }
}

void Press(QWidget* viewport, QEvent::Type type, platform::Point at, Qt::MouseButtons held)
{
    const QPointF local(at.x, at.y);
    QMouseEvent event(type, local, viewport->mapToGlobal(local), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      held, Qt::NoModifier);
    QApplication::sendEvent(viewport, &event);
}

TEST_F(PagePixelsTest, ADragMovesByWhatItsPixelsMeanAtTheZoom)
{
    auto& editor = Editor();
    const std::vector<Target> all = PageTargets(editor);
    // A note on its own (its box overlaps no other), far from the page's edges.
    const auto find = [&](const std::string& name) {
        return *std::find_if(all.begin(), all.end(), [&](const Target& t) { return t.name == name; });
    };
    const Target note = find("note s2 t1 b1 n1");
    constexpr int kDx = 24;
    constexpr int kDy = 12;
    for (int zoom = 0; zoom < brindle::CBrindleView::kZoomLevelCount; ++zoom) {
        SetZoom(*View(), zoom);
        SCOPED_TRACE(testing::Message() << "zoom " << View()->Zoom());
        const quaverly::Point point = *PointOn({note.name, note.element, Placed(*note.element)});
        ScrollNear(*View(), point);
        const platform::Point from = View()->ScoreToWindow(point.x, point.y);
        const quaverly::Point before = note.element->GetOffset();
        Press(View()->viewport(), QEvent::MouseButtonPress, from, Qt::LeftButton);
        for (int step = 1; step <= 4; ++step)
            Press(View()->viewport(), QEvent::MouseMove, {from.x + kDx * step / 4, from.y + kDy * step / 4},
                  Qt::LeftButton);
        Press(View()->viewport(), QEvent::MouseButtonRelease, {from.x + kDx, from.y + kDy}, Qt::NoButton);
        Pump();
        (void)Shown();
        const quaverly::Point after = note.element->GetOffset();
        const double unitsPerPixel = View()->UnitsPerPixel() / View()->Zoom();
        EXPECT_NEAR(after.x - before.x, kDx * unitsPerPixel, unitsPerPixel + 1);
        EXPECT_NEAR(after.y - before.y, kDy * unitsPerPixel, unitsPerPixel + 1);
    }
}

TEST_F(PagePixelsTest, AtEveryZoomTheInkStaysInsideTheMarginsAndEachBarHoldsItsNotes)
{
    auto& editor = Editor();
    const std::vector<Target> targets = PageTargets(editor);
    for (int zoom = 0; zoom < brindle::CBrindleView::kZoomLevelCount; ++zoom) {
        SetZoom(*View(), zoom);
        SCOPED_TRACE(testing::Message() << "zoom " << View()->Zoom());
        (void)Shown();
        const QImage& page = View()->PageBitmap();
        // The content area in page pixels (the window's page rectangle starts at 0, 0 here).
        const platform::Rect pageRect = View()->PageRect();
        const platform::Rect content = View()->ContentRect();
        const int pen = static_cast<int>(std::ceil(View()->Zoom())) + 1;
        const QRect inside = QRect(QPoint(content.left - pageRect.left, content.top - pageRect.top),
                           QPoint(content.right - pageRect.left - 1, content.bottom - pageRect.top - 1)).adjusted(-pen, -pen, pen, pen);
        const QRect outside =
            BoxWhere(page.rect(), [&](int x, int y) { return !inside.contains(x, y) && Ink(page, x, y); });
        EXPECT_TRUE(outside.isEmpty()) << outside.x() << "," << outside.y() << " " << outside.width() << "x"
                                       << outside.height() << " outside " << inside.x() << "," << inside.y() << " "
                                       << inside.width() << "x" << inside.height();
    }

    // Each note lies between its bar's lines and inside its own line of the score, and
    // the lines of the score follow each other without overlapping.
    const auto page = editor.layout->GetChild(0);
    int previousBottom = 0;
    for (int s = 0; s < page->GetChildCount(); ++s) {
        const auto system = page->GetChild(s);
        const quaverly::Rect line = Placed(*system);
        EXPECT_GE(line.top, previousBottom) << "line " << s;
        previousBottom = line.bottom;
        for (int t = 0; t < system->GetChildCount(); ++t) {
            const auto track = std::dynamic_pointer_cast<quaverly::TrackNode>(system->GetChild(t));
            for (int b = 0; track && b < track->GetChildCount(); ++b) {
                const auto bar = track->GetBar(b);
                const quaverly::Rect barRect = Placed(*bar);
                for (const auto& note : bar->GetNotes()) {
                    const quaverly::Rect n = Placed(*note);
                    SCOPED_TRACE(testing::Message() << "line " << s << " row " << t << " bar " << b << " note at "
                                                    << n.left << "," << n.top);
                    EXPECT_GE(n.left, barRect.left);
                    EXPECT_LE(n.right, barRect.right);
                    EXPECT_GE(n.top, line.top);
                    EXPECT_LE(n.bottom, line.bottom);
                }
            }
        }
    }
}

// The box of the ink in a part of a picture (empty when there is none).
QRect InkBox(const QImage& image, const QRect& part)
{
    return BoxWhere(part, [&](int x, int y) { return Ink(image, x, y); });
}

TEST_F(PagePixelsTest, ACopiedBandHoldsWhatTheBandCoveredInTheWindowAtEveryZoom)
{
    const std::vector<Target> all = PageTargets(Editor());
    const Target note = *std::find_if(all.begin(), all.end(), [](const Target& t) { return t.name == "note s2 t1 b1 n1"; });
    View()->SetMouseTool(brindle::kPictureCopyTool);
    for (int zoom = 0; zoom < brindle::CBrindleView::kZoomLevelCount; ++zoom) {
        SetZoom(*View(), zoom);
        SCOPED_TRACE(testing::Message() << "zoom " << View()->Zoom());
        ScrollNear(*View(), {note.rect.left, note.rect.top});
        // A band a few pixels around the note.
        const platform::Point a = View()->ScoreToWindow(note.rect.left, note.rect.top);
        const platform::Point b = View()->ScoreToWindow(note.rect.right, note.rect.bottom);
        const int grow = 3 + zoom;
        const QRect band(QPoint(a.x - grow, a.y - grow), QPoint(b.x + grow, b.y + grow));
        const QImage window = Shown();
        const QRect shown = InkBox(window, band);
        ASSERT_FALSE(shown.isEmpty());
        Press(View()->viewport(), QEvent::MouseButtonPress, {band.left(), band.top()}, Qt::LeftButton);
        Press(View()->viewport(), QEvent::MouseMove, {band.right() + 1, band.bottom() + 1}, Qt::LeftButton);
        Press(View()->viewport(), QEvent::MouseButtonRelease, {band.right() + 1, band.bottom() + 1}, Qt::NoButton);
        ASSERT_TRUE(View()->CopyPicture());
        const QImage copied = QGuiApplication::clipboard()->image();
        ASSERT_FALSE(copied.isNull());
        const QRect ink = InkBox(copied, copied.rect());
        ASSERT_FALSE(ink.isEmpty());
        // The bitmap is three times the page at zoom 1: the ink's place and size in it,
        // brought to the window's zoom, are those shown in the band.
        const double k = View()->Zoom() / 3.0;
        const double tolerance = 2.0 + View()->Zoom();
        EXPECT_NEAR(ink.left() * k, shown.left() - band.left(), tolerance);
        EXPECT_NEAR(ink.top() * k, shown.top() - band.top(), tolerance);
        EXPECT_NEAR(ink.width() * k, shown.width(), tolerance);
        EXPECT_NEAR(ink.height() * k, shown.height(), tolerance);
    }
}

TEST_F(PagePixelsTest, TheTextBoxOpensOverTheTitleInItsSizeAtEveryZoom)
{
    // The window shown, as the box takes its text and font when it shows.
    app_->GetMainWnd()->show();
    Pump();
    const auto title = Editor().score->GetTitleText();
    std::map<double, int> fontPixels;
    for (int zoom = 0; zoom < brindle::CBrindleView::kZoomLevelCount; ++zoom) {
        SetZoom(*View(), zoom);
        SCOPED_TRACE(testing::Message() << "zoom " << View()->Zoom());
        const quaverly::Rect r = Placed(*title);
        ScrollNear(*View(), {r.left, r.top});
        (void)Shown();
        const platform::Point at = View()->ScoreToWindow((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        const QPointF local(at.x, at.y);
        QMouseEvent twice(QEvent::MouseButtonDblClick, local, View()->viewport()->mapToGlobal(local), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        // As the window system delivers a double click: press, release, double, release.
        Click(View()->viewport(), at);
        QApplication::sendEvent(View()->viewport(), &twice);
        Press(View()->viewport(), QEvent::MouseButtonRelease, at, Qt::NoButton);
        (void)Settled();
        QWidget* box = View()->TextEdit();
        ASSERT_TRUE(box->isVisible());
        const platform::Point a = View()->ScoreToWindow(r.left, r.top);
        const platform::Point b = View()->ScoreToWindow(r.right, r.bottom);
        EXPECT_TRUE(box->geometry().contains(QRect(QPoint(a.x, a.y), QPoint(b.x, b.y))))
            << box->geometry().x() << "," << box->geometry().y() << " " << box->geometry().width() << "x"
            << box->geometry().height() << " over " << a.x << "," << a.y << " " << b.x << "," << b.y;
        EXPECT_EQ(View()->TextEdit()->text(), QStringLiteral("茉莉花"));
        fontPixels[View()->Zoom()] = box->font().pixelSize();
        // Escape closes it with the text kept.
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(box, &escape);
        EXPECT_FALSE(box->isVisible());
        EXPECT_EQ(Editor().GetTitle(), u"茉莉花");
    }
    for (const auto& [zoom, pixels] : fontPixels)
        EXPECT_NEAR(pixels, fontPixels[1.0] * zoom, 1.0 + 0.02 * pixels) << "zoom " << zoom;
}

TEST_F(PagePixelsTest, APageThatFitsTheWindowStaysPutAfterAZoomOut)
{
    app_->GetMainWnd()->resize(1200, 1100);
    Pump();
    // Scrolled to the middle of the page at the largest zoom, then back to the smallest.
    SetZoom(*View(), brindle::CBrindleView::kZoomLevelCount - 1);
    View()->ScrollToPosition(platform::kSbVert, View()->ExtentHeight() / 2);
    View()->ScrollToPosition(platform::kSbHorz, View()->ExtentWidth() / 2);
    ASSERT_LT(View()->ScrollY(), 0);
    SetZoom(*View(), 0);
    (void)Shown();
    ASSERT_FALSE(View()->IsScrollBarShown(platform::kSbHorz));
    ASSERT_FALSE(View()->IsScrollBarShown(platform::kSbVert));
    const platform::Rect page = View()->PageRect();
    struct Case {
        const char* name;
        std::function<void()> move;
    };
    const Case cases[] = {
        {"wheel down", [&] {
             const QPointF at(200, 200);
             QWheelEvent wheel(at, View()->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -360), Qt::NoButton,
                               Qt::NoModifier, Qt::NoScrollPhase, false);
             QApplication::sendEvent(View()->viewport(), &wheel);
         }},
        {"to a position across", [&] { View()->ScrollToPosition(platform::kSbHorz, 300); }},
        {"to a position down", [&] { View()->ScrollToPosition(platform::kSbVert, 300); }},
    };
    for (const Case& c : cases) {
        c.move();
        EXPECT_EQ(View()->ScrollX(), 0) << c.name;
        EXPECT_EQ(View()->ScrollY(), 0) << c.name;
        EXPECT_EQ(View()->PageRect().left, page.left) << c.name;
        EXPECT_EQ(View()->PageRect().top, page.top) << c.name;
    }
}

TEST_F(PagePixelsTest, FreeTextLandsInTheFrameDrawnForItAtEveryZoom)
{
    app_->GetMainWnd()->show();
    Pump();
    for (int zoom = 0; zoom < brindle::CBrindleView::kZoomLevelCount; zoom += 2) {
        SetZoom(*View(), zoom);
        SCOPED_TRACE(testing::Message() << "zoom " << View()->Zoom());
        // An empty stretch of the page below the score.
        ScrollNear(*View(), {2000, 23000});
        const platform::Point from = View()->ScoreToWindow(2000, 23000);
        const QImage before = Shown();
        View()->SetMouseTool(brindle::kFreeTextTool);
        Press(View()->viewport(), QEvent::MouseButtonPress, from, Qt::LeftButton);
        Press(View()->viewport(), QEvent::MouseMove, {from.x + 300, from.y + 80}, Qt::LeftButton);
        Press(View()->viewport(), QEvent::MouseButtonRelease, {from.x + 300, from.y + 80}, Qt::NoButton);
        View()->FreeTextEdit()->setPlainText(QStringLiteral("自由文字 ABC"));
        View()->SetMouseTool(brindle::kSelectTool);
        const QImage after = Settled();
        const QRect written =
            BoxWhere(after.rect(), [&](int x, int y) { return Ink(after, x, y) && !Ink(before, x, y); });
        ASSERT_FALSE(written.isEmpty());
        EXPECT_TRUE(QRect(QPoint(from.x - 2, from.y - 2), QPoint(from.x + 302, from.y + 82)).contains(written))
            << written.x() << "," << written.y() << " " << written.width() << "x" << written.height() << " from "
            << from.x << "," << from.y;
    }
}

}  // namespace
