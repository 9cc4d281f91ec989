#include "engine/model/line_mark.h"

#include <array>

#include "engine/model/note_time.h"

namespace quaverly {

namespace {

namespace kind = line_mark_kind;

constexpr float kSmoothSlurRadian = -300.0f;
constexpr float kArpeggioRadian = 500.0f;

// Indexed by kind. The spellings are the document's own and must not be corrected.
constexpr std::array<std::u16string_view, kind::kCount> kWords = {
    u"cresc",
    u"decresc",
    u"flat-slur",
    u"smooth-slur",
    u"trill",
    u"high-octive",
    u"low-octive",
    u"first-ending",
    u"second-ending",
    u"arpeggio",
    u"arpeggio-upwards",
    u"arpeggio-downwards",
    u"glissandi",
};

}  // namespace

LineMark::LineMark()
{
    Reset();
}

LineMark::LineMark(int kind, float radian) : LineMark()
{
    kind_ = kind;
    radian_ = radian;
}

void LineMark::Reset()
{
    bar_ = 0;
    time_ = 0;
    duration_ = kTicksPerQuarter;
    radian_ = 0.0f;
}

CrescLine::CrescLine() : LineMark(kind::kCresc, 0.0f) {}
DecrescLine::DecrescLine() : LineMark(kind::kDecresc, 0.0f) {}
FlatSlurLine::FlatSlurLine() : LineMark(kind::kFlatSlur, 0.0f) {}
SmoothSlurLine::SmoothSlurLine() : LineMark(kind::kSmoothSlur, kSmoothSlurRadian) {}
TrillLine::TrillLine() : LineMark(kind::kTrill, 0.0f) {}
HighOctaveLine::HighOctaveLine() : LineMark(kind::kHighOctave, 0.0f) {}
LowOctaveLine::LowOctaveLine() : LineMark(kind::kLowOctave, 0.0f) {}
FirstEndingLine::FirstEndingLine() : LineMark(kind::kFirstEnding, 0.0f) {}
SecondEndingLine::SecondEndingLine() : LineMark(kind::kSecondEnding, 0.0f) {}
ArpeggioLine::ArpeggioLine() : LineMark(kind::kArpeggio, kArpeggioRadian) {}
ArpeggioUpLine::ArpeggioUpLine() : LineMark(kind::kArpeggioUp, kArpeggioRadian) {}
ArpeggioDownLine::ArpeggioDownLine() : LineMark(kind::kArpeggioDown, kArpeggioRadian) {}
GlissandoLine::GlissandoLine() : LineMark(kind::kGlissando, 0.0f) {}

std::shared_ptr<LineMark> CreateLineMark(int kind)
{
    switch (kind) {
        case kind::kCresc:
            return std::make_shared<CrescLine>();
        case kind::kDecresc:
            return std::make_shared<DecrescLine>();
        case kind::kFlatSlur:
            return std::make_shared<FlatSlurLine>();
        case kind::kSmoothSlur:
            return std::make_shared<SmoothSlurLine>();
        case kind::kTrill:
            return std::make_shared<TrillLine>();
        case kind::kHighOctave:
            return std::make_shared<HighOctaveLine>();
        case kind::kLowOctave:
            return std::make_shared<LowOctaveLine>();
        case kind::kFirstEnding:
            return std::make_shared<FirstEndingLine>();
        case kind::kSecondEnding:
            return std::make_shared<SecondEndingLine>();
        case kind::kArpeggio:
            return std::make_shared<ArpeggioLine>();
        case kind::kArpeggioUp:
            return std::make_shared<ArpeggioUpLine>();
        case kind::kArpeggioDown:
            return std::make_shared<ArpeggioDownLine>();
        case kind::kGlissando:
            return std::make_shared<GlissandoLine>();
        default:
            return nullptr;
    }
}

std::u16string_view GetLineMarkWord(int kind)
{
    if (kind < 0 || kind >= kind::kCount)
        return {};
    return kWords[static_cast<std::size_t>(kind)];
}

int FindLineMarkKind(std::u16string_view word)
{
    for (std::size_t i = 0; i < kWords.size(); ++i) {
        if (kWords[i] == word)
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace quaverly
