// The score view's mouse tools. A tool holds a plain pointer to its view and gets the
// view's pointer and key events while it is current; Draw adds its own marks over the
// window buffer at the end of each paint. Every operation does nothing by default.
//
// The five tools sit under fixed keys: 0 selection (pointer events and keys go to the
// editor), 1 mouse note input, 2 dragging the page, 3 copying a piece of the page as a
// picture, 4 free text.
#pragma once

namespace platform {
class DeviceContext;
}

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

// The tools' own behaviour comes with the mouse handling; for now each is the plain base
// under its own name, so switching and the tool table are in place.
class SelectTool final : public MouseTool {
public:
    using MouseTool::MouseTool;
};

class MouseInputTool final : public MouseTool {
public:
    using MouseTool::MouseTool;
};

class DragTool final : public MouseTool {
public:
    using MouseTool::MouseTool;
};

class PictureCopyTool final : public MouseTool {
public:
    using MouseTool::MouseTool;
};

class FreeTextTool final : public MouseTool {
public:
    using MouseTool::MouseTool;
};

}  // namespace brindle
