// Commands that carry no change of the score model: they are queued behind the
// commands that change it, inside the same group, and lay out again with the painter
// of their run the piece of the view the change touched. Most do the same work in both
// directions, so undoing a change lays the score out again just as doing it did; the
// three notice commands send their notice to the editor's listener from inside the
// history, so undo and redo send it again.
//
// None of them keeps state that changes when it runs: running one twice in a row has
// the effect of running it once.
//
// Lines and pages are made afresh by every re-flow. A command that names a line, a row
// or a page holds it weakly and acts on it only while it is still part of the laid-out
// view (attached to a parent); one that starts a walk from a line looks the line up in
// the editor's list when it runs. None climbs into a node a re-flow dropped.
#pragma once

#include <memory>
#include <vector>

#include "engine/commands/edit_command.h"

namespace quaverly {

class Bar;
class PageNode;
class Score;
class ScoreEditor;
class ScoreElement;
class SystemNode;
class TrackNode;

// Child b of child a of the container, empty when either index is out of range: bar b
// of part a when given the score.
std::shared_ptr<ScoreElement> GetBarRef(const ScoreElement& container, int a, int b);

// Lays out one element again (a bar, a note, any element).
class RefreshElementCommand : public EditCommand {
public:
    void SetTarget(std::shared_ptr<ScoreElement> target) { target_ = std::move(target); }

    void Do() override;
    void Undo() override { Do(); }

private:
    std::shared_ptr<ScoreElement> target_;
};

class RefreshBarElementCommand final : public RefreshElementCommand {};
class RefreshNoteElementCommand final : public RefreshElementCommand {};

// Re-cuts the lines from the line that is the start element, found by identity in the
// editor's list when the command runs. Run again (undone or redone), it starts from the
// line that now shows the bar its start line began with when it last ran, should an
// undone re-cut have dropped that line and a redone one made another in its place;
// nothing when no line is found. When the walk changed the number of lines, the pages are
// filled again from the start line's.
class RelayoutFromElementCommand : public EditCommand {
public:
    explicit RelayoutFromElementCommand(ScoreEditor* editor, int mode = 0)
        : editor_(editor), mode_(mode)
    {
    }

    void SetStartElement(std::shared_ptr<ScoreElement> element) { start_ = std::move(element); }

    void Do() override;
    void Undo() override { Do(); }

protected:
    // The walk from the start element; false when it was not found.
    bool RelayoutFromStart();
    ScoreEditor* Editor() const { return editor_; }

private:
    // The index in the editor's list of the start line, or of the line that now shows
    // `startBar_`; -1 when neither is listed.
    int FindStart() const;

    ScoreEditor* editor_;
    int mode_;
    std::shared_ptr<ScoreElement> start_;
    // The first bar of the start line when the command last found it; -1 before that.
    int startBar_ = -1;
};

// The same walk in mode 1: every line from the start on.
class RelayoutFromElementAllCommand final : public RelayoutFromElementCommand {
public:
    explicit RelayoutFromElementAllCommand(ScoreEditor* editor)
        : RelayoutFromElementCommand(editor, 1)
    {
    }
};

// The walk of RelayoutFromElementCommand; when the number of lines changed, the pages
// are filled again from the first.
class RelayoutAndRepaginateCommand final : public RelayoutFromElementCommand {
public:
    explicit RelayoutAndRepaginateCommand(ScoreEditor* editor)
        : RelayoutFromElementCommand(editor, 0)
    {
    }

    void Do() override;
    // The walk reports every line it lays out; filling the pages again changes the page.
    bool KeepsToReportedLines() const override { return true; }
};

// The heading, then every line from the first.
class RelayoutScoreCommand final : public EditCommand {
public:
    explicit RelayoutScoreCommand(ScoreEditor* editor) : editor_(editor) {}

    void Do() override;
    void Undo() override { Do(); }

private:
    ScoreEditor* editor_;
};

// Stacks the lines of one page again.
class RelayoutLinesCommand final : public EditCommand {
public:
    explicit RelayoutLinesCommand(ScoreEditor* editor) : editor_(editor) {}

    void SetPage(int page) { page_ = page; }

    void Do() override;
    void Undo() override { Do(); }

private:
    ScoreEditor* editor_;
    int page_ = 0;
};

// Fills the pages again from a page on.
class RepaginateFromCommand final : public EditCommand {
public:
    explicit RepaginateFromCommand(ScoreEditor* editor) : editor_(editor) {}

    void SetPage(int page) { page_ = page; }

    void Do() override;
    void Undo() override { Do(); }

private:
    ScoreEditor* editor_;
    int page_ = 0;
};

// Re-flows the lines from a page on; the three commands pass the editor the flag pairs
// their callers expect.
class ReflowLinesBaseCommand : public EditCommand {
public:
    ReflowLinesBaseCommand(ScoreEditor* editor, bool first, bool second)
        : editor_(editor), first_(first), second_(second)
    {
    }

    void SetPage(int page) { page_ = page; }

    void Do() override;
    void Undo() override { Do(); }

private:
    ScoreEditor* editor_;
    bool first_;
    bool second_;
    int page_ = 0;
};

class ReflowLinesCommand final : public ReflowLinesBaseCommand {
public:
    explicit ReflowLinesCommand(ScoreEditor* editor) : ReflowLinesBaseCommand(editor, false, false)
    {
    }
};

class ReflowLinesKeepCommand final : public ReflowLinesBaseCommand {
public:
    explicit ReflowLinesKeepCommand(ScoreEditor* editor)
        : ReflowLinesBaseCommand(editor, false, true)
    {
    }
};

class ReflowLinesFromCommand final : public ReflowLinesBaseCommand {
public:
    explicit ReflowLinesFromCommand(ScoreEditor* editor)
        : ReflowLinesBaseCommand(editor, true, false)
    {
    }
};

// Adds its pages to the editor's set of pages whose re-flow waits until they are shown.
class RefreshLineListCommand final : public EditCommand {
public:
    explicit RefreshLineListCommand(ScoreEditor* editor) : editor_(editor) {}

