#include "engine/model/part.h"

#include <algorithm>
#include <cmath>

#include "engine/model/line_mark.h"
#include "engine/model/tie.h"

namespace quaverly {

namespace {

template <class T>
void EraseFirst(std::vector<std::shared_ptr<T>>& list, const std::shared_ptr<T>& item)
{
    const auto found = std::find(list.begin(), list.end(), item);
    if (found != list.end())
        list.erase(found);
}

bool IsVerse(int verse)
{
    return verse >= 0 && verse < Part::kVerseCount;
}

}  // namespace

Part::Part()
{
    verseOffsets_.fill(kUnset);
}

Part::~Part() = default;

bool Part::SetStaffSize(double size)
{
    const bool valid =
        size == kUnsetDouble ||
        (std::isfinite(size) && size >= 0.0 && size <= static_cast<double>(kMaxUserOffset));
    if (!valid)
        return false;
    staffSize_ = size;
    return true;
}

void Part::SetVerseOffset(int verse, int offset)
{
    if (IsVerse(verse))
        verseOffsets_[static_cast<std::size_t>(verse)] = offset;
}

int Part::GetVerseOffset(int verse) const
{
    return IsVerse(verse) ? verseOffsets_[static_cast<std::size_t>(verse)] : kUnset;
}

void Part::AddTie(std::shared_ptr<Tie> tie)
{
    if (tie) {
        ties_.push_back(std::move(tie));
        ++tieListRevision_;
    }
}

void Part::RemoveTie(const std::shared_ptr<Tie>& tie)
{
    EraseFirst(ties_, tie);
    ++tieListRevision_;
}

void Part::FindTiesAt(const ScoreElement* bar, std::vector<std::size_t>& out) const
{
    if (bar == nullptr)
        return;
    TieIndex& index = tieIndex_;
    const std::uint64_t anchors = Tie::AnchorRevision();
    if (!index.built || index.listRevision != tieListRevision_ || index.anchorRevision != anchors) {
        // The lists keep their room for the next time, unless bars that are gone have
        // piled up in the index.
        if (index.byBar.size() > 2 * ties_.size() + 64)
            index.byBar.clear();
        for (auto& entry : index.byBar)
            entry.second.clear();
        for (std::size_t t = 0; t < ties_.size(); ++t) {
            const Tie* tie = ties_[t].get();
            if (!tie)
                continue;
            const ScoreElement* start = tie->GetStart().owner.get();
            const ScoreElement* end = tie->GetEnd().owner.get();
            if (start)
                index.byBar[start].push_back(t);
            if (end && end != start)
                index.byBar[end].push_back(t);
        }
        index.built = true;
        index.listRevision = tieListRevision_;
        index.anchorRevision = anchors;
    }
    const auto found = index.byBar.find(bar);
    if (found != index.byBar.end())
        out.insert(out.end(), found->second.begin(), found->second.end());
}

void Part::FindTiesOver(int place, std::vector<std::size_t>& out) const
{
    TieSpans& index = tieSpans_;
    const std::uint64_t anchors = Tie::AnchorRevision();
    if (!index.built || index.listRevision != tieListRevision_ ||
        index.anchorRevision != anchors || index.barRevision != barListRevision_) {
        index.spans.clear();
        for (std::size_t t = 0; t < ties_.size(); ++t) {
            const Tie* tie = ties_[t].get();
            if (!tie || !tie->GetStart().note || !tie->GetEnd().note)
                continue;
            const ScoreElement* start = tie->GetStart().owner.get();
            const ScoreElement* end = tie->GetEnd().owner.get();
            if (start == nullptr || end == nullptr || start == end)
                continue;
            const int first = FindBarPlace(start);
            const int last = FindBarPlace(end);
            if (first >= 0 && last >= 0 && last - first >= 2)
                index.spans.push_back({t, first, last});
        }
        index.built = true;
        index.listRevision = tieListRevision_;
        index.anchorRevision = anchors;
        index.barRevision = barListRevision_;
    }
    for (const TieSpans::Span& span : index.spans) {
        if (span.first < place && place < span.last)
            out.push_back(span.tie);
    }
}

void Part::InsertChild(int i, ElementPtr child)
{
    ScoreElement::InsertChild(i, std::move(child));
    ++barListRevision_;
}

void Part::AppendChild(ElementPtr child)
{
    ScoreElement::AppendChild(std::move(child));
    ++barListRevision_;
}

void Part::RemoveChild(int i)
{
    ScoreElement::RemoveChild(i);
    ++barListRevision_;
}

void Part::ClearChildren()
{
    ScoreElement::ClearChildren();
    ++barListRevision_;
}

void Part::AddLineMark(std::shared_ptr<LineMark> mark)
{
    if (mark)
        lineMarks_.push_back(std::move(mark));
}

void Part::RemoveLineMark(const std::shared_ptr<LineMark>& mark)
{
    EraseFirst(lineMarks_, mark);
}

void Part::Draw(ScorePainter& /*painter*/)
{
}

int Part::FindBarPlace(const ScoreElement* bar) const
{
    if (bar == nullptr)
        return -1;
    const int index = bar->GetIndex();
    if (GetChild(index).get() == bar)
        return index;
    for (int i = 0; i < GetChildCount(); ++i) {
        if (GetChild(i).get() == bar)
            return i;
    }
    return -1;
}

}  // namespace quaverly
