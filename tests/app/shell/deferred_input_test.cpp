// Queued typed notes and MIDI chords make one editor call each, with their stored values.
#include <gtest/gtest.h>

#include <vector>

#include "app/shell/deferred_input.h"
#include "stub_editor.h"

namespace {

class InputEditor final : public view_test::StubEditor {
public:
    std::vector<std::vector<int>> notes;
    std::vector<std::vector<int>> chords;

    void InputNote(int degree, int octave, int value, int dots, int accidental, int graceKind, int flags) override
    {
        notes.push_back({degree, octave, value, dots, accidental, graceKind, flags});
    }
    void InputChord(const std::vector<int>* keys, int value, int dots, int graceKind, int flags) override
    {
        std::vector<int> call = keys ? *keys : std::vector<int>{};
        call.insert(call.end(), {value, dots, graceKind, flags});
        chords.push_back(call);
    }
};

TEST(DeferredInput, EachInputMakesOneCallWithItsValuesInOrder)
{
    InputEditor editor;
    brindle::DeferredNoteInput note(5, 1, 80640, 1, 2, 0, brindle::kInputCtrl | brindle::kInputShift);
    brindle::DeferredChordInput chord({60, 64, 67}, 161280, 0, 1, brindle::kInputAlt);
    note.Execute(editor);
    chord.Execute(editor);
    EXPECT_EQ(editor.notes, (std::vector<std::vector<int>>{{5, 1, 80640, 1, 2, 0, 3}}));
    EXPECT_EQ(editor.chords, (std::vector<std::vector<int>>{{60, 64, 67, 161280, 0, 1, 4}}));
}

}  // namespace
