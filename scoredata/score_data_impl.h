// The ScoreData of the library (internal).
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "scoredata/score_data.h"
#include "scoredata/stave_data_impl.h"

namespace tabulon {

class ScoreDataImpl final : public ScoreData {
public:
    ScoreDataImpl() = default;
    ~ScoreDataImpl() = default;

    std::u16string GetTitle() const override;
    void SetTitle(const std::u16string& title) override;
    std::u16string GetComposer() const override;
    void SetComposer(const std::u16string& composer) override;
    std::u16string GetPoet() const override;
    void SetPoet(const std::u16string& poet) override;
    std::u16string GetCopyright() const override;
    void SetCopyright(const std::u16string& copyright) override;
    std::u16string GetSubtitle() const override;
    void SetSubtitle(const std::u16string& subtitle) override;
    const std::vector<MeterRecord>& GetMeters() const override;
    void AddMeter(const MeterRecord& meter) override;
    const std::vector<KeyRecord>& GetKeys() const override;
    void AddKey(const KeyRecord& key) override;
    const std::vector<TempoRecord>& GetTempos() const override;
    void AddTempo(const TempoRecord& tempo) override;
    const std::vector<TempoTextRecord>& GetTempoTexts() const override;
    void AddTempoText(const TempoTextRecord& tempoText) override;
    void AddStave(int id) override;
    void RemoveStave(int id) override;
    std::vector<int> GetStaveIds() const override;
    StaveData* GetStave(int id) const override;
    void SetBarCount(int count) override;
    int GetBarCount() const override;
    void Clear() override;
    void Release() override;

private:
    std::u16string title_;
    std::u16string composer_;
    std::u16string subtitle_;
    std::u16string poet_;
    std::u16string copyright_;
    std::map<int, std::shared_ptr<StaveDataImpl>> staves_;
    std::vector<MeterRecord> meters_;
    std::vector<KeyRecord> keys_;
    std::vector<TempoRecord> tempos_;
    std::vector<TempoTextRecord> tempoTexts_;
    int barCount_ = 0;
};

}  // namespace tabulon
