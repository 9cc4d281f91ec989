// A score with everything the notes and directions of a document carry: rests, dotted
// notes, a triplet, a chord with grace notes before and after, ties across bars, every
// mark, five verses with hyphens, octaves -2 to 2, every accidental, the unpitched
// symbols, every line-mark kind, dynamics at, between and after notes, words, metronome
// marks and jump marks; in two parts of four bars.
#pragma once

#include <memory>
#include <utility>

#include "engine/model/note_factory.h"
#include "engine/model/note_styles.h"
#include "engine/model/note_symbol_factory.h"
#include "engine/model/note_time.h"
#include "tests/engine/xml/score_description.h"
#include "tests/engine/xml/xml_test_util.h"

namespace quaverly::xml_test {

inline std::shared_ptr<Bar> BarOf(const Score& score, int part, int bar)
{
    const auto own = PartOf(score, part);
    return own ? std::dynamic_pointer_cast<Bar>(own->GetChild(bar)) : nullptr;
}

// Builds bars note by note, each main note starting where the previous one ends.
class BarBuilder {
public:
    explicit BarBuilder(std::shared_ptr<Bar> bar) : bar_(std::move(bar)) {}

    std::shared_ptr<Note> Add(int code, int base, int dots = 0)
    {
        auto note = CreateNote(code);
        note->SetDuration(base);
        note->SetDots(dots);
        note->SetStartTime(time_);
        bar_->AddNote(note);
        last_ = note;
        return note;
    }
    // Moves on by the last note's played length (after its tuplet counts are set).
    void Next() { time_ += GetNoteDuration(last_.get()); }
    std::shared_ptr<Note> AddAndNext(int code, int base, int dots = 0)
    {
        auto note = Add(code, base, dots);
        Next();
        return note;
    }
    int Time() const { return time_; }

private:
    std::shared_ptr<Bar> bar_;
    std::shared_ptr<Note> last_;
    int time_ = 0;
};

inline std::shared_ptr<Note> Grace(int code, int base, int start)
{
    auto note = CreateNote(code);
    note->SetDuration(base);
    note->SetStartTime(start);
    note->SetStyle(std::make_shared<GraceNoteStyle>());
    return note;
}

inline std::shared_ptr<DynamicMark> Dynamic(int code, int at, Point offset)
{
    auto mark = std::make_shared<DynamicMark>();
    mark->SetDynamicsCode(code);
    mark->SetTimePosition(at);
    mark->SetOffset(offset);
    return mark;
}

inline void FillFullScore(Score& score)
{
    const auto first = AddPart(score, u"", u"旋律");
    const auto second = AddPart(score, u"", u"伴奏");
    for (const auto& part : {first, second}) {
        for (int b = 0; b < 4; ++b)
            part->AppendChild(std::make_shared<Bar>(b));
    }
    const auto bar0 = BarOf(score, 0, 0);
    const auto bar1 = BarOf(score, 0, 1);
    const auto bar2 = BarOf(score, 0, 2);
    const auto bar3 = BarOf(score, 0, 3);

    // Bar 0: a rest, a dotted note with every lyric verse, octaves -2 to 2 with every
    // accidental, and the four unpitched symbols.
    BarBuilder b0(bar0);
    b0.AddAndNext(pitch_code::kRest, note_length::kEighth);
    auto dotted = b0.AddAndNext(2, note_length::kQuarter, 1);
    const char16_t* verses[] = {u"春-", u"眠", u"不-", u"觉-", u"晓"};
    for (int v = 0; v < kVerseCount; ++v) {
        dotted->SetLyricText(v, verses[v]);
        dotted->GetLyric(v)->SetOffset({v * 10, -v});
    }
    const int accidentals[] = {-3, -2, -1, 0, 1, 2, 3, 4};
    for (int i = 0; i < 8; ++i) {
        auto note = b0.AddAndNext(2 + i % 7, note_length::k32nd, i % 3 == 0 ? 2 : 0);
        note->SetOctave(i % 5 - 2);
        note->SetAccidental(accidentals[i]);
        note->SetOffset({i, -i});
    }
    for (int code = pitch_code::kFirstSpecial; code <= pitch_code::kLastSpecial; ++code)
        b0.AddAndNext(code, note_length::k16th);
    bar0->AddDirection(Dynamic(13, dotted->GetStartTime(), {5, 6}));
    bar0->AddDirection(Dynamic(14, dotted->GetStartTime(), {7, 8}));  // two at one note
    bar0->AddDirection(Dynamic(7, 100000, {}));                       // between notes
    bar0->AddDirection(Dynamic(23, 645120, {-1, -2}));                // after every note

    // Bar 1: a triplet, a chord with grace notes before and after, and every mark.
    BarBuilder b1(bar1);
    auto tuplet = std::make_shared<Tuplet>(3, 2);
    auto t1 = b1.Add(3, note_length::kEighth);
    tuplet->SetFirstNote(t1);
    b1.Next();
    auto t2 = b1.Add(4, note_length::kEighth);
    tuplet->AddNote(t2);
    b1.Next();
    auto t3 = b1.Add(5, note_length::kEighth);
    tuplet->AddNote(t3);
    b1.Next();
    tuplet->SetOffset({0, -40});
    bar1->AddTuplet(tuplet);
    const int chordAt = b1.Time();
    auto chord = b1.AddAndNext(2, note_length::kQuarter);
    for (int k = 0; k < 2; ++k) {
        auto member = CreateNote(4 + 2 * k);
        member->SetDuration(note_length::kQuarter);
        member->SetStartTime(chordAt);
        member->SetOctave(k);
        member->SetStyle(std::make_shared<ChordNoteStyle>());
        chord->GetChordNotes()->AddNote(member);
    }
    // Grace notes run from 0 in their list, as they are entered.
    chord->GetGraceListA()->AddNote(Grace(6, note_length::k16th, 0));
    chord->GetGraceListA()->AddNote(Grace(7, note_length::k16th, note_length::k16th));
    chord->GetGraceListB()->AddNote(Grace(5, note_length::k32nd, 0));
    for (int code : {2, 3, 4, 6, 14, 19, 20, 21, 24, 25}) {
        auto mark = CreateNoteSymbol(code);
        mark->SetOffset({code, 2 * code});
        (code < 14 ? t1 : chord)->AddOrnament(mark);
    }
    auto symbol = std::make_shared<SymbolMark>();
    ExtendSymbol record;
    record.name = u"{sym}";
    record.text = u"\u2605";
    symbol->SetSymbolData(record);
    symbol->SetIndex(1);
    symbol->SetOffset({3, 4});
    t2->AddSymbol(symbol);
    auto tiedFrom = b1.AddAndNext(6, note_length::kQuarter);
    bar1->AddDirection(Dynamic(1, t2->GetStartTime(), {}));  // inside the tuplet

    // Bar 2: the tied note, a tie on from it, and a tie that ends in bar 3.
    BarBuilder b2(bar2);
    auto tiedTo = b2.AddAndNext(6, note_length::kHalf);
    auto again = b2.AddAndNext(6, note_length::kHalf);
    BarBuilder b3(bar3);
    auto last = b3.AddAndNext(6, note_length::kWhole);
    const std::pair<std::shared_ptr<Bar>, std::shared_ptr<Note>> ties[][2] = {
        {{bar1, tiedFrom}, {bar2, tiedTo}},
        {{bar2, tiedTo}, {bar2, again}},
        {{bar2, again}, {bar3, last}},
    };
    int t = 0;
    for (const auto& [from, to] : ties) {
        auto tie = std::make_shared<Tie>();
        tie->SetStart({from.first, from.second});
        tie->SetEnd({to.first, to.second});
        tie->SetOffset({t, ++t * 7});
        first->AddTie(tie);
    }

    // Every line-mark kind, over the bars of the first part, and one in the second.
    for (int kind = 0; kind < line_mark_kind::kCount; ++kind) {
        auto mark = CreateLineMark(kind);
        mark->SetBar(kind % 4);
        mark->SetTimePosition(kind * note_length::k16th);
        mark->SetDuration(note_length::kQuarter * (kind + 1));
        if (kind == 4)
            mark->SetRadian(1.1f);
        mark->SetOffset({kind, -kind});
        first->AddLineMark(mark);
    }
    auto slur = CreateLineMark(line_mark_kind::kSmoothSlur);
    slur->SetBar(1);
    second->AddLineMark(slur);

    // The second part: plain notes with dynamics.
    for (int b = 0; b < 4; ++b) {
        BarBuilder builder(BarOf(score, 1, b));
        for (int n = 0; n < 4; ++n)
            builder.AddAndNext(2 + (b + n) % 7, note_length::kQuarter);
        BarOf(score, 1, b)->AddDirection(Dynamic(2 + b, note_length::kQuarter, {b, b}));
    }

    // Words, metronome marks and jump marks.
    score.SetExpressionText({0, u"中速 稍慢"});
    score.SetExpressionText({2, u"rit."});
    score.GetExpressionTextList().back()->SetOffset({-3, 9});
    score.SetTempoMark({0, note_length::kQuarter, 72});
    score.SetTempoMark({3, note_length::kEighth, 144});
    score.GetTempoMarkList().back()->SetOffset({2, 1});
    bar1->GetBarline(0)->SetMarkValue(8);
    bar1->GetBarline(0)->GetMark()->SetOffset({11, 12});
    bar3->GetBarline(1)->SetMarkValue(3);
    bar3->GetBarline(1)->GetMark()->SetOffset({-11, 0});
}

}  // namespace quaverly::xml_test
