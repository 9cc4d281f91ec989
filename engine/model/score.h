// The root of a score document.
//
// The score holds the title block (seven header texts that live as long as the score),
// the score-wide tables keyed by bar (key signatures, time signatures, tempo marks,
// expression texts), the part groups, the free page texts, the description and the
// user's layout settings (forced line breaks, bars per line, lines per page). Its
// children are plain containers, one per part, each holding the Part as its first
// child; a part's children are its bars. So bar b of part p is child b of child 0 of
// child p.
//
// Keyed tables are kept sorted by key (bar index, or for tempo marks and expression
// texts the score-wide bar index of their position) whatever the order in which entries
// arrive, equal keys in arrival order. Setting a value replaces the entry with the same
// key or inserts a new one at its place; a lookup for a bar takes the entry with the
// largest key not after that bar (the first of equal keys). A key outside -7 to 7 and a
// time signature whose beats or beat type is 0 or less are refused.
//
// Time-signature entries are counted: setting the same bar again overwrites the values
// and adds one to the count, removing by bar takes one off and erases the entry when
// its count runs out.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/model/expression_text.h"
#include "engine/model/header_text.h"
#include "engine/model/key_signature.h"
#include "engine/model/score_element.h"
#include "engine/model/tempo_mark.h"
#include "engine/model/time_signature.h"

namespace quaverly {

class PageText;
class PartGroup;

// One entry of the time-signature table: how many times this bar's entry has been set
// and not yet removed, and the signature.
struct TimeSignatureEntry {
    int count = 1;
    int bar = 0;
    int beats = 4;
    int beatType = 4;
    int common = 1;

    TimeSignatureRecord ToRecord() const { return {bar, beats, beatType, common}; }

    friend bool operator==(const TimeSignatureEntry&, const TimeSignatureEntry&) = default;
};

class Score : public ScoreElement {
public:
    Score();
    ~Score() override;

    // --- Header texts: the elements stay the same objects for the score's life ---

    std::u16string GetTitle() const { return title_->GetText(); }
    std::u16string GetSubtitle() const { return subtitle_->GetText(); }
    std::u16string GetPoet() const { return poet_->GetText(); }
    std::u16string GetComposer() const { return composer_->GetText(); }
    std::u16string GetSinger() const { return singer_->GetText(); }
    std::u16string GetAdapter() const { return adapter_->GetText(); }
    std::u16string GetRights() const { return rights_->GetText(); }
    void SetTitle(std::u16string text) { title_->SetText(std::move(text)); }
    void SetSubtitle(std::u16string text) { subtitle_->SetText(std::move(text)); }
    void SetPoet(std::u16string text) { poet_->SetText(std::move(text)); }
    void SetComposer(std::u16string text) { composer_->SetText(std::move(text)); }
    void SetSinger(std::u16string text) { singer_->SetText(std::move(text)); }
    void SetAdapter(std::u16string text) { adapter_->SetText(std::move(text)); }
    void SetRights(std::u16string text) { rights_->SetText(std::move(text)); }
    std::shared_ptr<TitleText> GetTitleText() const { return title_; }
    std::shared_ptr<SubtitleText> GetSubtitleText() const { return subtitle_; }
    std::shared_ptr<PoetText> GetPoetText() const { return poet_; }
    std::shared_ptr<ComposerText> GetComposerText() const { return composer_; }
    std::shared_ptr<SingerText> GetSingerText() const { return singer_; }
    std::shared_ptr<AdapterText> GetAdapterText() const { return adapter_; }
    std::shared_ptr<RightsText> GetRightsText() const { return rights_; }

    void SetDescription(std::u16string text) { description_ = std::move(text); }
    const std::u16string& GetDescription() const { return description_; }

    // --- Key signatures ---

    // Inserts the element at its sorted place, after entries with the same bar (undoes
    // a removal). A null element is ignored.
    void AppendKeySignature(std::shared_ptr<KeySignature> key);
    // Erases the first entry holding the element; nothing when absent.
    void RemoveKeySignature(const std::shared_ptr<KeySignature>& key);
    // Replaces the values of the first entry for the record's bar, else inserts a new
    // element. Returns false and changes nothing for a key outside -7 to 7.
    bool SetKeySignature(const KeySignatureRecord& value);
    // Erases the first entry for that bar; nothing when none.
    void RemoveKeySignatureAt(int bar);
    std::vector<KeySignatureRecord> GetKeySignatures() const;
    const std::vector<std::shared_ptr<KeySignature>>& GetKeySignatureList() const
    {
        return keySignatures_;
    }
    // The key in force at the bar, or an empty pointer when no entry starts at or
    // before it.
    std::shared_ptr<KeySignature> FindKeySignature(int bar) const;

