// The engine-side editor object: it owns one document's element trees, its undo
// history, cursor, selection and view state, and reports to the host through an
// EditorListener. Commands and elements read and write its members directly; the
// operations here are the ones they call.
//
// The program sees the same object as `api::ScoreEditor` (editor_interface.h), made by
// create_quaverly_editor and freed by Destroy; inside the engine it is this class, whose
// members stay public for the commands. Tests may also make one on the stack.
//
// `score` is the document root, `layout` the root of the laid-out view, whose parent is
// `controller` (the EditController at the top of the tree, which turns the elements'
// notifications into commands); `caretLine` and `guideLine` are the two markers drawn outside the tree.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/commands/edit_command.h"
#include "engine/commands/set_note_properties_command.h"
#include "engine/commands/undo_history.h"
#include "engine/editor/editor_interface.h"
#include "engine/layout/caret_line.h"
#include "engine/layout/guide_line.h"
#include "engine/layout/layout_root.h"
#include "engine/model/container_element.h"
#include "engine/model/element_notification.h"
#include "engine/model/layout_types.h"
#include "engine/model/score.h"
#include "engine/model/score_element.h"

namespace quaverly {

class BarlineView;
class InitialLayoutCommand;
class InputMode;
class Note;
class ScorePainter;
class StepLyricCommand;
class SystemNode;

class ScoreEditor final : public api::ScoreEditor {
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
    // The bar ranges a loaded document gives its lines, by line index: the first walk
    // after the load keeps each where it still starts the line, so the document's own
    // layout stands, and then forgets them all.
    std::map<int, BarRange> documentLineRanges;
    // The bar columns [0, n) the first layout has just measured: the walk that follows
    // it measures only the columns past them, and forgets it.
    int freshColumnsEnd = 0;
    // The elements selected by the user, in selection order.
    std::vector<std::shared_ptr<ScoreElement>> selectedElements;

    // --- The interface (see editor_interface.h for the order) ---
    //
    // Operations whose behaviour is written elsewhere in the engine and not yet joined
    // to the editor do nothing and return their neutral value (false, 0, an empty text
    // or list).

