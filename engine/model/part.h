// One voice of the score: a row of bars that runs through every line, with its own
// instrument, MIDI program and channel.
//
// A part is the first child of its per-part container under the Score; its own
// children are its bars in bar order. Besides the bars it keeps the part-wide lists
// that span bars: the ties and the line marks. A part is shown only through the track
// rows of the laid-out lines, so drawing a part draws nothing.
//
// The value -16777216 (kUnset) marks a verse offset or the staff size as not set. Verse
// indexes outside 0 to 4 are ignored by the setter and read as not set; a staff size
// that is not a finite number from 0 to kMaxUserOffset (other than the not-set marker)
// is refused, so the layout never turns a NaN or an overflowing value into a length.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/model/layout_types.h"
#include "engine/model/score_element.h"

namespace quaverly {

class LineMark;
class Tie;

// How a part pairs with its neighbour on one staff.
namespace staff_link {
inline constexpr int kFirstOfPair = 0;
inline constexpr int kSecondOfPair = 1;
inline constexpr int kAlone = 4;
}  // namespace staff_link

class Part : public ScoreElement {
public:
    static constexpr int kVerseCount = 5;

    Part();
    ~Part() override;

    void SetStaffLink(int link) { staffLink_ = link; }
    int GetStaffLink() const { return staffLink_; }
    void SetId(std::u16string id) { id_ = std::move(id); }
    const std::u16string& GetId() const { return id_; }
    void SetName(std::u16string name) { name_ = std::move(name); }
    const std::u16string& GetName() const { return name_; }
    // MIDI program and channel, 0-based.
    void SetProgram(int program) { program_ = program; }
    int GetProgram() const { return program_; }
    void SetChannel(int channel) { channel_ = channel; }
    int GetChannel() const { return channel_; }
    // The normal/percussion choice made when the part was added; the engine does not
    // read it.
    void SetPercussion(bool percussion) { percussion_ = percussion; }
    bool IsPercussion() const { return percussion_; }
    void SetInstrumentName(std::u16string name) { instrumentName_ = std::move(name); }
    const std::u16string& GetInstrumentName() const { return instrumentName_; }

    // Stores the staff size; kUnsetDouble marks it as not set. Returns false and keeps
    // the old size for NaN, an infinity, a negative size or one beyond the int range.
    bool SetStaffSize(double size);
    double GetStaffSize() const { return staffSize_; }

    // The vertical offset of lyric verse 0-4 (verse 0 is verse 1). The setter ignores
    // and the getter answers kUnset for any other verse.
    void SetVerseOffset(int verse, int offset);
    int GetVerseOffset(int verse) const;

    // Appends; a null tie is ignored.
    void AddTie(std::shared_ptr<Tie> tie);
    // Erases the first entry holding the tie; nothing when absent.
    void RemoveTie(const std::shared_ptr<Tie>& tie);
    const std::vector<std::shared_ptr<Tie>>& GetTies() const { return ties_; }
    // Appends to `out` the places in GetTies() of the ties whose start or end note the
    // element (a bar) holds, in list order; a tie with both notes there comes once. The
    // look-up goes through an index of the ties by bar, made again after a tie was added
    // or removed or any tie was given other notes.
    void FindTiesAt(const ScoreElement* bar, std::vector<std::size_t>& out) const;
    // Appends to `out` the places in GetTies() of the ties that reach over the whole of
    // the part's bar `place`: the start note stands in an earlier bar of the part, the
    // end note in a later one. Only ties that span a bar between their own are looked
    // at; their list is made again after the ties or the part's bars changed.
    void FindTiesOver(int place, std::vector<std::size_t>& out) const;
    // The place among the part's children of `bar`; -1 when the part does not hold it.
    // A bar is normally where its index says, so that is looked at first.
    int FindBarPlace(const ScoreElement* bar) const;

    // The bar list changes through these; they tell the tie look-ups the bars moved.
    void InsertChild(int i, ElementPtr child) override;
    void AppendChild(ElementPtr child) override;
    void RemoveChild(int i) override;
    void ClearChildren() override;

    // Appends; a null line mark is ignored.
    void AddLineMark(std::shared_ptr<LineMark> mark);
    // Erases the first entry holding the line mark; nothing when absent.
    void RemoveLineMark(const std::shared_ptr<LineMark>& mark);
    const std::vector<std::shared_ptr<LineMark>>& GetLineMarks() const { return lineMarks_; }

    // Lays out the bars (the base behaviour); a part draws nothing.
    void Draw(ScorePainter& painter) override;

private:
    int staffLink_ = staff_link::kAlone;
    std::u16string id_;
    std::u16string name_;
    int program_ = 0;
    int channel_ = 0;
    bool percussion_ = false;
    std::u16string instrumentName_;
    double staffSize_ = kUnsetDouble;
    std::vector<std::shared_ptr<Tie>> ties_;
    std::vector<std::shared_ptr<LineMark>> lineMarks_;
    struct TieIndex {
        bool built = false;
        std::uint64_t listRevision = 0;
        std::uint64_t anchorRevision = 0;
        std::unordered_map<const ScoreElement*, std::vector<std::size_t>> byBar;
    };
    // The ties whose bars have another bar of the part between them, with those bars'
    // places in the part.
    struct TieSpans {
        bool built = false;
        std::uint64_t listRevision = 0;
        std::uint64_t anchorRevision = 0;
        std::uint64_t barRevision = 0;
        struct Span {
            std::size_t tie;
            int first;
            int last;
        };
        std::vector<Span> spans;
    };
    std::uint64_t tieListRevision_ = 0;
    std::uint64_t barListRevision_ = 0;
    mutable TieIndex tieIndex_;
    mutable TieSpans tieSpans_;
    std::array<int, kVerseCount> verseOffsets_;
};

}  // namespace quaverly
