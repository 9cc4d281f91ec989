// A stub editor that writes down every call that acts on the score, as "Name(arguments)"
// with the arguments in order (texts in UTF-8, records field by field), and answers the
// queries from fields a test sets. Queries are not written down.
#pragma once

#include <QString>

#include <string>
#include <vector>

#include "engine/model/extend_symbol.h"
#include "stub_editor.h"

namespace view_test {

class CallRecordingEditor : public StubEditor {
public:
    std::vector<std::string> calls;

    // Answers of the queries.
    std::u16string title, subtitle, composer, poet, singer, adapter, rights, description;
    int lastPageIndex = 0;
    int currentPart = 0;
    int partCount = 1;
    int cursorBar = 0;
    int barCount = 8;
    int barsPerLine = 4;
    int linesOnPage = 6;
    int timeSignatureResult = 0;
    bool canUndo = false;
    bool canRedo = false;
    std::vector<std::u16string> lyrics;

    void Clear() { calls.clear(); }

    void SetPageContentSize(int width, int height) override { Note("SetPageContentSize", width, height); }
    void SetTitle(const std::u16string& text) override { Note("SetTitle", text); }
    std::u16string GetTitle() const override { return title; }
    void SetSubtitle(const std::u16string& text) override { Note("SetSubtitle", text); }
    std::u16string GetSubtitle() const override { return subtitle; }
    void SetComposer(const std::u16string& text) override { Note("SetComposer", text); }
    std::u16string GetComposer() const override { return composer; }
    void SetPoet(const std::u16string& text) override { Note("SetPoet", text); }
    std::u16string GetPoet() const override { return poet; }
    void SetSinger(const std::u16string& text) override { Note("SetSinger", text); }
    std::u16string GetSinger() const override { return singer; }
    void SetAdapter(const std::u16string& text) override { Note("SetAdapter", text); }
    std::u16string GetAdapter() const override { return adapter; }
    void SetRights(const std::u16string& text) override { Note("SetRights", text); }
    std::u16string GetRights() const override { return rights; }
    void SetDescription(const std::u16string& text) override { Note("SetDescription", text); }
    std::u16string GetDescription() const override { return description; }
    void Repaginate() override { Note("Repaginate"); }
    void SetCaretEnabled(bool enabled) override { Note("SetCaretEnabled", enabled); }
    void Refresh() override { Note("Refresh"); }
    int GetLastPageIndex() const override { return lastPageIndex; }
    int GetCurrentPart() const override { return currentPart; }
    int GetPartCount() const override { return partCount; }
    int GetCursorBarIndex() const override { return cursorBar; }
    int GetBarCount() const override { return barCount; }
    void AddPart(const PartRecord& p) override
    {
        Note("AddPart", p.position, p.program, p.percussion, p.channel, p.twoStaves);
    }
    void DeletePart(int index) override { Note("DeletePart", index); }
    void AddBars(const BarRecord& bars) override { Note("AddBars", bars.index, bars.count); }
    void DeleteBars(int first, int count) override { Note("DeleteBars", first, count); }
    void SetLyricVerse(int verse) override { Note("SetLyricVerse", verse); }
    std::vector<std::u16string> GetLyrics(int, int) const override { return lyrics; }
    void SetLyrics(int part, int verse, const std::vector<std::u16string>& texts) override
    {
        std::u16string joined;
        for (const auto& text : texts)
            joined += (joined.empty() ? u"" : u"|") + text;
        Note("SetLyrics", part, verse, joined);
    }
    void AddArticulation(int code) override { Note("AddArticulation", code); }
    void AddOtherSymbol(const ExtendSymbol& s) override { Note("AddOtherSymbol", s.name, s.text, s.hOffset); }
    void AddLineMark(int kind) override { Note("AddLineMark", kind); }
    bool SetBarline(int type) override
    {
        Note("SetBarline", type);
        return true;
    }
    bool AddJumpMark(int style, int mark) override
    {
        Note("AddJumpMark", style, mark);
        return true;
    }
    bool SetDynamics(int code) override
    {
        Note("SetDynamics", code);
        return true;
    }
    int SetKeySignature(int fifths) override
    {
        Note("SetKeySignature", fifths);
        return 0;
    }
    int SetTimeSignature(int beats, int beatType) override
    {
        Note("SetTimeSignature", beats, beatType);
        return timeSignatureResult;
    }
    void SetTempoText(const std::u16string& text) override { Note("SetTempoText", text); }
    void SetTempo(int beatUnit, int perMinute) override { Note("SetTempo", beatUnit, perMinute); }
    void AddGrouping(int type) override { Note("AddGrouping", type); }
    void SetBarNumbering(const BarNumberFormat& f) override
    {
        Note("SetBarNumbering", f.format, f.decorator, f.interval, f.countFrom, f.firstNumber, f.lastNumber, f.hOffset,
             f.vOffset);
    }
    bool InsertLineBreak() override
    {
        Note("InsertLineBreak");
        return true;
    }
    void ShowPageBorder(bool show) override { Note("ShowPageBorder", show); }
    void ShowTrackBaseLines(bool show) override { Note("ShowTrackBaseLines", show); }
    void ShowLineBreakMarks(bool show) override { Note("ShowLineBreakMarks", show); }
    void ShowIndentMarks(bool show) override { Note("ShowIndentMarks", show); }
    void ShowLineSpacingMarks(bool show) override { Note("ShowLineSpacingMarks", show); }
    void ShowLinePositionMarks(bool show) override { Note("ShowLinePositionMarks", show); }
    void ShowBarWidthMarks(bool show) override { Note("ShowBarWidthMarks", show); }
    void ShowLyricLineMarks(bool show) override { Note("ShowLyricLineMarks", show); }
    int GetBarsPerLine() const override { return barsPerLine; }
    void SetBarsPerLine(const BarsPerLineRecord& r) override { Note("SetBarsPerLine", r.count, r.all); }
    int GetLinesOnPage() const override { return linesOnPage; }
    void SetLinesOnPage(int count) override { Note("SetLinesOnPage", count); }
    void SetInstrumentName(const std::u16string& text, bool allLines) override
    {
        Note("SetInstrumentName", text, allLines);
    }
    void HideEmptyLines(bool hide) override { Note("HideEmptyLines", hide); }
    void RestoreDefaultLayout() override { Note("RestoreDefaultLayout"); }
    void Transpose(const TransposeRequest& r) override
    {
        Note("Transpose", r.targetKey, r.direction, r.rangeKind, r.firstBar, r.lastBar);
    }
    void Enharmonic() override { Note("Enharmonic"); }
    void ShiftOctave(int first, int last, int up) override { Note("ShiftOctave", first, last, up); }
    bool Navigate(int index) override
    {
        Note("Navigate", index);
        return true;
    }
    void Undo() override { Note("Undo"); }
    void Redo() override { Note("Redo"); }
    bool CanUndo() const override { return canUndo; }
    bool CanRedo() const override { return canRedo; }

private:
    static std::string Text(int value) { return std::to_string(value); }
    static std::string Text(bool value) { return value ? "1" : "0"; }
    static std::string Text(const std::u16string& value) { return QString::fromStdU16String(value).toStdString(); }

    template <class... Args>
    void Note(const char* name, const Args&... args)
    {
        std::string call = std::string(name) + "(";
        bool first = true;
        ((call += (first ? "" : ",") + Text(args), first = false), ...);
        calls.push_back(call + ")");
    }
};

}  // namespace view_test