    // Empties the document, the history (pending commands included) and the selection
    // list; resets cursor, current page, caret and the view flags 2 to 7. View flags 0
    // and 1, the listener, the input mode and the page content size stay.
    void ResetDocument() override;
    void SetPageContentSize(int width, int height) override;
    void SetTitle(const std::u16string& text) override;
    std::u16string GetTitle() const override;
    void SetSubtitle(const std::u16string& text) override;
    std::u16string GetSubtitle() const override;
    void SetComposer(const std::u16string& text) override;
    std::u16string GetComposer() const override;
    void SetPoet(const std::u16string& text) override;
    std::u16string GetPoet() const override;
    void SetSinger(const std::u16string& text) override;
    std::u16string GetSinger() const override;
    void SetAdapter(const std::u16string& text) override;
    std::u16string GetAdapter() const override;
    void SetRights(const std::u16string& text) override;
    std::u16string GetRights() const override;
    void SetDescription(const std::u16string& text) override;
    std::u16string GetDescription() const override;
    // Resets the document, then reads the file. On failure the document is left empty,
    // nothing is queued or sent and the record is untouched.
    bool LoadMusicXml(const std::u16string& path, PageLayoutResult& info) override;
    void ImportScoreData(tabulon::ScoreData* data) override;
    void NewDocument(const NewScoreSettings& settings) override;
    void Repaginate() override;
    // Writes the document with the page record given and the editor's own line layout
    // and hide-empty-lines switch; false when the file could not be written (the old
    // file then stays as it was).
    bool SaveMusicXml(const std::u16string& path, const PageLayoutResult& info) override;
    void ExportScoreData(tabulon::ScoreData* data) override;
    void SetLayoutPosition(Point point) override;
    // Runs the queued commands with the painter, including those queued meanwhile,
    // then sends notice 22. A null painter runs nothing and sends nothing.
    void RunPendingCommands(ScorePainter* painter) override;
    void RunPendingCommands(ScorePainter& painter) { RunPendingCommands(&painter); }
    // The view tree, then the current input mode's overlay.
    bool Draw(ScorePainter* painter) override;
    void SetCaretEnabled(bool enabled) override { caretEnabled = enabled; }
    void DrawCaret(ScorePainter* painter) override;
    // The guide line at the cursor, down over the visible rows of its line, drawn through
    // the painter; then notice 17 with its rectangle. Nothing off the layout.
    void UpdateCaret(ScorePainter* painter) override;
    // Notice 17 with the rectangle UpdateCaret would draw, drawing nothing: the commands
    // that move the cursor run with the page's painter, where no guide line belongs.
    void ReportCaret(ScorePainter* painter);
    void Refresh() override;
    void SetListener(EditorListener* newListener) override { listener = newListener; }
    // Makes the page current here and in the layout root, and queues the deferred
    // re-flows of the pages up to it.
    void SetCurrentPage(int page) override;
    int GetCurrentPage() const override { return currentPage; }
    int GetLastPageIndex() const override;
    int GetCurrentPart() const override { return cursor.track; }
    int GetPartCount() const override;
    int GetCursorBarIndex() const override;
    // Bars of the score's first part (0 without parts).
    int GetBarCount() const override;
    void SetInputMode(int mode) override;
    void AddPart(const PartRecord& part) override;
    void DeletePart(int index) override;
    void AddBars(const BarRecord& bars) override;
    void DeleteBars(int first, int count) override;
    void InputChord(const std::vector<int>* keys, int value, int dots, int graceKind,
                    int flags) override;
    void InputNote(int degree, int octave, int value, int dots, int accidental, int graceKind,
                   int flags) override;
    void SetNotePitch(int typeCode) override;
    void SetNoteValue(int value) override;
    void SetOctave(int octave) override;
    void SetDots(int dots) override;
    void SetAccidental(int accidental) override;
    void MakeTuplet(int actual, int normal) override;
    void ToggleTie() override;
    void SetLyricVerse(int verse) override;
    void BeginLyricEdit(int part, int bar, int verse, int time) override;
    void EndLyricEdit(int part, int bar, int verse, int time) override;
    void SetLyricText(const LyricTextRecord& record) override;
    std::vector<std::u16string> GetLyrics(int part, int verse) const override;
    void SetLyrics(int part, int verse, const std::vector<std::u16string>& texts) override;
    void AddArticulation(int code) override;
    void AddOtherSymbol(const ExtendSymbol& symbol) override;
    void AddTextItem(const PageTextData& text) override;
    void AddLineMark(int kind) override;
    bool SetBarline(int type) override;
    bool AddJumpMark(int style, int mark) override;
    void ReservedSymbolOperation(int /*first*/, int /*second*/) override {}
    bool SetDynamics(int code) override;
    int SetKeySignature(int fifths) override;
    // -1 when the cursor is on no bar, the meter is not valid, or the bar already
    // starts another meter; 0 otherwise (also when the bar has this meter already, which
    // changes nothing).
    int SetTimeSignature(int beats, int beatType) override;
    void SetTempoText(const std::u16string& text) override;
    void SetTempo(int beatUnit, int perMinute) override;
    void AddGrouping(int type) override;
    void SetBarNumbering(const BarNumberFormat& format) override;
    void EnlargeNote() override;
    void ShrinkNote() override;
    bool InsertLineBreak() override;
    void ShowPageBorder(bool show) override;
    void ShowTrackBaseLines(bool show) override;
    void ShowLineBreakMarks(bool show) override;
    void ShowIndentMarks(bool show) override;
    void ShowLineSpacingMarks(bool show) override;
    void ShowLinePositionMarks(bool show) override;
    void ShowBarWidthMarks(bool show) override;
    void ShowLyricLineMarks(bool show) override;
    int GetBarsPerLine() const override;
    void SetBarsPerLine(const BarsPerLineRecord& record) override;
    int GetLinesOnPage() const override;
    void SetLinesOnPage(int count) override;
    void SetInstrumentName(const std::u16string& text, bool allLines) override;
    void HideEmptyLines(bool hide) override;
    void RestoreDefaultLayout() override;
    void Transpose(const TransposeRequest& request) override;
    void Enharmonic() override {}
    void ShiftOctave(int firstBar, int endBar, int up) override;
    bool Navigate(int index) override;
    void OnKeyDown(int key, int flags) override;
    void OnInputEvent(int first, int second) override;
    void OnButtonDown(Point point, int flags, int extra) override;
    void OnPointerMove(Point point, int flags) override;
    void OnButtonUp(Point point, int flags) override;
    void OnDoubleClick(Point point, int flags, int extra) override;
    // Moves the cursor to the latest note start at or before the player's time in its
    // bar (over every part) and sends notice 16; returns 0.
    int ShowPlaybackPosition(const PlaybackPosition& position) override;
    // Undo and Redo queue the step and report the document modified and the content
    // changed; on an empty stack they change and report nothing.
    void Undo() override;
    void Redo() override;
    bool CanUndo() const override { return history.CanUndo(); }
    bool CanRedo() const override { return history.CanRedo(); }
    bool HasSelection() const override;
    bool ReservedQuery() override { return true; }
    // The selected block of bars as a score fragment; the bytes stay as they are
    // without a selection.
    void CopySelection(std::vector<std::uint8_t>& bytes) override;
    // Changes nothing.
    void CutSelection(int flags) override;
    // Pastes a score fragment at the cursor's bar and row as one undo step. Bytes that
    // do not read as a fragment, a fragment that fails its check and a cursor off the
    // layout change nothing and send nothing.
    void Paste(const std::uint8_t* data, std::size_t size) override;
    // Frees an editor made by create_quaverly_editor.
    void Destroy() override;
    int GetCursorTimeInBar() const override;

