// The score view's mouse tools. A tool holds a plain pointer to its view and gets the
// view's pointer and key events while it is current; Draw adds its own marks over the
// window buffer at the end of each paint. Every operation does nothing by default.
//
// The five tools sit under fixed keys: 0 selection (pointer events and keys go to the
// editor), 1 mouse note input, 2 dragging the page, 3 copying a piece of the page as a
// picture, 4 free text.
#pragma once

#include "platform/device_context.h"

namespace brindle {

class CBrindleView;

class MouseTool {
public:
    explicit MouseTool(CBrindleView* view) : m_pView(view) {}
    virtual ~MouseTool() = default;
    MouseTool(const MouseTool&) = delete;
    MouseTool& operator=(const MouseTool&) = delete;

    virtual void Activate() {}
    virtual void Deactivate() {}
    virtual void OnButtonDown(unsigned /*flags*/, int /*x*/, int /*y*/) {}
    virtual void OnButtonUp(unsigned /*flags*/, int /*x*/, int /*y*/) {}
    virtual void OnPointerMove(unsigned /*flags*/, int /*x*/, int /*y*/) {}
    virtual void OnDoubleClick(unsigned /*flags*/, int /*x*/, int /*y*/) {}
    virtual void OnKeyDown(int /*key*/, int /*repeat*/, unsigned /*flags*/) {}
    virtual void OnKeyUp(int /*key*/, int /*repeat*/, unsigned /*flags*/) {}
    virtual void Draw(platform::DeviceContext& /*dc*/) {}

protected:
    CBrindleView* View() const { return m_pView; }

private:
    CBrindleView* m_pView;
};

// Keys of the tools.
inline constexpr int kSelectTool = 0;
inline constexpr int kMouseInputTool = 1;
inline constexpr int kDragTool = 2;
inline constexpr int kPictureCopyTool = 3;
inline constexpr int kFreeTextTool = 4;
inline constexpr int kToolCount = 5;

// Pointer events and keys go to the editor, pointer points in score units; keys then go
// through the view's keyboard commands. PageUp, PageDown, Home and End released turn pages.
class SelectTool : public MouseTool {
public:
    using MouseTool::MouseTool;
    void Activate() override;
    void Deactivate() override;
    void OnButtonDown(unsigned flags, int x, int y) override;
    void OnButtonUp(unsigned flags, int x, int y) override;
    void OnPointerMove(unsigned flags, int x, int y) override;
    void OnDoubleClick(unsigned flags, int x, int y) override;
    void OnKeyDown(int key, int repeat, unsigned flags) override;
    void OnKeyUp(int key, int repeat, unsigned flags) override;
};

// Notes placed with the pointer: while the tool is current the editor works in its
// reporting input mode, and a press inside the page's margins enters a note with the
// view's note-entry choices where it falls (on a note: the note takes the chosen
// degree). Keys reach neither the editor nor the keyboard commands.
class MouseInputTool final : public MouseTool {
public:
    using MouseTool::MouseTool;
    void Activate() override;
    void Deactivate() override;
    void OnButtonDown(unsigned flags, int x, int y) override;
};

// The hand: dragging the page scrolls it, in the directions whose scroll bar exists.
class DragTool final : public MouseTool {
public:
    using MouseTool::MouseTool;
    void Activate() override;
    void OnButtonDown(unsigned flags, int x, int y) override;
    void OnButtonUp(unsigned flags, int x, int y) override;
    void OnPointerMove(unsigned flags, int x, int y) override;

private:
    bool m_bDragging = false;
    bool m_bPressed = false;
    int m_nLastX = 0;
    int m_nLastY = 0;
};

// A rubber band over the page; Copy puts the region under it on the clipboard as a
// picture (vector and bitmap forms). Leaving the tool takes the band off the screen.
class PictureCopyTool final : public MouseTool {
public:
    using MouseTool::MouseTool;
    void Activate() override;
    void Deactivate() override;
    void OnButtonDown(unsigned flags, int x, int y) override;
    void OnButtonUp(unsigned flags, int x, int y) override;
    void OnPointerMove(unsigned flags, int x, int y) override;
    void Draw(platform::DeviceContext& dc) override;

    // The band in page pixels at zoom 1, normalised; empty when nothing is chosen.
    platform::Rect BandOnPage() const;
    // The band as drawn, in window pixels.
    platform::Rect BandInWindow() const;

private:
    bool m_bDragging = false;
    int m_nStartX = 0;
    int m_nStartY = 0;
    int m_nEndX = 0;
    int m_nEndY = 0;
};

// Free text: a frame placed and sized with the tracker holds an edit box; pressing
// outside the frame (or leaving the tool) adds the text typed so far to the page.
class FreeTextTool final : public MouseTool {
public:
    using MouseTool::MouseTool;
    void Activate() override;
    void Deactivate() override;
    void OnButtonDown(unsigned flags, int x, int y) override;
    void OnButtonUp(unsigned flags, int x, int y) override;
    void OnPointerMove(unsigned flags, int x, int y) override;
    void OnDoubleClick(unsigned flags, int x, int y) override;
    void Draw(platform::DeviceContext& dc) override;

    // Adds the box's text (when there is any) as a text item and empties the box.
    void Commit();

private:
    void PlaceBox();

    int m_nHit = -1;
    bool m_bDragging = false;
    platform::Rect m_StartRect{};
    int m_nStartX = 0;
    int m_nStartY = 0;
};

}  // namespace brindle
