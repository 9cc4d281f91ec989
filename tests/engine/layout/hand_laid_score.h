// A part laid out by hand for the tests of the row views: six 4/4 bars, each 1100 wide
// with a left margin of 100 and 1000 units for its whole note, so that time t of a bar
// lies at x = 100 + t / 645.12 inside it (a quarter note at 350). The bars are shown on
// three rows of two bars, [0, 2), [2, 4) and [4, 6), each row starting its bars at x 0
// and 1100.
#pragma once

#include <memory>

#include "engine/model/bar.h"
#include "engine/model/part.h"
#include "engine/model/position_map.h"
#include "tests/support/fake_painter.h"

namespace quaverly::testing {

inline constexpr int kBarWidth = 1100;
inline constexpr int kBarMargin = 100;
inline constexpr int kBarCount = 6;
inline constexpr int kBarsPerRow = 2;
inline constexpr int kQuarter = 161280;
inline constexpr int kWhole = 4 * kQuarter;

// The x of a time inside a bar, from its left edge.
inline constexpr int TimeX(int time)
{
    return kBarMargin + static_cast<int>(static_cast<long long>(time) * 1000 / kWhole);
}

inline std::shared_ptr<PositionMap> MakeBarMap()
{
    auto map = std::make_shared<PositionMap>();
    map->SetMeter(4, 4);
    map->SetLength(kWhole);
    map->SetLeftMargin(kBarMargin);
    map->AddSegment({0, kWhole, 0, 1000});
    return map;
}

inline std::shared_ptr<Part> MakeHandLaidPart(int barCount = kBarCount)
{
    auto part = std::make_shared<Part>();
    for (int i = 0; i < barCount; ++i) {
        auto bar = std::make_shared<Bar>(i);
        bar->SetPositionMap(MakeBarMap());
        bar->SetRect({0, 0, kBarWidth, fakes::fake_metrics::kBarLineHeight});
        bar->SetPosition({(i % kBarsPerRow) * kBarWidth, 0});
        part->AppendChild(bar);
    }
    return part;
}

}  // namespace quaverly::testing
