#include "engine/model/score.h"

#include <algorithm>
#include <utility>

#include "engine/model/page_text.h"
#include "engine/model/part_group.h"

namespace quaverly {

namespace {

int KeyOf(const KeySignature& key)
{
    return key.GetValue().bar;
}

int KeyOf(const TempoMark& tempo)
{
    return tempo.GetValue().position;
}

int KeyOf(const ExpressionText& text)
{
    return text.GetValue().position;
}

int KeyOf(const TimeSignatureEntry& entry)
{
    return entry.bar;
}

// Entries are compared through a pointer for element tables and directly for values.
template <class T>
const T& Deref(const std::shared_ptr<T>& item)
{
    return *item;
}
template <class T>
const T& Deref(const T& item)
{
    return item;
}

// Inserts before the first entry with a larger key, so equal keys keep their arrival
// order. A linear walk: it needs nothing of the list's order and the tables are short.
template <class Item>
void InsertSorted(std::vector<Item>& list, Item item)
{
    const int key = KeyOf(Deref(item));
    const auto place = std::find_if(list.begin(), list.end(), [key](const Item& entry) {
        return KeyOf(Deref(entry)) > key;
    });
    list.insert(place, std::move(item));
}

// The first entry with exactly that key, or end.
template <class Item>
auto FindKey(std::vector<Item>& list, int key)
{
    return std::find_if(list.begin(), list.end(),
                        [key](const Item& entry) { return KeyOf(Deref(entry)) == key; });
}

// The index of the entry in force at the key: the largest key not after it, the first
// of equal keys; -1 when every entry starts later.
template <class Item>
int FindInForce(const std::vector<Item>& list, int key)
{
    int best = -1;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const int entryKey = KeyOf(Deref(list[i]));
        if (entryKey <= key &&
            (best < 0 || entryKey > KeyOf(Deref(list[static_cast<std::size_t>(best)])))) {
            best = static_cast<int>(i);
        }
    }
    return best;
}

template <class T>
void EraseFirst(std::vector<std::shared_ptr<T>>& list, const std::shared_ptr<T>& item)
{
    const auto found = std::find(list.begin(), list.end(), item);
    if (found != list.end())
        list.erase(found);
}

template <class T>
void EraseFirstKey(std::vector<T>& list, int key)
{
    const auto found = FindKey(list, key);
    if (found != list.end())
        list.erase(found);
}

template <class T>
std::shared_ptr<T> InForce(const std::vector<std::shared_ptr<T>>& list, int key)
{
    const int index = FindInForce(list, key);
    return index < 0 ? nullptr : list[static_cast<std::size_t>(index)];
}

template <class T, class Record>
std::vector<Record> ValuesOf(const std::vector<std::shared_ptr<T>>& list)
{
    std::vector<Record> values;
    values.reserve(list.size());
    for (const auto& item : list)
        values.push_back(item->GetValue());
    return values;
}

std::shared_ptr<KeySignature> DefaultKey()
{
    return std::make_shared<KeySignature>();  // {0, 0, 1}
}

}  // namespace

Score::Score()
    : title_(std::make_shared<TitleText>()),
      subtitle_(std::make_shared<SubtitleText>()),
      poet_(std::make_shared<PoetText>()),
      composer_(std::make_shared<ComposerText>()),
      singer_(std::make_shared<SingerText>()),
      adapter_(std::make_shared<AdapterText>()),
      rights_(std::make_shared<RightsText>()),
      keySignatures_{DefaultKey()},
      startLine_(std::make_shared<PartGroup>())
{
}

Score::~Score() = default;

// --- Key signatures ---

void Score::AppendKeySignature(std::shared_ptr<KeySignature> key)
{
    if (key)
        InsertSorted(keySignatures_, std::move(key));
}

void Score::RemoveKeySignature(const std::shared_ptr<KeySignature>& key)
{
    EraseFirst(keySignatures_, key);
}

bool Score::SetKeySignature(const KeySignatureRecord& value)
{
    if (!value.IsValid())
        return false;
    const auto found = FindKey(keySignatures_, value.bar);
    if (found != keySignatures_.end())
        return (*found)->SetValue(value);
    auto key = std::make_shared<KeySignature>();
    key->SetValue(value);
    InsertSorted(keySignatures_, std::move(key));
    return true;
}

void Score::RemoveKeySignatureAt(int bar)
{
    EraseFirstKey(keySignatures_, bar);
}

std::vector<KeySignatureRecord> Score::GetKeySignatures() const
{
    return ValuesOf<KeySignature, KeySignatureRecord>(keySignatures_);
}

std::shared_ptr<KeySignature> Score::FindKeySignature(int bar) const
{
    return InForce(keySignatures_, bar);
}

// --- Tempo marks ---

