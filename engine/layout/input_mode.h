// The editor's input modes: each key and pointer event reaches the current mode before
// the laid-out view. In every mode a left-button press locates the pointer on the
// current page and moves the editor's cursor there; the other operations do nothing.
// Mode 1 also reports the new cursor position to the host (notice 15) and asks it to
// repaint the bar (notice 2); modes 0 and 2 move the cursor silently.
#pragma once

#include <map>
#include <memory>

#include "engine/model/layout_types.h"

namespace quaverly {

class ScoreEditor;
class ScorePainter;

class InputMode {
public:
    // The editor is not owned and outlives the mode.
    explicit InputMode(ScoreEditor& editor) : editor_(editor) {}
    virtual ~InputMode() = default;
    InputMode(const InputMode&) = delete;
    InputMode& operator=(const InputMode&) = delete;

    // The operations in slot order; all empty here.
    virtual void Enter() {}
    virtual void Leave() {}
    virtual void OnKeyDown(int /*key*/, int /*flags*/) {}
    virtual void OnInputEvent(int /*first*/, int /*second*/) {}
    // Moves the cursor to the bar and time under the point on the current page; true
    // when a bar holds the point (nothing changes otherwise).
    virtual bool OnButtonDown(Point point, int flags);
    virtual void OnPointerMove(Point /*point*/, int /*flags*/) {}
    virtual void OnButtonUp(Point /*point*/, int /*flags*/) {}
    virtual void OnDoubleClick(Point /*point*/, int /*flags*/) {}
    virtual void DrawOverlay(ScorePainter& /*painter*/) {}

protected:
    ScoreEditor& Editor() const { return editor_; }

private:
    ScoreEditor& editor_;
};

// Mode 1: the press also tells the host where the cursor went and which bar to repaint.
class ReportingInputMode final : public InputMode {
public:
    using InputMode::InputMode;

    bool OnButtonDown(Point point, int flags) override;
};

// The three modes by number: 0 and 2 plain, 1 reporting.
std::map<int, std::shared_ptr<InputMode>> MakeInputModes(ScoreEditor& editor);

}  // namespace quaverly
