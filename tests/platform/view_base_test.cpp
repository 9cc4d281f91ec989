// The view base: keys, pointer events, scroll bars, cursor, messages and painting reach
// the desktop-shaped handlers.
#include "platform/key_translation.h"
#include "platform/qt_device_context.h"
#include "platform/view_base.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using platform::Point;
using platform::ScrollInfo;
using platform::ViewBase;

struct KeyCall {
    int virtualKey;
    int repeat;
    unsigned flags;
    int modifiersNow;
};

struct ScrollCall {
    int code;
    int pos;
};

// Records what arrives; scrolls the way the score view does: a twentieth of the range
// per line, a page per page, the thumb where it is dragged.
class RecordingView : public ViewBase {
public:
    std::vector<KeyCall> keyDowns, keyUps;
    std::vector<std::u16string> chars;
    std::vector<std::string> pointer;
    std::vector<unsigned> pointerFlags;
    std::vector<Point> pointerPoints;
    std::vector<ScrollCall> vscroll;
    std::vector<int> wheel;
    std::vector<std::uintptr_t> timers;
    int cursorCalls = 0;
    bool paintRed = true;
    bool created = false;
    int initialUpdates = 0;

    using ViewBase::DefWindowProc;

protected:
    bool OnCreate() override
    {
        created = true;
        return true;
    }
    void OnInitialUpdate() override { ++initialUpdates; }
    void OnKeyDown(int vk, int repeat, unsigned flags) override
    {
        keyDowns.push_back({vk, repeat, flags, platform::CurrentModifierMask()});
    }
    void OnKeyUp(int vk, int repeat, unsigned flags) override
    {
        keyUps.push_back({vk, repeat, flags, platform::CurrentModifierMask()});
    }
    void OnChar(char16_t ch, int, unsigned) override { chars.push_back(std::u16string(1, ch)); }
    void OnLButtonDown(unsigned flags, Point p) override { Pointer("down", flags, p); }
    void OnLButtonUp(unsigned flags, Point p) override { Pointer("up", flags, p); }
    void OnLButtonDblClk(unsigned flags, Point p) override { Pointer("double", flags, p); }
    void OnMouseMove(unsigned flags, Point p) override { Pointer("move", flags, p); }
    bool OnMouseWheel(unsigned, int delta, Point) override
    {
        wheel.push_back(delta);
        return true;
    }
    bool OnSetCursor(int hit) override
    {
        ++cursorCalls;
        if (hit != platform::kHtClient)
            return false;
        SetCursor(QCursor(Qt::OpenHandCursor));
        return true;
    }
    void OnVScroll(int code, int pos) override
    {
        vscroll.push_back({code, pos});
        const ScrollInfo info = GetScrollInfo(platform::kSbVert);
        const int maxPos = info.max - static_cast<int>(info.page) + 1;
        const int step = std::max(1, (maxPos - info.min) / 20);
        int next = info.pos;
        switch (code) {
        case platform::kSbLineUp: next -= step; break;
        case platform::kSbLineDown: next += step; break;
        case platform::kSbPageUp: next -= static_cast<int>(info.page); break;
        case platform::kSbPageDown: next += static_cast<int>(info.page); break;
        case platform::kSbThumbTrack:
        case platform::kSbThumbPosition: next = pos; break;
        case platform::kSbTop: next = info.min; break;
        case platform::kSbBottom: next = maxPos; break;
        default: break;
        }
        SetScrollPos(platform::kSbVert, std::clamp(next, info.min, maxPos));
    }
    void OnTimer(std::uintptr_t id) override { timers.push_back(id); }
    void OnDraw(platform::QtDeviceContext& dc) override
    {
        dc.SelectPen(platform::Pen{platform::kPsNull, 0, 0});
        dc.SelectBrush(platform::Brush::Solid(paintRed ? platform::Rgb(255, 0, 0) : platform::Rgb(0, 0, 255)));
        dc.Rectangle(platform::Rect{0, 0, 11, 11});
    }

private:
    void Pointer(const char* what, unsigned flags, Point p)
    {
        pointer.push_back(what);
        pointerFlags.push_back(flags);
        pointerPoints.push_back(p);
    }
};

void SendKey(QWidget* target, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers, quint32 native,
             const QString& text = {})
{
    QKeyEvent event(type, key, modifiers, native, 0, 0, text);
    QApplication::sendEvent(target, &event);
}

