#include "engine/model/tie.h"

#include <atomic>
#include <utility>

#include "engine/model/note.h"

namespace quaverly {

namespace {
constexpr int kTieColor = 20;
std::atomic<std::uint64_t> anchorRevision{0};

void AnchorsChanged()
{
    anchorRevision.fetch_add(1, std::memory_order_relaxed);
}
}  // namespace

std::uint64_t Tie::AnchorRevision()
{
    return anchorRevision.load(std::memory_order_relaxed);
}

Tie::Tie()
{
    SetNormalColor(kTieColor);
    SetColor(kTieColor);
}

Tie::~Tie()
{
    Unlink();
}

void Tie::SetStart(NoteAnchor anchor)
{
    Unlink();
    start_ = std::move(anchor);
    Link();
    AnchorsChanged();
}

void Tie::SetEnd(NoteAnchor anchor)
{
    Unlink();
    end_ = std::move(anchor);
    Link();
    AnchorsChanged();
}

void Tie::ClearChildren()
{
    ScoreElement::ClearChildren();
    Unlink();
    start_ = {};
    end_ = {};
    AnchorsChanged();
}

void Tie::Link()
{
    Note* from = start_.note.get();
    Note* to = end_.note.get();
    if (from == nullptr || to == nullptr || from == to)
        return;
    // A link another tie left on the far side of either note goes first, so every link
    // stays mutual.
    if (Note* old = from->GetTiedTo(); old != nullptr && old != to && old->GetTiedFrom() == from)
        old->SetTiedFrom(nullptr);
    if (Note* old = to->GetTiedFrom(); old != nullptr && old != from && old->GetTiedTo() == to)
        old->SetTiedTo(nullptr);
    from->SetTiedTo(to);
    to->SetTiedFrom(from);
}

void Tie::Unlink()
{
    Note* from = start_.note.get();
    Note* to = end_.note.get();
    if (from == nullptr || to == nullptr)
        return;
    // Only the links that still join this tie's own notes; another tie may have taken
    // either note since.
    if (from->GetTiedTo() == to)
        from->SetTiedTo(nullptr);
    if (to->GetTiedFrom() == from)
        to->SetTiedFrom(nullptr);
}

}  // namespace quaverly
