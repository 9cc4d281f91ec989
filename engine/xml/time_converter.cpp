#include "engine/xml/time_converter.h"

#include <cstdint>
#include <limits>


#include "engine/model/bar.h"
#include "engine/model/score.h"
#include "engine/model/time_signature.h"

namespace quaverly {

namespace {

constexpr std::int64_t kTicksPerWhole = 4 * 161280;

bool IsBeatType(int beatType)
{
    return beatType >= 1 && beatType <= 64 && (beatType & (beatType - 1)) == 0;
}

// Beats above 0 and a bar whose length in ticks fits an int.
bool IsBeatCount(int beats, int beatType)
{
    return beats > 0 &&
           std::int64_t{beats} * kTicksPerWhole / beatType <= std::numeric_limits<int>::max();
}

}  // namespace

void TimeConverter::Read()
{
    ReadCommon();
    if (!bar_)
        return;
    TimeSignatureRecord value{bar_->GetIndex(), 4, 4, 1};
    if (const std::u16string* symbol = FindAttribute(u"symbol"))
        value.common = TextEquals(*symbol, u"common") ? 1 : 0;
    for (const XmlElement* child : ChildElements()) {
        const std::u16string name = ElementName(*child);
        if (TextEquals(name, u"beats"))
            value.beats = TextToInt(ElementText(*child));
        else if (TextEquals(name, u"beat-type"))
            value.beatType = TextToInt(ElementText(*child));
    }
    if (!IsBeatType(value.beatType) || !IsBeatCount(value.beats, value.beatType))
        return;
    auto signature = std::make_shared<TimeSignature>();
    signature->SetValue(value);
    signature->SetOffset(ReadRelativeXY(Attributes()));
    bar_->SetTimeSignature(signature);
    if (Score* score = GetScore())
        score->SetTimeSignature(value);
}

void TimeConverter::Write()
{
    if (!bar_ || !bar_->GetTimeSignature() || !ParentElement())
        return;
    const TimeSignature& signature = *bar_->GetTimeSignature();
    const TimeSignatureRecord value = signature.GetValue();
    XmlElement* element = AppendElement(*ParentElement(), u"time");
    SetAttribute(*element, u"symbol", value.common != 0 ? u"common" : u"normal");
    AppendTextElement(*element, u"beats", IntToText(value.beats));
    AppendTextElement(*element, u"beat-type", IntToText(value.beatType));
    WriteRelativeXY(*element, signature.GetOffset());
}

}  // namespace quaverly
