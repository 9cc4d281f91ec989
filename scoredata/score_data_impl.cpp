#include "scoredata/score_data_impl.h"

#include <new>

#include "scoredata/id_map.h"

namespace tabulon {

std::u16string ScoreDataImpl::GetTitle() const { return title_; }
void ScoreDataImpl::SetTitle(const std::u16string& title) { title_ = title; }
std::u16string ScoreDataImpl::GetComposer() const { return composer_; }
void ScoreDataImpl::SetComposer(const std::u16string& composer) { composer_ = composer; }
std::u16string ScoreDataImpl::GetPoet() const { return poet_; }
void ScoreDataImpl::SetPoet(const std::u16string& poet) { poet_ = poet; }
std::u16string ScoreDataImpl::GetCopyright() const { return copyright_; }
void ScoreDataImpl::SetCopyright(const std::u16string& copyright) { copyright_ = copyright; }
std::u16string ScoreDataImpl::GetSubtitle() const { return subtitle_; }
void ScoreDataImpl::SetSubtitle(const std::u16string& subtitle) { subtitle_ = subtitle; }

const std::vector<MeterRecord>& ScoreDataImpl::GetMeters() const { return meters_; }
void ScoreDataImpl::AddMeter(const MeterRecord& meter) { meters_.push_back(meter); }
const std::vector<KeyRecord>& ScoreDataImpl::GetKeys() const { return keys_; }
void ScoreDataImpl::AddKey(const KeyRecord& key) { keys_.push_back(key); }
const std::vector<TempoRecord>& ScoreDataImpl::GetTempos() const { return tempos_; }
void ScoreDataImpl::AddTempo(const TempoRecord& tempo) { tempos_.push_back(tempo); }

const std::vector<TempoTextRecord>& ScoreDataImpl::GetTempoTexts() const
{
    return tempoTexts_;
}

void ScoreDataImpl::AddTempoText(const TempoTextRecord& tempoText)
{
    tempoTexts_.push_back(tempoText);
}

void ScoreDataImpl::AddStave(int id)
{
    if (!staves_.contains(id))
        staves_.emplace(id, std::make_shared<StaveDataImpl>());
}

void ScoreDataImpl::RemoveStave(int id) { staves_.erase(id); }

std::vector<int> ScoreDataImpl::GetStaveIds() const { return detail::IdsOf(staves_); }
StaveData* ScoreDataImpl::GetStave(int id) const { return detail::FindById(staves_, id); }

void ScoreDataImpl::SetBarCount(int count) { barCount_ = count; }
int ScoreDataImpl::GetBarCount() const { return barCount_; }

void ScoreDataImpl::Clear()
{
    title_.clear();
    composer_.clear();
    subtitle_.clear();
    staves_.clear();
    meters_.clear();
    keys_.clear();
    tempos_.clear();
    tempoTexts_.clear();
    barCount_ = 0;
}

void ScoreDataImpl::Release() { delete this; }

}  // namespace tabulon

tabulon::ScoreData* create_score_data()
{
    return new (std::nothrow) tabulon::ScoreDataImpl();
}
