#include "app/shell/new_score_record.h"

#include <algorithm>
#include <cstdint>

#include "app/dialogs/wizard_info_page.h"
#include "app/dialogs/wizard_key_tempo_page.h"
#include "app/dialogs/wizard_staff_page.h"

namespace brindle {

namespace {

constexpr int kPercussionChannel = 9;
constexpr int kTicksPerQuarter = 161280;
constexpr int kDefaultTempo = 120;

struct TempoTerm {
    std::u16string_view term;
    int perMinute;
};

constexpr TempoTerm kTempoTerms[] = {
    {u"广板", 46},     {u"慢板", 52},     {u"慢速", 52},     {u"缓板", 56},     {u"柔板", 56},
    {u"稍慢", 60},     {u"行板", 66},     {u"小行板", 69},   {u"中板稍慢", 80}, {u"中速稍慢", 80},
    {u"中板", 88},     {u"中速", 88},     {u"中板稍快", 92}, {u"中速稍快", 92}, {u"小快板", 108},
    {u"稍快", 124},    {u"快板", 132},    {u"快速", 132},    {u"急板", 184},    {u"急速", 184},
};

}  // namespace

int TempoFromTerm(std::u16string_view term)
{
    for (const TempoTerm& entry : kTempoTerms)
        if (entry.term == term)
            return entry.perMinute;
    return -1;
}

std::vector<quaverly::NewScoreStaffGroup> StaffGroupsOfType(int index)
{
    switch (index) {
    case 1: return {{0, 1, 0}};
    case 2: return {{0, 1, 1}};
    case 3: return {{1, 2, 0}};
    default: return {};
    }
}

int TakeChannel(std::vector<bool>& used, bool percussion)
{
    if (percussion)
        return kPercussionChannel;
    used.resize(16, false);
    for (int channel = 0; channel < 16; ++channel) {
        if (channel == kPercussionChannel || used[static_cast<std::size_t>(channel)])
            continue;
        used[static_cast<std::size_t>(channel)] = true;
        return channel;
    }
    return 0;
}

int NewScoreViewTempo(bool exactTempo, int beatUnit, int perMinute, std::u16string_view term)
{
    if (exactTempo) {
        // In quarter notes per minute, computed wide; never below one beat a minute.
        const std::int64_t quarters = static_cast<std::int64_t>(beatUnit) * perMinute / kTicksPerQuarter;
        return static_cast<int>(std::clamp<std::int64_t>(quarters, 1, INT32_MAX));
    }
    const int fromTerm = TempoFromTerm(term);
    return fromTerm == -1 ? kDefaultTempo : fromTerm;
}

quaverly::NewScoreSettings BuildNewScoreSettings(const CWizardInfoPage& info, const CWizardStaffPage& staves,
                                                 const CWizardKeyTempoPage& keyTempo,
                                                 std::vector<bool>& usedChannels)
{
    quaverly::NewScoreSettings settings;
    settings.title = info.GetTitle();
    settings.subtitle = info.GetSubtitle();
    settings.poet = info.GetPoet();
    settings.composer = info.GetComposer();
    settings.copyright = info.GetCopyright();

    settings.key = {0, keyTempo.GetKey(), 1};
    int beats = 4;
    int beatType = 4;
    keyTempo.GetTimeSignature(beats, beatType);
    settings.timeSignature = {0, beats, beatType, 1};
    int beatUnit = kTicksPerQuarter;
    int perMinute = kDefaultTempo;
    keyTempo.GetTempo(beatUnit, perMinute);
    settings.tempo = {0, beatUnit, perMinute};
    settings.tempoText = {0, keyTempo.GetTempoTerm()};
    settings.exactTempo = keyTempo.IsExactTempo();

    const int type = staves.GetStaffType();
    const auto& templates = staves.GetStaffTemplates();
    if (type >= 0 && static_cast<std::size_t>(type) < templates.size()) {
        for (const InstrumentEntry& entry : templates[static_cast<std::size_t>(type)].instruments)
            settings.staves.push_back({entry.program, entry.percussion, TakeChannel(usedChannels, entry.percussion)});
    }
    settings.staffGroups = StaffGroupsOfType(type);
    return settings;
}

}  // namespace brindle