TEST(ViewBaseTest, KeyEventsReachTheKeyHandlersWithVirtualKeyScanCodeAndModifiers)
{
    RecordingView view;
    SendKey(&view, QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, 38, QStringLiteral("a"));
    SendKey(&view, QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier, 38);
    SendKey(&view, QEvent::KeyPress, Qt::Key_Enter, Qt::KeypadModifier, 104, QStringLiteral("\r"));
    SendKey(&view, QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, 23, QStringLiteral("\t"));
    SendKey(&view, QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, 38);

    ASSERT_EQ(view.keyDowns.size(), 4u);
    EXPECT_EQ(view.keyDowns[0].virtualKey, 65);
    EXPECT_EQ(view.keyDowns[0].repeat, 1);
    EXPECT_EQ(view.keyDowns[0].flags, 0x1Eu);
    EXPECT_EQ(view.keyDowns[0].modifiersNow, 0);
    EXPECT_EQ(view.keyDowns[1].virtualKey, 65);
    EXPECT_EQ(view.keyDowns[1].modifiersNow, 3);  // Ctrl 1 | Shift 2 while the handler runs
    EXPECT_EQ(view.keyDowns[2].virtualKey, 13);
    EXPECT_EQ(view.keyDowns[2].flags & 0xFF, 0x1Cu);
    EXPECT_NE(view.keyDowns[2].flags & platform::kKfExtended, 0u);
    EXPECT_EQ(view.keyDowns[3].virtualKey, 9);  // Tab is the view's, not a focus move
    ASSERT_EQ(view.keyUps.size(), 1u);
    EXPECT_EQ(view.keyUps[0].virtualKey, 65);
    EXPECT_EQ(view.chars, (std::vector<std::u16string>{u"a", u"\r", u"\t"}));
    EXPECT_EQ(platform::CurrentModifierMask(), platform::ModifierMask(QGuiApplication::keyboardModifiers()));
}

