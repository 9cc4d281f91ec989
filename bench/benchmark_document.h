// The benchmark score saved as a score document: the 4 parts of bench/benchmark_score.h
// with a meter change halfway, two key changes and ties across bars.
#pragma once

#include <filesystem>

#include "bench/benchmark_score.h"
#include "engine/model/score.h"
#include "engine/xml/music_xml_file.h"

namespace bench {

inline bool SaveBenchmarkDocument(const std::filesystem::path& path, int bars)
{
    using namespace quaverly;
    Score score;
    score.SetTimeSignature({0, 4, 4, 1});
    score.SetTimeSignature({bars / 2, 3, 4, 0});
    score.SetKeySignature({0, 0, 1});
    score.SetKeySignature({bars / 3, 2, 1});
    AppendParts(score, bars, BarTies::EveryFourthBar);
    MusicXmlFile file;
    file.SetScore(&score);
    return file.Save(path);
}

}  // namespace bench