    // --- Selection and notices ---

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

    // --- Layout walkers, called by the re-layout commands with their painter ---

    // Cuts the bars into lines from line `line` on (0 is taken as 1): bars go on a line
    // while their width stays within 105 % of the room; forced breaks and the
    // bars-per-line entries end lines; a loaded document's own ranges stand on the first
    // walk after the load; with mode 0 the walk stops at the first line after the start
    // line whose bar range did not change. Lines past the last bar are dropped and the
    // cursor stays on its bar. Returns -1 without a part, else 0.
    int RelayoutFrom(ScorePainter& painter, int line, int mode);
    // Re-cuts the lines from the first line of page `page`, then re-fills the pages from
    // that page on; earlier pages stay as they are. With `keep` the lines stand as the
    // walk just before cut them and only the pages are filled again. The first flag is
    // kept for the callers and changes nothing.
    void ReflowLinesFrom(ScorePainter& painter, int page, bool from, bool keep);
    // Puts the lines on pages from page `page` on, honouring the lines-per-page entries;
    // drops unused pages, sends notice 18 and keeps the cursor on its bar. When the
    // current page went away, the cursor's page becomes current (notice 16).
    void RepaginateFrom(ScorePainter& painter, int page);
    // After a repagination: a current page past the last page gives way to the page that
    // holds the cursor, and the listener hears of it as of any page change.
    void ShowCursorPageInsteadOfLostPage();
    // Lays out the lines of one page again and stacks them from y = 0, each below the
    // ones above it; nothing for a page that does not exist.
    void RestackPage(ScorePainter& painter, int page);
    // Appends bars to every track shorter than the longest one.
    void EqualizeBarCounts();

    // --- The account of changed areas the view draws again (TakeChangedAreas) ---

