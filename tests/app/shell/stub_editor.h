// An editor that answers every operation with nothing, for the view's tests: a test
// derives from it and records the operations it cares about.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/editor/editor_interface.h"

namespace view_test {

using namespace quaverly;

class StubEditor : public quaverly::api::ScoreEditor {
public:
    virtual ~StubEditor() = default;
    void ResetDocument() override {}
    void SetPageContentSize(int, int) override {}
    void SetTitle(const std::u16string&) override {}
    std::u16string GetTitle() const override { return {}; }
    void SetSubtitle(const std::u16string&) override {}
    std::u16string GetSubtitle() const override { return {}; }
    void SetComposer(const std::u16string&) override {}
    std::u16string GetComposer() const override { return {}; }
    void SetPoet(const std::u16string&) override {}
    std::u16string GetPoet() const override { return {}; }
    void SetSinger(const std::u16string&) override {}
    std::u16string GetSinger() const override { return {}; }
    void SetAdapter(const std::u16string&) override {}
    std::u16string GetAdapter() const override { return {}; }
    void SetRights(const std::u16string&) override {}
    std::u16string GetRights() const override { return {}; }
    void SetDescription(const std::u16string&) override {}
    std::u16string GetDescription() const override { return {}; }
    bool LoadMusicXml(const std::u16string&, PageLayoutResult&) override { return {}; }
    void ImportScoreData(tabulon::ScoreData*) override {}
    void NewDocument(const NewScoreSettings&) override {}
    void Repaginate() override {}
    bool SaveMusicXml(const std::u16string&, const PageLayoutResult&) override { return {}; }
    void ExportScoreData(tabulon::ScoreData*) override {}
    void SetLayoutPosition(Point) override {}
    void RunPendingCommands(ScorePainter*) override {}
    bool Draw(ScorePainter*) override { return {}; }
    void SetCaretEnabled(bool) override {}
    void DrawCaret(ScorePainter*) override {}
    void UpdateCaret(ScorePainter*) override {}
    void Refresh() override {}
    void SetListener(EditorListener*) override {}
    void SetCurrentPage(int) override {}
    int GetCurrentPage() const override { return {}; }
    int GetLastPageIndex() const override { return {}; }
    int GetCurrentPart() const override { return {}; }
    int GetPartCount() const override { return {}; }
    int GetCursorBarIndex() const override { return {}; }
    int GetBarCount() const override { return {}; }
    void SetInputMode(int) override {}
    void AddPart(const PartRecord&) override {}
    void DeletePart(int) override {}
    void AddBars(const BarRecord&) override {}
    void DeleteBars(int, int) override {}
    void InputChord(const std::vector<int>*, int, int, int, int) override {}
    void InputNote(int, int, int, int, int, int, int) override {}
    void SetNotePitch(int) override {}
    void SetNoteValue(int) override {}
    void SetOctave(int) override {}
    void SetDots(int) override {}
    void SetAccidental(int) override {}
    void MakeTuplet(int, int) override {}
    void ToggleTie() override {}
    void SetLyricVerse(int) override {}
    void BeginLyricEdit(int, int, int, int) override {}
    void EndLyricEdit(int, int, int, int) override {}
    void SetLyricText(const LyricTextRecord&) override {}
    std::vector<std::u16string> GetLyrics(int, int) const override { return {}; }
    void SetLyrics(int, int, const std::vector<std::u16string>&) override {}
    void AddArticulation(int) override {}
    void AddOtherSymbol(const ExtendSymbol&) override {}
    void AddTextItem(const PageTextData&) override {}
    void AddLineMark(int) override {}
    bool SetBarline(int) override { return {}; }
    bool AddJumpMark(int, int) override { return {}; }
    void ReservedSymbolOperation(int, int) override {}
    bool SetDynamics(int) override { return {}; }
    int SetKeySignature(int) override { return {}; }
    int SetTimeSignature(int, int) override { return {}; }
    void SetTempoText(const std::u16string&) override {}
    void SetTempo(int, int) override {}
    void AddGrouping(int) override {}
    void SetBarNumbering(const BarNumberFormat&) override {}
    void EnlargeNote() override {}
    void ShrinkNote() override {}
    bool InsertLineBreak() override { return {}; }
    void ShowPageBorder(bool) override {}
    void ShowTrackBaseLines(bool) override {}
    void ShowLineBreakMarks(bool) override {}
    void ShowIndentMarks(bool) override {}
    void ShowLineSpacingMarks(bool) override {}
    void ShowLinePositionMarks(bool) override {}
    void ShowBarWidthMarks(bool) override {}
    void ShowLyricLineMarks(bool) override {}
    int GetBarsPerLine() const override { return {}; }
    void SetBarsPerLine(const BarsPerLineRecord&) override {}
    int GetLinesOnPage() const override { return {}; }
    void SetLinesOnPage(int) override {}
    void SetInstrumentName(const std::u16string&, bool) override {}
    void HideEmptyLines(bool) override {}
    void RestoreDefaultLayout() override {}
    void Transpose(const TransposeRequest&) override {}
    void Enharmonic() override {}
    void ShiftOctave(int, int, int) override {}
    bool Navigate(int) override { return {}; }
    void OnKeyDown(int, int) override {}
    void OnInputEvent(int, int) override {}
    void OnButtonDown(Point, int, int) override {}
    void OnPointerMove(Point, int) override {}
    void OnButtonUp(Point, int) override {}
    void OnDoubleClick(Point, int, int) override {}
    int ShowPlaybackPosition(const PlaybackPosition&) override { return {}; }
    void Undo() override {}
    void Redo() override {}
    bool CanUndo() const override { return {}; }
    bool CanRedo() const override { return {}; }
    bool HasSelection() const override { return {}; }
    bool ReservedQuery() override { return {}; }
    void CopySelection(std::vector<std::uint8_t>&) override {}
    void CutSelection(int) override {}
    void Paste(const std::uint8_t*, std::size_t) override {}
    void Destroy() override {}
    int GetCursorTimeInBar() const override { return {}; }
};

}  // namespace view_test
