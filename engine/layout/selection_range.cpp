#include "engine/layout/selection_range.h"

#include <algorithm>

#include "engine/layout/layout_root.h"
#include "engine/layout/system_node.h"
#include "engine/layout/track_node.h"
#include "engine/model/bar.h"
#include "engine/model/chord_note_list.h"
#include "engine/model/note.h"
#include "engine/model/score_painter.h"

namespace quaverly {

namespace {

// How far the highlight reaches beyond the bars it covers.
constexpr int kHighlightMargin = 300;

}  // namespace

SelectionRange::SelectionRange()
{
    SetColor(color_index::kEditMark);
    SetNormalColor(color_index::kEditMark);
}

void SelectionRange::SetFirst(int part, int bar)
{
    firstPart_ = part;
    firstBar_ = bar;
}

void SelectionRange::GetFirst(int& part, int& bar) const
{
    part = firstPart_;
    bar = firstBar_;
}

void SelectionRange::GetLast(int& part, int& bar) const
{
    part = lastPart_;
    bar = lastBar_;
}

void SelectionRange::Extend(int part, int bar)
{
    if (IsValid()) {
        firstPart_ = std::min(firstPart_, part);
        firstBar_ = std::min(firstBar_, bar);
        lastPart_ = std::max(lastPart_, part);
        lastBar_ = std::max(lastBar_, bar);
    } else {
        // An empty block starts at the bar; one with only its first corner ends there.
        if (firstPart_ == -1 || firstBar_ == -1) {
            firstPart_ = part;
            firstBar_ = bar;
        }
        lastPart_ = part;
        lastBar_ = bar;
    }
    Select();
}

void SelectionRange::ClearChildren()
{
    firstPart_ = firstBar_ = lastPart_ = lastBar_ = -1;
}

bool SelectionRange::IsValid() const
{
    return firstPart_ != -1 && firstBar_ != -1 && lastPart_ != -1 && lastBar_ != -1;
}

bool SelectionRange::CoversBar(int bar) const
{
    if (!IsValid())
        return false;
    const Bounds b = GetBounds();
    return b.barMin <= bar && bar <= b.barMax;
}

SelectionRange::Bounds SelectionRange::GetBounds() const
{
    return {std::min(firstPart_, lastPart_), std::max(firstPart_, lastPart_),
            std::min(firstBar_, lastBar_), std::max(firstBar_, lastBar_)};
}

std::shared_ptr<Bar> SelectionRange::FindBar(int part, int bar, int* page, bool visibleOnly) const
{
    if (owner_ == nullptr || part < 0 || bar < 0)
        return nullptr;
    const auto system = FindSystemOfBar(*owner_, bar, page);
    if (!system)
        return nullptr;
    const auto track = system->GetTrack(part);
    if (!track || (visibleOnly && !track->IsVisible()))
        return nullptr;
    return track->GetBar(bar - system->GetBarRange().first);
}

void SelectionRange::MarkNotes(bool selected)
{
    if (!IsValid())
        return;
    const Bounds b = GetBounds();
    for (int p = b.partMin; p <= b.partMax; ++p) {
        for (int bar = b.barMin; bar <= b.barMax; ++bar) {
            const auto found = FindBar(p, bar, nullptr, false);
            if (!found)
                continue;  // a bar or part no longer laid out
            // A copy: (de)selecting reports upward, which may change the bar meanwhile.
            const std::vector<Bar::NotePtr> notes = found->GetNotes();
            for (const auto& note : notes) {
                if (!note)
                    continue;
                std::vector<Bar::NotePtr> stack = note->GetChordMembers();
                stack.insert(stack.begin(), note);
                for (const auto& member : stack) {
                    if (!member)
                        continue;
                    if (selected)
                        member->Select();
                    else
                        member->Deselect();
                }
            }
        }
    }
}

void SelectionRange::Select() { MarkNotes(true); }

void SelectionRange::DeselectNotes() { MarkNotes(false); }

void SelectionRange::Draw(ScorePainter& painter)
{
    columns_.clear();
    if (!IsValid())
        return;
    const Bounds b = GetBounds();
    for (int bar = b.barMin; bar <= b.barMax; ++bar) {
        bool found = false;
        HighlightColumn column;
        Rect last;
        for (int p = b.partMin; p <= b.partMax; ++p) {
            int page = 0;
            const auto laid = FindBar(p, bar, &page, true);
            if (!laid)
                continue;
            const Rect rect = laid->GetRect().Moved(laid->GetChildOrigin());
            if (!found) {
                column.page = page;
                column.rect = {rect.left, rect.top - kHighlightMargin, rect.right, 0};
                found = true;
            }
            last = rect;
        }
        if (!found)
            continue;  // nothing of this bar is laid out any more
        column.rect.bottom = last.bottom + kHighlightMargin;
        if (bar == b.barMin) {
            column.rect.left -= kHighlightMargin;
            column.closedLeft = true;
        }
        if (bar == b.barMax) {
            column.rect.right += kHighlightMargin;
            column.closedRight = true;
        }
        columns_.push_back(column);
    }
    const int current = owner_ != nullptr ? owner_->GetCurrentPage() : 0;
    for (const HighlightColumn& column : columns_) {
        if (column.page == current)
            painter.DrawOpenFrameRect(column.rect, column.closedLeft, column.closedRight,
                                      GetColor());
    }
}

}  // namespace quaverly
