// The engine-side editor object: it owns one document's element trees, its undo
// history, cursor, selection and view state, and reports to the host through an
// EditorListener. Commands and elements read and write its members directly; the
// operations here are the ones they call.
//
// `score` is the document root, `layout` the root of the laid-out view, whose parent is
// `controller` (a placeholder for the edit controller at the top of the tree until that
// class exists); `caretLine` and `guideLine` are the two markers drawn outside the tree.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "engine/commands/edit_command.h"
#include "engine/commands/undo_history.h"
#include "engine/layout/caret_line.h"
#include "engine/layout/guide_line.h"
#include "engine/layout/layout_root.h"
#include "engine/model/container_element.h"
#include "engine/model/element_notification.h"
#include "engine/model/layout_types.h"
#include "engine/model/score.h"
#include "engine/model/score_element.h"

namespace quaverly {

class InputMode;
class ScorePainter;

// Codes of the notices the editor sends to its listener.
namespace EditorNoticeCode {
inline constexpr int ContentChanged = 1;
inline constexpr int RegionChanged = 2;
inline constexpr int DocumentModified = 3;
inline constexpr int EditTitle = 4;
inline constexpr int EditSubtitle = 5;
inline constexpr int EditPoet = 6;
inline constexpr int EditComposer = 7;
inline constexpr int EditSinger = 8;
inline constexpr int EditAdapter = 9;
inline constexpr int EditLyric = 12;
inline constexpr int EditTextItem = 13;
inline constexpr int NoteSelected = 14;
inline constexpr int CursorPositionChanged = 15;
inline constexpr int PageChanged = 16;
inline constexpr int CaretMoved = 17;
inline constexpr int PageInfoChanged = 18;
inline constexpr int PlaybackChanged = 19;
inline constexpr int InputBusy = 21;
inline constexpr int PendingCommandsRun = 22;
inline constexpr int LongOperationBegin = 23;
inline constexpr int LongOperationEnd = 24;
}  // namespace EditorNoticeCode

// A place in the laid-out score as the position notices report it.
struct NoticePosition {
    int page = 0;
    int line = 0;
    int track = 0;
    int bar = 0;  // score-wide bar number
    int time = 0;
};

// What the editor reports. The record and what it points to live only for the call.
struct EditorNotice {
    int code = 0;
    const NotificationPayload* request = nullptr;  // forwarded edit requests (4-9, 12-14)
    const Rect* region = nullptr;                  // 2: region to repaint; 17: caret
    const NoticePosition* position = nullptr;      // 15, 16
};

// Implemented by the host. The editor does not own it.
class EditorListener {
public:
    virtual ~EditorListener() = default;
    virtual void Notify(const EditorNotice& notice) = 0;
};

// The editor's cursor: a path of child indices from the layout root to a bar (page,
// line on the page, track row, bar counted from the line's first bar) and a time
// inside that bar. Line 0 of page 0 is the heading, so the cursor starts on line 1.
struct CursorPosition {
    int page = 0;
    int line = 1;
    int track = 0;
    int barInLine = 0;
    int timeInBar = 0;  // ticks, 161280 to a quarter note

    friend bool operator==(const CursorPosition&, const CursorPosition&) = default;
};

class ScoreEditor {
public:
    static constexpr std::size_t kViewFlagCount = 8;

    ScoreEditor();
    ~ScoreEditor();
    ScoreEditor(const ScoreEditor&) = delete;
    ScoreEditor& operator=(const ScoreEditor&) = delete;

    // --- Document state, read and written by commands and elements ---

    std::shared_ptr<Score> score;              // the document root; never replaced
    std::shared_ptr<LayoutRoot> layout;  // pages -> systems -> track rows
    // The heading node first, then the systems in score order; re-layout walkers
    // address lines by their index here.
    std::vector<std::shared_ptr<ContainerElement>> lines;
    int pageContentWidth = 0;  // printable area of a page, 0.01 mm
    int pageContentHeight = 0;
    int currentPage = 0;
    CursorPosition cursor;
    EditorListener* listener = nullptr;  // not owned; null: no notices
    UndoHistory history;
    int currentMode = 0;
    std::map<int, std::shared_ptr<InputMode>> modes;  // input modes 0 to 2
    bool caretEnabled = true;
    std::shared_ptr<CaretLine> caretLine;
    std::shared_ptr<GuideLine> guideLine;
    std::shared_ptr<ScoreElement> controller;  // parent of `layout`, top of the tree
    std::array<bool, kViewFlagCount> viewFlags = {true, true, true, false,
                                                  false, false, false, false};
    bool hideEmptyLines = false;
    // Line indices whose re-flow waits until their page becomes current.
    std::set<int> deferredReflows;
    // The elements selected by the user, in selection order.
    std::vector<std::shared_ptr<ScoreElement>> selectedElements;

    // --- Operations ---

    // Empties the document, the history (pending commands included) and the selection
    // list; resets cursor, current page, caret and the view flags 2 to 7. View flags 0
    // and 1, the listener, the input mode and the page content size stay.
    void ResetDocument();

    // Appends the element unless the list holds it already; returns its index (-1 for
    // a null element).
    int AddSelectedElement(std::shared_ptr<ScoreElement> element);
    // Erases the element's entry, keeping the order of the rest; nothing when absent.
    void RemoveSelectedElement(const ScoreElement* element);
    // Deselects every selected element, then empties the list.
    void ClearSelectedElements();

    // Hands the notice to the listener; nothing when none is set.
    void NotifyListener(const EditorNotice& notice) const;
    void NotifyListener(int code) const;

    // Bars of the score's first part (0 without parts).
    int GetBarCount() const;

    // --- Command groups and the history ---
    //
    // Every change is a command. With no group open a command is recorded as a step of
    // its own; inside a group it becomes a child of the innermost open group, and the
    // outermost group is recorded when it is closed. Recorded commands run at the next
    // RunPendingCommands, never earlier.

    // Takes ownership of a newly built command and passes it to AddToGroup.
    void AddCommand(std::unique_ptr<EditCommand> command);
    // Records the command when no group is open; otherwise appends it to the innermost
    // open group. A null command is ignored.
    void AddToGroup(std::shared_ptr<EditCommand> command);
    // Opens a CommandGroup (children undone first to last). transient false: an undo
    // step; true: a step that only runs.
    void BeginGroup(bool transient);
    // Opens a MacroCommand (children undone last to first).
    void BeginReverseGroup(bool transient);
    // Closes the innermost group: nothing with no group open; inside another group it
    // becomes a child of that group even when empty; as the outermost group it is
    // recorded unless it is empty.
    void EndGroup();
    int OpenGroupCount() const { return static_cast<int>(openGroups_.size()); }
    // Queues the command and empties the undo and redo stacks: nothing before it can be
    // undone any more.
    void RecordIrreversible(std::shared_ptr<EditCommand> command);

    // Undo and Redo queue the step and report the document modified and the content
    // changed; on an empty stack they change and report nothing.
    void Undo();
    void Redo();
    bool CanUndo() const { return history.CanUndo(); }
    bool CanRedo() const { return history.CanRedo(); }

    // Runs the queued commands with the painter, including those queued meanwhile,
    // then sends notice 22.
    void RunPendingCommands(ScorePainter& painter);

private:
    // Open command groups, innermost last.
    std::vector<std::shared_ptr<EditCommand>> openGroups_;
};

}  // namespace quaverly
