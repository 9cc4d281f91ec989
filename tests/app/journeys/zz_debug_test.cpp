#include <gtest/gtest.h>
#include <iostream>
#include "journey_driver.h"
#include "app/shell/command_ids.h"
#include "engine/editor/score_editor.h"
#include "tests/engine/editor/editor_test_score.h"
TEST(Debug, Typing)
{
    journeys::JourneyDriver d;
    d.NewScore({u"x", 1});
    [[maybe_unused]] auto dump = [&](const char* what) {
        std::cout << what << ": ";
        for (int b = 0; b < 4; ++b) {
            auto bar = quaverly::editor_test::BarOf(*d.Editor().score, 0, b);
            std::cout << "[";
            if (bar) for (auto& n : bar->GetNotes()) std::cout << n->GetPitchCode() << "/" << n->GetDuration() << " ";
            std::cout << "]";
        }
        std::cout << " undo " << d.UndoCount() << " pitch " << d.View().NotePitch() << " value " << d.View().NoteValue() << " oct " << d.View().NoteOctave() << "\n";
    };
    d.Type("1 2 3 4 5 6");

    d.ClickBar(0);
    auto heard = d.PlayFromCursor();
    std::cout << "heard " << heard.size() << "\n";
}
