// The new score as the wizard's answers make it: the record handed to the editor, the
// MIDI channel of each staff, the staff groups of each staff type and the playback tempo
// the view starts with.
#pragma once

#include <string_view>
#include <vector>

#include "engine/editor/new_score_settings.h"

namespace brindle {

class CWizardInfoPage;
class CWizardKeyTempoPage;
class CWizardStaffPage;

// Beats per minute of a Chinese tempo word ("中速" 88); -1 for a word not in the table.
int TempoFromTerm(std::u16string_view term);

// The groups of the staff type at `index` in the wizard's list ("单谱表", "钢琴谱",
// "二声部", "三声部(钢琴伴唱)"); none for any other index.
std::vector<quaverly::NewScoreStaffGroup> StaffGroupsOfType(int index);

// A MIDI channel for a new staff: 9 for percussion (no flag is taken); otherwise the
// lowest free channel of 0-8, then of 10-15, which is marked in `used`; 0 when all are
// taken (nothing marked). `used` has one flag per channel.
int TakeChannel(std::vector<bool>& used, bool percussion);

// The playback tempo of a new score: with an exact tempo the metronome mark in quarter
// notes per minute, otherwise the tempo word's value, 120 for an unknown word.
int NewScoreViewTempo(bool exactTempo, int beatUnit, int perMinute, std::u16string_view term);

// The record from the wizard's first three pages (the paper is the view's); the staves'
// channels are taken from `usedChannels`.
quaverly::NewScoreSettings BuildNewScoreSettings(const CWizardInfoPage& info, const CWizardStaffPage& staves,
                                                 const CWizardKeyTempoPage& keyTempo,
                                                 std::vector<bool>& usedChannels);

}  // namespace brindle