void Score::AppendTempoMark(std::shared_ptr<TempoMark> tempo)
{
    if (tempo)
        InsertSorted(tempoMarks_, std::move(tempo));
}

void Score::RemoveTempoMark(const std::shared_ptr<TempoMark>& tempo)
{
    EraseFirst(tempoMarks_, tempo);
}

void Score::SetTempoMark(const TempoMarkRecord& value)
{
    const auto found = FindKey(tempoMarks_, value.position);
    if (found != tempoMarks_.end()) {
        (*found)->SetValue(value);
        return;
    }
    auto tempo = std::make_shared<TempoMark>();
    tempo->SetValue(value);
    InsertSorted(tempoMarks_, std::move(tempo));
}

void Score::RemoveTempoMarkAt(int position)
{
    EraseFirstKey(tempoMarks_, position);
}

std::vector<TempoMarkRecord> Score::GetTempoMarks() const
{
    return ValuesOf<TempoMark, TempoMarkRecord>(tempoMarks_);
}

std::shared_ptr<TempoMark> Score::FindTempoMark(int position) const
{
    return InForce(tempoMarks_, position);
}

// --- Expression texts ---

void Score::AppendExpressionText(std::shared_ptr<ExpressionText> text)
{
    if (text)
        InsertSorted(expressionTexts_, std::move(text));
}

void Score::RemoveExpressionText(const std::shared_ptr<ExpressionText>& text)
{
    EraseFirst(expressionTexts_, text);
}

void Score::SetExpressionText(const ExpressionRecord& value)
{
    const auto found = FindKey(expressionTexts_, value.position);
    if (found != expressionTexts_.end()) {
        (*found)->SetValue(value);
        return;
    }
    auto text = std::make_shared<ExpressionText>();
    text->SetValue(value);
    InsertSorted(expressionTexts_, std::move(text));
}

void Score::RemoveExpressionTextAt(int position)
{
    EraseFirstKey(expressionTexts_, position);
}

std::vector<ExpressionRecord> Score::GetExpressionTexts() const
{
    return ValuesOf<ExpressionText, ExpressionRecord>(expressionTexts_);
}

std::shared_ptr<ExpressionText> Score::FindExpressionText(int position) const
{
    return InForce(expressionTexts_, position);
}

// --- Time signatures ---

bool Score::SetTimeSignature(const TimeSignatureRecord& value)
{
    if (!value.IsValid())
        return false;
    const int common = value.common != 0 ? 1 : 0;
    const auto found = FindKey(timeSignatures_, value.bar);
    if (found != timeSignatures_.end()) {
        found->beats = value.beats;
        found->beatType = value.beatType;
        found->common = common;
        ++found->count;
        return true;
    }
    InsertSorted(timeSignatures_,
                 TimeSignatureEntry{1, value.bar, value.beats, value.beatType, common});
    return true;
}

void Score::RemoveTimeSignatureAt(int bar)
{
    for (auto entry = timeSignatures_.begin(); entry != timeSignatures_.end(); ++entry) {
        if (entry->bar != bar)
            continue;
        if (entry->count-- <= 1) {
            timeSignatures_.erase(entry);
            return;
        }
    }
}

std::optional<TimeSignatureRecord> Score::FindTimeSignature(int bar) const
{
    const int index = FindInForce(timeSignatures_, bar);
    if (index < 0)
        return std::nullopt;
    return timeSignatures_[static_cast<std::size_t>(index)].ToRecord();
}

// --- Part groups and page texts ---

void Score::AddPartGroup(std::shared_ptr<PartGroup> group)
{
    if (group)
        partGroups_.push_back(std::move(group));
}

void Score::RemovePartGroup(const std::shared_ptr<PartGroup>& group)
{
    EraseFirst(partGroups_, group);
}

void Score::AddPageText(std::shared_ptr<PageText> text)
{
    if (text)
        pageTexts_.push_back(std::move(text));
}

void Score::RemovePageText(const std::shared_ptr<PageText>& text)
{
    EraseFirst(pageTexts_, text);
}

// --- Reset ---

void Score::ClearChildren()
{
    const std::shared_ptr<HeaderText> texts[] = {title_,  subtitle_, poet_,  composer_,
                                                  singer_, adapter_,  rights_};
    for (const auto& text : texts)
        text->SetText({});
    description_.clear();
    timeSignatures_.clear();
    keySignatures_.clear();
    tempoMarks_.clear();
    expressionTexts_.clear();
    keySignatures_.push_back(DefaultKey());
    partGroups_.clear();
    lineBreaks_.clear();
    barsPerLine_.clear();
    linesPerPage_.clear();
    pageTexts_.clear();
    startLine_ = std::make_shared<PartGroup>();
    ScoreElement::ClearChildren();
}

}  // namespace quaverly
