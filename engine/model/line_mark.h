// The model record of a mark that spans notes of one part: hairpins, bracket and smooth
// slurs, trill lines, octave lines, first and second endings, arpeggios and glissandi.
//
// A line mark holds where it starts (a bar and a time inside it), how long it lasts and
// one shape parameter (the radian: the curvature of a smooth slur, the length of an
// arpeggio line). It draws nothing, measures nothing and does not answer the Delete key:
// the line-mark views of each line it crosses show it and report its edits. Its kind is
// fixed for life by its class; the thirteen classes differ only in the kind and the
// radian they start with.
#pragma once

#include <memory>
#include <string_view>

#include "engine/model/editable_element.h"

namespace quaverly {

// The kinds of line mark.
namespace line_mark_kind {
inline constexpr int kCresc = 0;
inline constexpr int kDecresc = 1;
inline constexpr int kFlatSlur = 2;
inline constexpr int kSmoothSlur = 3;
inline constexpr int kTrill = 4;
inline constexpr int kHighOctave = 5;
inline constexpr int kLowOctave = 6;
inline constexpr int kFirstEnding = 7;
inline constexpr int kSecondEnding = 8;
inline constexpr int kArpeggio = 9;
inline constexpr int kArpeggioUp = 10;
inline constexpr int kArpeggioDown = 11;
inline constexpr int kGlissando = 12;
inline constexpr int kCount = 13;
}  // namespace line_mark_kind

class LineMark : public EditableElement {
public:
    LineMark();  // bar 0, time 0, a quarter note long, radian 0, kind 0
    ~LineMark() override = default;

    // Bar 0, time 0, duration 161280, radian 0; the kind stays.
    void Reset();

    void SetKind(int kind) { kind_ = kind; }
    int GetKind() const { return kind_; }
    // The index of the bar in which the mark starts.
    void SetBar(int bar) { bar_ = bar; }
    int GetBar() const { return bar_; }
    // The start time inside that bar, in ticks; returns the stored value. (The element's
    // own place on the page is ScoreElement::SetPosition / GetPosition.)
    int SetTimePosition(int time) { return time_ = time; }
    int GetTimePosition() const { return time_; }
    // The length in ticks; returns the stored value.
    int SetDuration(int duration) { return duration_ = duration; }
    int GetDuration() const { return duration_; }
    void SetRadian(float radian) { radian_ = radian; }
    float GetRadian() const { return radian_; }

protected:
    LineMark(int kind, float radian);
    LineMark(const LineMark& other) = default;

private:
    int bar_ = 0;
    int time_ = 0;
    int duration_ = 0;
    int kind_ = 0;
    float radian_ = 0.0f;
};

class CrescLine final : public LineMark {
public:
    CrescLine();
};

class DecrescLine final : public LineMark {
public:
    DecrescLine();
};

class FlatSlurLine final : public LineMark {
public:
    FlatSlurLine();
};

// Starts with radian -300: curved downward by default.
class SmoothSlurLine final : public LineMark {
public:
    SmoothSlurLine();
};

class TrillLine final : public LineMark {
public:
    TrillLine();
};

class HighOctaveLine final : public LineMark {
public:
    HighOctaveLine();
};

class LowOctaveLine final : public LineMark {
public:
    LowOctaveLine();
};

class FirstEndingLine final : public LineMark {
public:
    FirstEndingLine();
};

class SecondEndingLine final : public LineMark {
public:
    SecondEndingLine();
};

// The three arpeggios start with radian 500, the length of their line.
class ArpeggioLine final : public LineMark {
public:
    ArpeggioLine();
};

class ArpeggioUpLine final : public LineMark {
public:
    ArpeggioUpLine();
};

class ArpeggioDownLine final : public LineMark {
public:
    ArpeggioDownLine();
};

class GlissandoLine final : public LineMark {
public:
    GlissandoLine();
};

// A new line mark of the kind's class; an empty pointer for a kind outside 0-12.
std::shared_ptr<LineMark> CreateLineMark(int kind);

// The kind's name in the score document's line-mark element ("cresc", "smooth-slur",
// "high-octive", ...); empty for a kind outside 0-12.
std::u16string_view GetLineMarkWord(int kind);
// The kind named by a document word, or -1 when the word names none.
int FindLineMarkKind(std::u16string_view word);

}  // namespace quaverly
