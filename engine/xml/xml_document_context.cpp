#include "engine/xml/xml_document_context.h"

#include "engine/model/note.h"
#include "engine/model/tie.h"

namespace quaverly {

void StaffReadingState::DropStaleTies(int chordNow)
{
    std::erase_if(pendingTies, [&](const PendingTie& open) {
        if (open.chord >= chordNow - 1)
            return false;
        if (open.owner)
            open.owner->RemoveTie(open.tie);
        return true;
    });
}

std::shared_ptr<Tie> StaffReadingState::TakePendingTie(const Note& note, bool samePitch)
{
    auto found = pendingTies.end();
    for (auto it = pendingTies.begin(); it != pendingTies.end(); ++it) {
        const auto& start = it->tie ? it->tie->GetStart().note : nullptr;
        if (start && start->GetPitchCode() == note.GetPitchCode() &&
            start->GetOctave() == note.GetOctave())
            found = it;
    }
    if (found == pendingTies.end() && !samePitch && !pendingTies.empty())
        found = pendingTies.end() - 1;
    if (found == pendingTies.end())
        return nullptr;
    std::shared_ptr<Tie> tie = std::move(found->tie);
    pendingTies.erase(found);
    return tie;
}

void StaffReadingState::DropPendingTies()
{
    for (const PendingTie& open : pendingTies) {
        if (open.owner)
            open.owner->RemoveTie(open.tie);
    }
    pendingTies.clear();
}

}  // namespace quaverly
