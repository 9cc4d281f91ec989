// What opening a document does with its bytes, as far as the engine goes without the
// editor: the bytes are loaded into a score, every bar column of the loaded score is
// laid out, and every bar is laid out and drawn with the recording painter. Shared by
// the bounded fuzz test and the libFuzzer target, so both drive the same path.
#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <string_view>

#include "engine/layout/layout_column_state.h"
#include "engine/layout/layout_engine.h"
#include "engine/model/bar.h"
#include "engine/model/part.h"
#include "engine/model/score.h"
#include "engine/xml/music_xml_file.h"
#include "tests/support/fake_painter.h"

namespace quaverly::xml_test {

struct OpenResult {
    bool loaded = false;
    int bars = 0;  // bars laid out and drawn
};

// Writes the bytes to the scratch file and opens it.
inline OpenResult OpenAndDraw(std::string_view bytes, const std::filesystem::path& scratch)
{
    {
        std::ofstream out(scratch, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    OpenResult result;
    auto score = std::make_shared<Score>();
    MusicXmlFile file;
    file.SetScore(score.get());
    result.loaded = file.Load(scratch);
    if (!result.loaded)
        return result;
    fakes::FakePainter painter;
    int columns = 0;
    for (int p = 0; p < score->GetChildCount(); ++p) {
        const auto container = score->GetChild(p);
        const auto part = container ? std::dynamic_pointer_cast<Part>(container->GetChild(0)) : nullptr;
        if (part && part->GetChildCount() > columns)
            columns = part->GetChildCount();
    }
    LayoutColumnState state;
    state.painter = &painter;
    state.score = score;
    state.firstBar = 0;
    state.endBar = columns;
    LayoutScore(state);
    for (int p = 0; p < score->GetChildCount(); ++p) {
        const auto container = score->GetChild(p);
        const auto part = container ? std::dynamic_pointer_cast<Part>(container->GetChild(0)) : nullptr;
        if (!part)
            continue;
        for (int b = 0; b < part->GetChildCount(); ++b) {
            const auto bar = std::dynamic_pointer_cast<Bar>(part->GetChild(b));
            if (!bar)
                continue;
            bar->Layout(painter);
            bar->Draw(painter);
            ++result.bars;
            // The record of calls is not looked at; keep it small.
            painter.Clear();
        }
    }
    return result;
}

}  // namespace quaverly::xml_test