    // A line was laid out again; `before` is where it lay on its page before. Lines of
    // other pages than the current one change nothing the view shows.
    void NoteLineChanged(const ScoreElement& line, const Rect& before);
    // Bar `index` of the score was laid out again: its line changed as it stands.
    void NoteBarChanged(int index);
    // Something the account cannot place changed: the page is drawn whole.
    void NotePageChanged() { pageChangedWhole_ = true; }
    bool TakeChangedAreas(std::vector<Rect>& areas) override;

    // --- View flags and hidden rows, applied to the laid-out view at once ---

    // Page borders, then every line of every page.
    void ApplyViewFlags();
    // The line's indent and line-break marks, and the marks of its visible rows (the
    // bar-width marks on the first visible row only).
    void ApplyViewFlagsToLine(SystemNode& line);
    // With hide set, a row whose bars in the line hold nothing but rests is hidden;
    // otherwise every row is shown. The line is shown while a row is, or when
    // keepVisible is set (the first line of the score).
    void HideEmptyTracksInLine(SystemNode& line, bool keepVisible, bool hide);

    // --- Cursor steps, run by the cursor commands ---

    // The cursor to the next element (note start) of its bar, or to the start of the
    // next bar; true, or notice 1 and false when there is no next bar.
    bool MoveCursorNext();
    // The cursor back to the start of the last note of its bar that starts before the
    // input time; with none, to the last note of the bar before (its start, 0 when the
    // bar is empty). False at the first bar or off the layout.
    bool StepCursorBack();
    // The view flags applied again to every laid-out page and line.
    void RelayoutView();

    // The first bar index of line `line` of page `page`; -1 when there is none.
    int GetBarIndexAtLine(int page, int line) const;
    // Puts the cursor on the page, line and offset that hold the bar (limited to the
    // last bar); the track and time stay. False when no page shows the bar.
    bool PlaceCursorOnBar(int bar);
    // The first laid-out line whose bar range holds the bar, with its page and line
    // indexes; no line (and indexes of -1) when none does.
    struct LineOfBar {
        int page = -1;
        int line = -1;
        std::shared_ptr<SystemNode> node;
    };
    LineOfBar FindLineOfBar(int bar) const;
    // The place of `line` in `lines`, looked at where its own index says first; -1 when
    // the list no longer holds it.
    int FindLineIndex(const ScoreElement& line) const;

private:
    // One header text through its command, laid out again with the heading.
    template <typename Command>
    void SetScoreText(const std::u16string& text, std::u16string oldText);
    // The guide line's rectangle at the cursor (left equals right); none when the cursor
    // is on no bar of a line with a visible row.
    std::optional<Rect> CaretGuide(ScorePainter& painter) const;
    // The line at the cursor's page and line; empty for the heading or none.
    std::shared_ptr<SystemNode> CursorLine() const;
    // The bar the cursor is on: a bar of the cursor's line; -1 on the heading, on no line
    // or past the line's bars.
    int CursorBar() const;
    void SetViewFlag(std::size_t flag, bool show);
    // Notice 1, then 3: the view and the document changed.
    void NotifyDocumentChanged() const;
    // The deferred re-flows of the pages from firstPage to the last one that gets one.
    std::unique_ptr<EditCommand> MakeDeferredReflows(int firstPage) const;

    // Queues the command irreversibly, wrapped so that only its Do runs.
    void RecordStep(std::shared_ptr<EditCommand> command);
    // The first layout of a new, loaded or imported document, or of new pages: the
    // initial layout (the given one, else a fresh one), the whole score and its pages,
    // the final barline when asked, the view and the playback notice.
    void RecordInitialLayout(std::shared_ptr<InitialLayoutCommand> initial,
                             bool moveFinalBarline);

    // The height a laid-out line takes on its page: the heading's own height, else the
    // sum of its visible rows' heights and offsets.
    int LineHeight(std::size_t index) const;

