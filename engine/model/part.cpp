#include "engine/model/part.h"

#include <algorithm>
#include <cmath>

#include "engine/model/line_mark.h"

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
    if (tie)
        ties_.push_back(std::move(tie));
}

void Part::RemoveTie(const std::shared_ptr<Tie>& tie)
{
    EraseFirst(ties_, tie);
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

}  // namespace quaverly