    // --- Tempo marks, keyed by position ---

    void AppendTempoMark(std::shared_ptr<TempoMark> tempo);
    void RemoveTempoMark(const std::shared_ptr<TempoMark>& tempo);
    void SetTempoMark(const TempoMarkRecord& value);
    void RemoveTempoMarkAt(int position);
    std::vector<TempoMarkRecord> GetTempoMarks() const;
    const std::vector<std::shared_ptr<TempoMark>>& GetTempoMarkList() const
    {
        return tempoMarks_;
    }
    std::shared_ptr<TempoMark> FindTempoMark(int position) const;

    // --- Expression texts, keyed by position ---

    void AppendExpressionText(std::shared_ptr<ExpressionText> text);
    void RemoveExpressionText(const std::shared_ptr<ExpressionText>& text);
    void SetExpressionText(const ExpressionRecord& value);
    void RemoveExpressionTextAt(int position);
    std::vector<ExpressionRecord> GetExpressionTexts() const;
    const std::vector<std::shared_ptr<ExpressionText>>& GetExpressionTextList() const
    {
        return expressionTexts_;
    }
    std::shared_ptr<ExpressionText> FindExpressionText(int position) const;

    // --- Time signatures (value entries) ---

    // Overwrites the entry for the record's bar and counts it once more, else inserts
    // an entry with count 1. Returns false and changes nothing when beats or beat type
    // is 0 or less.
    bool SetTimeSignature(const TimeSignatureRecord& value);
    // Takes one off the count of the first entry for that bar and erases it when the
    // count was 1 or less; nothing when none.
    void RemoveTimeSignatureAt(int bar);
    const std::vector<TimeSignatureEntry>& GetTimeSignatures() const { return timeSignatures_; }
    // The signature in force at the bar, or nothing when no entry starts at or before it.
    std::optional<TimeSignatureRecord> FindTimeSignature(int bar) const;

    // --- Part groups and page texts ---

    void AddPartGroup(std::shared_ptr<PartGroup> group);  // a null group is ignored
    void RemovePartGroup(const std::shared_ptr<PartGroup>& group);
    const std::vector<std::shared_ptr<PartGroup>>& GetPartGroups() const { return partGroups_; }
    void AddPageText(std::shared_ptr<PageText> text);  // a null text is ignored
    void RemovePageText(const std::shared_ptr<PageText>& text);
    const std::vector<std::shared_ptr<PageText>>& GetPageTexts() const { return pageTexts_; }

    // The element every line binds its start line to (nothing reads its values); made
    // anew by ClearChildren.
    std::shared_ptr<PartGroup> GetStartLineElement() const { return startLine_; }

    // --- Manual layout settings, changed directly by the layout commands ---

    // Bar indices at which a new line is forced to begin.
    std::set<int>& GetLineBreaks() { return lineBreaks_; }
    const std::set<int>& GetLineBreaks() const { return lineBreaks_; }
    // Line key to number of bars.
    std::map<int, int>& GetBarsPerLine() { return barsPerLine_; }
    const std::map<int, int>& GetBarsPerLine() const { return barsPerLine_; }
    // Page index to number of lines.
    std::map<int, int>& GetLinesPerPage() { return linesPerPage_; }
    const std::map<int, int>& GetLinesPerPage() const { return linesPerPage_; }

    // Resets the score to its new state: header texts emptied (the elements stay),
    // description emptied, the four tables emptied and the key {0, 0, 1} put back, part
    // groups, layout settings and page texts emptied, a new start-line element, and
    // finally the parts released.
    void ClearChildren() override;

private:
    std::shared_ptr<TitleText> title_;
    std::shared_ptr<SubtitleText> subtitle_;
    std::shared_ptr<PoetText> poet_;
    std::shared_ptr<ComposerText> composer_;
    std::shared_ptr<SingerText> singer_;
    std::shared_ptr<AdapterText> adapter_;
    std::shared_ptr<RightsText> rights_;
    std::vector<std::shared_ptr<KeySignature>> keySignatures_;
    std::vector<std::shared_ptr<TempoMark>> tempoMarks_;
    std::vector<std::shared_ptr<ExpressionText>> expressionTexts_;
    std::vector<TimeSignatureEntry> timeSignatures_;
    std::vector<std::shared_ptr<PageText>> pageTexts_;
    std::u16string description_;
    std::vector<std::shared_ptr<PartGroup>> partGroups_;
    std::set<int> lineBreaks_;
    std::map<int, int> barsPerLine_;
    std::map<int, int> linesPerPage_;
    std::shared_ptr<PartGroup> startLine_;
};

}  // namespace quaverly
