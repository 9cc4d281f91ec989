#include "engine/layout/input_mode.h"

#include "engine/editor/score_editor.h"
#include "engine/layout/pointer_location.h"
#include "engine/layout/system_node.h"
#include "engine/model/element_path.h"

namespace quaverly {

namespace {

// Locates the point on the editor's current page and moves the cursor there.
bool MoveCursorTo(ScoreEditor& editor, Point point)
{
    PointerLocation found;
    if (!LocatePointer(point.x, point.y, *editor.layout, editor.currentPage, found))
        return false;
    editor.cursor.page = editor.currentPage;
    editor.cursor.line = found.system;
    editor.cursor.track = found.track;
    editor.cursor.barInLine = found.bar;
    editor.cursor.timeInBar = found.time;
    return true;
}

}  // namespace

bool InputMode::OnButtonDown(Point point, int)
{
    return MoveCursorTo(editor_, point);
}

bool ReportingInputMode::OnButtonDown(Point point, int)
{
    ScoreEditor& editor = Editor();
    if (!MoveCursorTo(editor, point))
        return false;
    const CursorPosition& cursor = editor.cursor;
    int scoreBar = -1;
    if (const auto line = std::dynamic_pointer_cast<SystemNode>(
            GetElementAtPath2(*editor.layout, cursor.page, cursor.line)))
        scoreBar = line->GetBarRange().first + cursor.barInLine;
    const NoticePosition position{cursor.page, cursor.line, cursor.track, scoreBar,
                                  cursor.timeInBar};
    EditorNotice moved{EditorNoticeCode::CursorPositionChanged};
    moved.position = &position;
    editor.NotifyListener(moved);

    if (const auto bar = GetElementAtPath4(*editor.layout, cursor.page, cursor.line,
                                           cursor.track, cursor.barInLine)) {
        const Rect region = bar->GetRect().Moved(bar->GetChildOrigin());
        EditorNotice repaint{EditorNoticeCode::RegionChanged};
        repaint.region = &region;
        editor.NotifyListener(repaint);
    }
    return true;
}

std::map<int, std::shared_ptr<InputMode>> MakeInputModes(ScoreEditor& editor)
{
    return {{0, std::make_shared<InputMode>(editor)},
            {1, std::make_shared<ReportingInputMode>(editor)},
            {2, std::make_shared<InputMode>(editor)}};
}

}  // namespace quaverly