    // --- Keys, note entry, note editing, marks and structure ---

    // Queues the step that moves in-place lyric editing from the syllable at (part, bar,
    // verse, time) of the part's first track; notice 1.
    void QueueLyricStep(std::unique_ptr<StepLyricCommand> step, int part, int bar, int verse,
                        int time);

    // The left and right arrows: the cursor one note left or right, the selection
    // cleared.
    void CursorKey(bool right, int flags);
    // Backspace: the cursor back one note, deleting the note it steps over.
    void DeleteBeforeCursor();
    // Up and down arrows: the selected notes of the cursor's bar one degree up or down.
    void StepSelectedPitch(bool up, int flags);
    // Steps that only run: the caret moved to the cursor; the cursor reported.
    void QueueCaretRefresh();
    void QueueCursorPlacement();

    // Note entry at the cursor. The note carries its chord notes already. False when the
    // cursor's bar or line is missing.
    bool InsertNoteAtCursor(const std::shared_ptr<Note>& note);
    bool OverwriteNoteAtCursor(const std::shared_ptr<Note>& note);
    // Joins notes of the pitches to the chord of the pitched note that starts at the
    // cursor's time, keeping the lowest pitch as the main note. False when there is no
    // such note.
    bool AddChordNotesAtCursor(const std::vector<NoteInputValues>& pitches);
    // Grace notes before (or after) every selected bar note of the cursor's line.
    void AddGraceNotes(const std::vector<NoteInputValues>& notes, bool before);
    // The key in force at the cursor's bar (fifths; 0 off the layout).
    int CursorKey() const;

    // One field of every selected bar note (rests skipped except for the pitch), each
    // note its own undo step; false when no note is selected.
    bool SetSelectedNoteField(int field, int value);
    // The pitch of every selected bar note; a note that changes between rest, degree and
    // unpitched symbol is replaced by an element of its new class.
    bool SetSelectedPitch(int typeCode);
    // The size style of the selected notes and what hangs on them.
    void SetSelectedNoteStyle(int kind);

    // The first selected bar line of every line of the cursor's page, or its neighbour
    // before (a selected start) or after (a selected end) when asked, gets the style and
    // mark (see BarLineChange); one undo step and notices 1 and 3 per line.
    bool ChangeSelectedBarLines(int style, int mark, bool toPrevious, bool toNext);
    // One undoable group that gives the bar line of a view the style and, with a mark of
    // 0 or more, that mark (a style alone takes a repeat away); false when the view
    // shows no bar.
    bool BarLineChange(const std::shared_ptr<SystemNode>& line, const BarlineView& view,
                       int style, int mark);

    // The key change of SetKeySignature without its re-flow, added to the open group.
    void AddKeySignatureStep(int bar, int fifths);
    // The pitch edits of Transpose and ShiftOctave over bars [first, end), between the
    // long-operation notices and followed by the re-layout, added to the open group.
    void AddPitchEdits(int first, int end, std::vector<std::unique_ptr<EditCommand>> edits);
    // The re-flows that follow a change of the part list.
    void AddPartReflows();
    // The insertion of `count` bars at bar `index`, added to the open group with what
    // follows it: the lines from `line` on laid out again, the pages re-filled from the
    // cursor's page and the final bar line moved to the new last bar.
    void AddBarInsertion(int index, int count, const std::shared_ptr<SystemNode>& line);

    // Open command groups, innermost last.
    std::vector<std::shared_ptr<EditCommand>> openGroups_;
    // The cursor's bar while the lines are cut anew and the pages not yet filled.
    int cursorBarAfterReflow_ = -1;
    // The account of changed areas: whole until the view has drawn the page once, and
    // after anything the editor reports as changed outside the queued commands (every
    // content notice but that of a note entry, which only queues).
    mutable bool pageChangedWhole_ = true;
    bool enteringNote_ = false;
    std::vector<Rect> changedAreas_;
};

}  // namespace quaverly
