// The element at the very top of the editor's element tree.
//
// Every notification an element sends up the tree ends here, after the owners on the
// way have filled in their share of the payload. The controller turns each record that
// stands for a finished or ongoing user edit into commands: a recorded group (one undo
// step) for a finished edit, a group that only runs for a step of a drag in progress,
// and it forwards in-place edit requests to the editor's listener. It keeps no state
// between records: everything it needs travels in the record and is copied into the
// commands it builds.
//
// Each id is handled by exactly one of the handlers. Notice 1 (content changed) follows
// every handled edit; notice 3 (document modified) follows only what changes the
// document: selection, clicks and drag steps leave the document unmodified.
#pragma once

#include <memory>
#include <vector>

#include "engine/commands/edit_command.h"
#include "engine/model/element_notification.h"
#include "engine/model/score_element.h"

namespace quaverly {

class ScoreEditor;
class TrackNode;

class EditController : public ScoreElement {
public:
    // Which handler takes an id.
    enum class Handler { kNone, kEdit, kForward, kStructure, kLineMark, kEditor };

    explicit EditController(ScoreEditor* editor);
    ~EditController() override;

    // Runs the one handler of the record's id and returns 0.
    int Notify(ElementNotification& notification) override;

    static Handler HandlerOf(int id);

private:
    using Commands = std::vector<std::unique_ptr<EditCommand>>;

    // Each returns true when the record changed the document (notice 3).
    bool HandleEditNotification(const ElementNotification& record);
    bool ForwardListenerNotification(const ElementNotification& record);
    bool HandleStructureNotification(const ElementNotification& record);
    bool HandleLineMarkNotification(const ElementNotification& record);
    bool HandleEditorNotification(const ElementNotification& record);

    // Opens a group (transient or recorded), adds the commands in order, closes it and
    // sends notice 1. Returns true for a recorded group.
    bool Build(bool transient, Commands commands);
    // One command into whatever group is open, else an undo step of its own.
    bool AddSingle(std::unique_ptr<EditCommand> command);
    void ContentChanged() const;

    int PageCount() const;
    // The track rows at index `track` of every line that shows a bar of first .. last
    // (both included), in score order.
    std::vector<std::shared_ptr<TrackNode>> RowsShowingBars(int first, int last,
                                                            int track) const;
    // The line (of the layout's pages) that holds the first of the rows; null when none.
    std::shared_ptr<ScoreElement> FirstLineShowing(
        const std::vector<std::shared_ptr<TrackNode>>& rows) const;
    // The index of a track row among its line's rows; -1 when it has no line.
    static int RowIndexOf(const ScoreElement* row);
    // The re-layout of the bar columns the block selection covers; none without a
    // selection.
    std::unique_ptr<EditCommand> SelectedBarColumns() const;
    // The systems on the pages before `page`, plus `systemNumber`.
    int SystemsBefore(int page, int systemNumber) const;

    ScoreEditor* editor_;
};

}  // namespace quaverly