    void AppendIndex(int index) { indices_.push_back(index); }

    void Do() override;
    void Undo() override { Do(); }

private:
    ScoreEditor* editor_;
    std::vector<int> indices_;
};

// Places the lyric lines of every row of one page again, and on Do the lyrics of their
// bars. Any page of the laid-out view counts, the last one and the only one included.
class RebuildBarContentCommand final : public EditCommand {
public:
    explicit RebuildBarContentCommand(ScoreEditor* editor) : editor_(editor) {}

    void SetPage(int page) { page_ = page; }

    void Do() override { Walk(true); }
    void Undo() override { Walk(false); }

private:
    void Walk(bool withBars);

    ScoreEditor* editor_;
    int page_ = 0;
};

// Places the bar numbers of every bar of every part again.
class RebuildBarIndexCommand final : public EditCommand {
public:
    explicit RebuildBarIndexCommand(ScoreEditor* editor) : editor_(editor) {}

    void Do() override;
    void Undo() override { Do(); }

private:
    ScoreEditor* editor_;
};

// Places the time signature of one bar again.
class PlaceBarTimeSignatureCommand final : public EditCommand {
public:
    void SetBar(std::shared_ptr<Bar> bar) { bar_ = std::move(bar); }

    void Do() override;
    void Undo() override { Do(); }

private:
    std::shared_ptr<Bar> bar_;
};

// Places the lines-per-page marker of a page again, while the page is in the view.
class RefreshPageLinesCommand final : public EditCommand {
public:
    void SetPage(const std::shared_ptr<PageNode>& page) { page_ = page; }

    void Do() override;
    void Undo() override { Do(); }

private:
    std::weak_ptr<PageNode> page_;
};

// Makes a row's line-mark views afresh, while the row is in the view.
class RebuildTrackLineMarksCommand final : public EditCommand {
public:
    void SetTrack(const std::shared_ptr<TrackNode>& track) { track_ = track; }

    void Do() override;
    void Undo() override { Do(); }

private:
    std::weak_ptr<TrackNode> track_;
};

// Spaces every bar column of the score again.
class RelayoutAllBarsCommand final : public EditCommand {
public:
    void SetScore(std::shared_ptr<Score> score) { score_ = std::move(score); }

    void Do() override;
    void Undo() override { Do(); }

private:
    std::shared_ptr<Score> score_;
};

// Spaces the bar columns [first, end) again.
class RelayoutBarRangeCommand final : public EditCommand {
public:
    void SetRange(int first, int end)
    {
        first_ = first;
        end_ = end;
    }
    void SetScore(std::shared_ptr<Score> score) { score_ = std::move(score); }

    void Do() override;
    void Undo() override { Do(); }

private:
    int first_ = 0;
    int end_ = 0;
    std::shared_ptr<Score> score_;
};

// Makes the barline-mark views of its bars again.
class RebuildBarsCommand final : public EditCommand {
public:
    void AppendBar(std::shared_ptr<Bar> bar);

    void Do() override;
    void Undo() override { Do(); }

private:
    std::vector<std::shared_ptr<Bar>> bars_;
};

// Joins a line's repeat barlines again, while the line is in the view.
class RefreshStaffJoinsCommand final : public EditCommand {
public:
    void SetSystem(const std::shared_ptr<SystemNode>& system) { system_ = system; }

    void Do() override;
    void Undo() override { Do(); }

private:
    std::weak_ptr<SystemNode> system_;
};

// Lays out the part-group braces and brackets of every line again (the heading, which
// has none, aside). Both commands run the line's own layout, which places and makes
// the group views afresh from the score's groups.
class RefreshPartGroupTracksCommand final : public EditCommand {
public:
    explicit RefreshPartGroupTracksCommand(ScoreEditor* editor) : editor_(editor) {}

    void Do() override;
    void Undo() override { Do(); }

private:
    ScoreEditor* editor_;
};

class RefreshPartGroupHeadersCommand final : public EditCommand {
public:
    explicit RefreshPartGroupHeadersCommand(ScoreEditor* editor) : editor_(editor) {}

    void Do() override;
    void Undo() override { Do(); }

private:
    ScoreEditor* editor_;
};

// Sends one notice to the editor's listener, on Do and on Undo alike.
class NoticeCommand : public EditCommand {
public:
    NoticeCommand(ScoreEditor* editor, int code) : editor_(editor), code_(code) {}

    void Do() override;
    void Undo() override { Do(); }

private:
    ScoreEditor* editor_;
    int code_;
};

class BeginWaitNoticeCommand final : public NoticeCommand {
public:
    explicit BeginWaitNoticeCommand(ScoreEditor* editor);
};

class EndWaitNoticeCommand final : public NoticeCommand {
public:
    explicit EndWaitNoticeCommand(ScoreEditor* editor);
};

class PlaybackChangedNoticeCommand final : public NoticeCommand {
public:
    explicit PlaybackChangedNoticeCommand(ScoreEditor* editor);
};

}  // namespace quaverly
