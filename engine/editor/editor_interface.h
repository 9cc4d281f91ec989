// What the engine library shows the program: the editor interface, the notices the editor
// sends back and the one exported function that makes an editor.
//
// The program calls the editor only through `api::ScoreEditor`, by the order of its
// operations, so the order below must not change: new operations go nowhere but the end
// of a later version. The interface has no virtual destructor (the program never deletes
// the object itself); `Destroy`, the last operation, frees it, and `DestroyEditor` does
// the same for a pointer that may be null.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/model/bar_number_format.h"
#include "engine/model/element_notification.h"
#include "engine/model/layout_types.h"

namespace tabulon {
class ScoreData;
}

namespace quaverly {

class ScorePainter;
struct ExtendSymbol;
struct NewScoreSettings;
struct PageLayoutResult;
struct PageTextData;

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

    friend bool operator==(const NoticePosition&, const NoticePosition&) = default;
};

// What the editor reports. The record and what it points to live only for the call: a
// listener copies what it wants to keep.
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

// The records the program hands to the operations.

// A new part: inserted after part `position` (-1: before the first), with its MIDI
// program and channel; `percussion` is kept on the part. With `twoStaves` a second staff
// of the same instrument joins it under a brace. Callers fill the fields by name.
struct PartRecord {
    int position = 0;
    int program = 0;
    bool percussion = false;
    int channel = 0;
    bool twoStaves = false;
};

// `count` bars inserted after bar `index`.
struct BarRecord {
    int index = 0;
    int count = 0;
};

// Bars on the cursor's line, or on every line with `all`.
struct BarsPerLineRecord {
    int count = 0;
    bool all = false;
};

// A lyric syllable's place and its new text.
struct LyricTextRecord {
    int part = 0;
    int bar = 0;
    int verse = 0;
    int time = 0;
    std::u16string text;
};

// Transposition: target key (fifths), direction (0 up, 1 down), range kind (0 bar to
// bar, 1 to the end, 2 to the next key change), first bar and end bar.
struct TransposeRequest {
    int targetKey = 0;
    int direction = 0;
    int rangeKind = 0;
    int firstBar = 0;
    int lastBar = 0;
};

// Where the player is: kind 20 for a position, the bar index and the time in the bar.
struct PlaybackPosition {
    int kind = 0;
    int bar = 0;
    int time = 0;
};