TEST(ViewBaseTest, PointerEventsCarryMouseFlagsAndClientPoints)
{
    RecordingView view;
    view.resize(300, 200);
    QWidget* viewport = view.viewport();
    const auto send = [viewport](QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held,
                                 Qt::KeyboardModifiers modifiers) {
        QMouseEvent event(type, at, viewport->mapToGlobal(at), button, held, modifiers);
        QApplication::sendEvent(viewport, &event);
    };
    send(QEvent::MouseButtonPress, {10, 20}, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
    send(QEvent::MouseMove, {15, 25}, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    send(QEvent::MouseButtonRelease, {15, 25}, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    send(QEvent::MouseButtonDblClick, {15, 25}, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);

    EXPECT_EQ(view.pointer, (std::vector<std::string>{"down", "move", "up", "double"}));
    EXPECT_EQ(view.pointerFlags, (std::vector<unsigned>{0x0D, 0x01, 0x00, 0x01}));
    EXPECT_EQ(view.pointerPoints[0], (Point{10, 20}));
    EXPECT_EQ(view.pointerPoints[2], (Point{15, 25}));
    // Moving over the client area asks for the cursor.
    EXPECT_GE(view.cursorCalls, 1);
    EXPECT_EQ(viewport->cursor().shape(), Qt::OpenHandCursor);

    QWheelEvent wheel({5, 5}, viewport->mapToGlobal(QPointF(5, 5)), {}, {0, -240}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &wheel);
    EXPECT_EQ(view.wheel, (std::vector<int>{-240}));
}

TEST(ViewBaseTest, ScrollBarsShowTheViewsStateAndMoveOnlyWhereTheHandlerPutsThem)
{
    RecordingView view;
    view.resize(300, 200);
    QScrollBar* bar = view.verticalScrollBar();

    // Range 0-1000 with a page of 200: positions run to 801, a larger one is clamped.
    view.SetScrollInfo(platform::kSbVert, ScrollInfo{platform::kSifRange | platform::kSifPage | platform::kSifPos, 0,
                                                     1000, 200, 5000, 0});
    EXPECT_EQ(view.GetScrollPos(platform::kSbVert), 801);
    EXPECT_TRUE(view.IsScrollBarShown(platform::kSbVert));
    EXPECT_EQ(bar->maximum(), 801);
    EXPECT_EQ(bar->value(), 801);

    view.SetScrollPos(platform::kSbVert, 100);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    ASSERT_EQ(view.vscroll.size(), 4u);
    EXPECT_EQ(view.vscroll[0].code, platform::kSbLineDown);
    EXPECT_EQ(view.vscroll[1].code, platform::kSbPageUp);
    EXPECT_EQ(view.vscroll[2].code, platform::kSbBottom);
    EXPECT_EQ(view.vscroll[3].code, platform::kSbTop);
    EXPECT_EQ(view.GetScrollPos(platform::kSbVert), 0);
    EXPECT_EQ(bar->value(), 0);

    // Dragging the thumb: the handler hears the track position; the bar shows where the
    // handler put it.
    bar->setSliderDown(true);
    bar->setSliderPosition(300);
    EXPECT_EQ(view.vscroll.back().code, platform::kSbThumbTrack);
    EXPECT_EQ(view.vscroll.back().pos, 300);
    EXPECT_EQ(view.GetScrollPos(platform::kSbVert), 300);
    bar->setSliderDown(false);
    ASSERT_GE(view.vscroll.size(), 2u);
    EXPECT_EQ(view.vscroll[view.vscroll.size() - 2].code, platform::kSbThumbPosition);
    EXPECT_EQ(view.vscroll.back().code, platform::kSbEndScroll);

    // A handler that ignores the code leaves the bar where it was.
    const std::size_t before = view.vscroll.size();
    view.SetScrollPos(platform::kSbVert, 40);
    bar->triggerAction(QAbstractSlider::SliderNoAction);
    EXPECT_EQ(view.vscroll.size(), before);
    EXPECT_EQ(bar->value(), 40);

    // A range that fits the page hides the bar; ShowScrollBar decides explicitly.
    view.SetScrollInfo(platform::kSbVert, ScrollInfo{platform::kSifRange | platform::kSifPage, 0, 100, 200, 0, 0});
    EXPECT_FALSE(view.IsScrollBarShown(platform::kSbVert));
    EXPECT_EQ(view.GetScrollPos(platform::kSbVert), 0);
    view.ShowScrollBar(platform::kSbVert, true);
    EXPECT_TRUE(view.IsScrollBarShown(platform::kSbVert));
    EXPECT_EQ(view.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

TEST(ViewBaseTest, ScrollBarStateKeepsThePositionWithinTheRange)
{
    struct Case {
        int min, max;
        unsigned page;
        int pos;
        int expectedPos;
        unsigned expectedPage;
        int expectedMaxPos;
    };
    const Case cases[] = {
        {0, 1000, 200, 500, 500, 200, 801},
        {0, 1000, 200, -5, 0, 200, 801},
        {0, 1000, 0, 1000, 1000, 0, 1000},
        {0, 100, 500, 50, 0, 101, 0},      // a page longer than the range: nothing to scroll
        {10, 5, 0, 7, 10, 0, 10},           // max below min becomes min
        {0, 2147483647, 1, 2147483647, 2147483647, 1, 2147483647},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pos);
        platform::ScrollBarState state;
        state.Set(ScrollInfo{platform::kSifAll, c.min, c.max, c.page, c.pos, 0});
        EXPECT_EQ(state.Pos(), c.expectedPos);
        EXPECT_EQ(state.Page(), c.expectedPage);
        EXPECT_EQ(state.MaxPosition(), c.expectedMaxPos);
    }
}

TEST(ViewBaseTest, MessagesTimersAndTheFrameworkStepsReachTheView)
{
    RecordingView view;
    EXPECT_TRUE(view.Create());
    EXPECT_TRUE(view.created);
    view.InitialUpdate();
    EXPECT_EQ(view.initialUpdates, 1);

    std::vector<platform::WParam> seen;
    view.MapMessage(0x60A, [&](platform::WParam w, platform::LParam) -> platform::LResult {
        seen.push_back(w);
        return 5;
    });
    EXPECT_EQ(view.SendMessage(0x60A, 1), 5);
    view.PostMessage(0x60A, 2);
    view.PostMessage(platform::kWmSetCursor, 0, platform::kHtClient);
    EXPECT_EQ(seen.size(), 1u);
    QApplication::processEvents();
    EXPECT_EQ(seen, (std::vector<platform::WParam>{1, 2}));
    EXPECT_GE(view.cursorCalls, 1);

    view.SetTimer(1, 1);
    QElapsedTimer clock;
    clock.start();
    while (view.timers.empty() && clock.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_FALSE(view.timers.empty());
    EXPECT_EQ(view.timers.front(), 1u);
    EXPECT_TRUE(view.KillTimer(1));
}

TEST(ViewBaseTest, PaintingDrawsThroughOnDrawOnTheClientArea)
{
    RecordingView view;
    view.resize(120, 80);
    const QImage shot = view.viewport()->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.pixelColor(5, 5), QColor(255, 0, 0));
    EXPECT_EQ(view.GetClientRect(), (platform::Rect{0, 0, view.viewport()->width(), view.viewport()->height()}));
}

}  // namespace
