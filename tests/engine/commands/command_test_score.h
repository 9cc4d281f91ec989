// Documents for the command tests: an editor whose score has some parts of empty bars.
#pragma once

#include <memory>

#include "engine/editor/score_editor.h"
#include "engine/model/bar.h"
#include "engine/model/container_element.h"
#include "engine/model/part.h"
#include "engine/model/score.h"

namespace quaverly::command_test {

inline void FillScore(ScoreEditor& editor, int parts, int bars)
{
    for (int p = 0; p < parts; ++p) {
        auto container = std::make_shared<ContainerElement>();
        auto part = std::make_shared<Part>();
        for (int b = 0; b < bars; ++b)
            part->AppendChild(std::make_shared<Bar>(b));
        container->AppendChild(part);
        editor.score->AppendChild(container);
    }
}

inline std::shared_ptr<Part> PartAt(const ScoreEditor& editor, int p)
{
    const auto container = editor.score->GetChild(p);
    return container ? std::dynamic_pointer_cast<Part>(container->GetChild(0)) : nullptr;
}

inline std::shared_ptr<Bar> BarAt(const ScoreEditor& editor, int p, int b)
{
    const auto part = PartAt(editor, p);
    return part ? std::dynamic_pointer_cast<Bar>(part->GetChild(b)) : nullptr;
}

}  // namespace quaverly::command_test