namespace api {

class ScoreEditor {
public:
    // 0, 1
    virtual void ResetDocument() = 0;
    virtual void SetPageContentSize(int width, int height) = 0;
    // 2-17: header texts
    virtual void SetTitle(const std::u16string& text) = 0;
    virtual std::u16string GetTitle() const = 0;
    virtual void SetSubtitle(const std::u16string& text) = 0;
    virtual std::u16string GetSubtitle() const = 0;
    virtual void SetComposer(const std::u16string& text) = 0;
    virtual std::u16string GetComposer() const = 0;
    virtual void SetPoet(const std::u16string& text) = 0;
    virtual std::u16string GetPoet() const = 0;
    virtual void SetSinger(const std::u16string& text) = 0;
    virtual std::u16string GetSinger() const = 0;
    virtual void SetAdapter(const std::u16string& text) = 0;
    virtual std::u16string GetAdapter() const = 0;
    virtual void SetRights(const std::u16string& text) = 0;
    virtual std::u16string GetRights() const = 0;
    virtual void SetDescription(const std::u16string& text) = 0;
    virtual std::u16string GetDescription() const = 0;
    // 18-23: whole documents
    virtual bool LoadMusicXml(const std::u16string& path, PageLayoutResult& info) = 0;
    virtual void ImportScoreData(tabulon::ScoreData* data) = 0;
    virtual void NewDocument(const NewScoreSettings& settings) = 0;
    virtual void Repaginate() = 0;
    virtual bool SaveMusicXml(const std::u16string& path, const PageLayoutResult& info) = 0;
    virtual void ExportScoreData(tabulon::ScoreData* data) = 0;
    // 24-29: view and drawing
    virtual void SetLayoutPosition(Point point) = 0;
    virtual void RunPendingCommands(ScorePainter* painter) = 0;
    virtual bool Draw(ScorePainter* painter) = 0;
    virtual void SetCaretEnabled(bool enabled) = 0;
    virtual void DrawCaret(ScorePainter* painter) = 0;
    virtual void UpdateCaret(ScorePainter* painter) = 0;
    // 30-38
    virtual void Refresh() = 0;
    virtual void SetListener(EditorListener* listener) = 0;
    virtual void SetCurrentPage(int page) = 0;
    virtual int GetCurrentPage() const = 0;
    virtual int GetLastPageIndex() const = 0;
    virtual int GetCurrentPart() const = 0;
    virtual int GetPartCount() const = 0;
    virtual int GetCursorBarIndex() const = 0;
    virtual int GetBarCount() const = 0;
    // 39-43
    virtual void SetInputMode(int mode) = 0;
    virtual void AddPart(const PartRecord& part) = 0;
    virtual void DeletePart(int index) = 0;
    virtual void AddBars(const BarRecord& bars) = 0;
    virtual void DeleteBars(int first, int count) = 0;
    // 44-52: notes
    virtual void InputChord(const std::vector<int>* keys, int value, int dots, int graceKind,
                            int flags) = 0;
    virtual void InputNote(int degree, int octave, int value, int dots, int accidental,
                           int graceKind, int flags) = 0;
    virtual void SetNotePitch(int typeCode) = 0;
    virtual void SetNoteValue(int value) = 0;
    virtual void SetOctave(int octave) = 0;
    virtual void SetDots(int dots) = 0;
    virtual void SetAccidental(int accidental) = 0;
    virtual void MakeTuplet(int actual, int normal) = 0;
    virtual void ToggleTie() = 0;
    // 53-58: lyrics
    virtual void SetLyricVerse(int verse) = 0;
    virtual void BeginLyricEdit(int part, int bar, int verse, int time) = 0;
    virtual void EndLyricEdit(int part, int bar, int verse, int time) = 0;
    virtual void SetLyricText(const LyricTextRecord& record) = 0;
    virtual std::vector<std::u16string> GetLyrics(int part, int verse) const = 0;
    virtual void SetLyrics(int part, int verse, const std::vector<std::u16string>& texts) = 0;
    // 59-66: symbols, text items, line marks, bar lines, dynamics
    virtual void AddArticulation(int code) = 0;
    virtual void AddOtherSymbol(const ExtendSymbol& symbol) = 0;
    virtual void AddTextItem(const PageTextData& text) = 0;
    virtual void AddLineMark(int kind) = 0;
    virtual bool SetBarline(int type) = 0;
    virtual bool AddJumpMark(int style, int mark) = 0;
    virtual void ReservedSymbolOperation(int first, int second) = 0;
    virtual bool SetDynamics(int code) = 0;
    // 67-70: key, meter, tempo
    virtual int SetKeySignature(int fifths) = 0;
    virtual int SetTimeSignature(int beats, int beatType) = 0;
    virtual void SetTempoText(const std::u16string& text) = 0;
    virtual void SetTempo(int beatUnit, int perMinute) = 0;
    // 71-75
    virtual void AddGrouping(int type) = 0;
    virtual void SetBarNumbering(const BarNumberFormat& format) = 0;
    virtual void EnlargeNote() = 0;
    virtual void ShrinkNote() = 0;
    virtual bool InsertLineBreak() = 0;
    // 76-83: view flags 0-7
    virtual void ShowPageBorder(bool show) = 0;
    virtual void ShowTrackBaseLines(bool show) = 0;
    virtual void ShowLineBreakMarks(bool show) = 0;
    virtual void ShowIndentMarks(bool show) = 0;
    virtual void ShowLineSpacingMarks(bool show) = 0;
    virtual void ShowLinePositionMarks(bool show) = 0;
    virtual void ShowBarWidthMarks(bool show) = 0;
    virtual void ShowLyricLineMarks(bool show) = 0;
    // 84-90: layout
    virtual int GetBarsPerLine() const = 0;
    virtual void SetBarsPerLine(const BarsPerLineRecord& record) = 0;
    virtual int GetLinesOnPage() const = 0;
    virtual void SetLinesOnPage(int count) = 0;
    virtual void SetInstrumentName(const std::u16string& text, bool allLines) = 0;
    virtual void HideEmptyLines(bool hide) = 0;
    virtual void RestoreDefaultLayout() = 0;
    // 91-94
    virtual void Transpose(const TransposeRequest& request) = 0;
    virtual void Enharmonic() = 0;
    // The notes of bars firstBar .. endBar - 1 of every part an octave up (up != 0) or
    // down: the octave-shift dialog passes its first bar - 1 and its last bar.
    virtual void ShiftOctave(int firstBar, int endBar, int up) = 0;
    virtual bool Navigate(int index) = 0;
    // 95-100: keyboard and pointer
    virtual void OnKeyDown(int key, int flags) = 0;
    virtual void OnInputEvent(int first, int second) = 0;
    virtual void OnButtonDown(Point point, int flags, int extra) = 0;
    virtual void OnPointerMove(Point point, int flags) = 0;
    virtual void OnButtonUp(Point point, int flags) = 0;
    virtual void OnDoubleClick(Point point, int flags, int extra) = 0;
    // 101-107
    virtual int ShowPlaybackPosition(const PlaybackPosition& position) = 0;
    virtual void Undo() = 0;
    virtual void Redo() = 0;
    virtual bool CanUndo() const = 0;
    virtual bool CanRedo() const = 0;
    virtual bool HasSelection() const = 0;
    virtual bool ReservedQuery() = 0;
    // 108-111: clipboard, destruction
    virtual void CopySelection(std::vector<std::uint8_t>& bytes) = 0;
    virtual void CutSelection(int flags) = 0;
    virtual void Paste(const std::uint8_t* data, std::size_t size) = 0;
    virtual void Destroy() = 0;
    // After the numbered operations: where in its bar the cursor stands (a time within
    // the bar), -1 when it stands on no bar. Playback starts there.
    virtual int GetCursorTimeInBar() const = 0;
    // What the queued commands run since the last call changed on the current page, for
    // a view that keeps its picture of the page: the areas to draw again, in score units
    // (0.01 mm from the top-left corner of the page's content). False when the editor
    // cannot tell (the page is then to be drawn whole); `areas` is emptied then. Each
    // call starts a new account.
    virtual bool TakeChangedAreas(std::vector<Rect>& areas)
    {
        areas.clear();
        return false;
    }

protected:
    ScoreEditor() = default;
    // Not virtual on purpose: the program frees an editor through Destroy only.
    ~ScoreEditor() = default;
    ScoreEditor(const ScoreEditor&) = delete;
    ScoreEditor& operator=(const ScoreEditor&) = delete;
};

// Frees the editor; nothing for null (Destroy itself cannot be called through null).
inline void DestroyEditor(ScoreEditor* editor)
{
    if (editor != nullptr)
        editor->Destroy();
}

}  // namespace api
}  // namespace quaverly

// Makes an empty editor; null when it cannot be made.
extern "C" __attribute__((visibility("default"))) quaverly::api::ScoreEditor*
create_quaverly_editor();
