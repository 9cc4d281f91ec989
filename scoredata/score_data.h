// The neutral score record exchanged between the notation engine, the playback builder
// and the MIDI import: header texts, time-signature, key, tempo and tempo-word records by
// bar, the bar count, and the staves keyed by integer identifiers. Created by
// create_score_data and destroyed only through Release. Record lists keep the order in
// which records were added; nothing sorts them.
#pragma once

#include <string>
#include <vector>

#include "scoredata/score_records.h"
#include "scoredata/staff_data.h"
#include "scoredata/stave_data.h"

namespace tabulon {

class ScoreData {
public:
    virtual std::u16string GetTitle() const = 0;
    virtual void SetTitle(const std::u16string& title) = 0;
    virtual std::u16string GetComposer() const = 0;
    virtual void SetComposer(const std::u16string& composer) = 0;
    virtual std::u16string GetPoet() const = 0;
    virtual void SetPoet(const std::u16string& poet) = 0;
    virtual std::u16string GetCopyright() const = 0;
    virtual void SetCopyright(const std::u16string& copyright) = 0;
    virtual std::u16string GetSubtitle() const = 0;
    virtual void SetSubtitle(const std::u16string& subtitle) = 0;
    virtual const std::vector<MeterRecord>& GetMeters() const = 0;
    virtual void AddMeter(const MeterRecord& meter) = 0;
    virtual const std::vector<KeyRecord>& GetKeys() const = 0;
    virtual void AddKey(const KeyRecord& key) = 0;
    virtual const std::vector<TempoRecord>& GetTempos() const = 0;
    virtual void AddTempo(const TempoRecord& tempo) = 0;
    virtual const std::vector<TempoTextRecord>& GetTempoTexts() const = 0;
    virtual void AddTempoText(const TempoTextRecord& tempoText) = 0;
    // Creates an empty stave under the identifier when there is none.
    virtual void AddStave(int id) = 0;
    // Removes and destroys the stave when there is one.
    virtual void RemoveStave(int id) = 0;
    // The identifiers in ascending order.
    virtual std::vector<int> GetStaveIds() const = 0;
    // The stave under the identifier, or null (nothing is created).
    virtual StaveData* GetStave(int id) const = 0;
    virtual void SetBarCount(int count) = 0;
    virtual int GetBarCount() const = 0;
    // Empties title, composer and subtitle, removes every stave, empties the record lists
    // and sets the bar count to 0; the poet and the copyright stay.
    virtual void Clear() = 0;
    // Destroys the object.
    virtual void Release() = 0;

protected:
    ScoreData() = default;
    ScoreData(const ScoreData&) = delete;
    ScoreData& operator=(const ScoreData&) = delete;
    ~ScoreData() = default;
};

}  // namespace tabulon

// A new empty score; null when out of memory.
extern "C" __attribute__((visibility("default"))) tabulon::ScoreData* create_score_data();
