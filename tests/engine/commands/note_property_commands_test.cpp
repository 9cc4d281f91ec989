// The note property commands: do, undo and redo of each change only its own value and
// give back exactly the note's earlier values.
#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "engine/commands/set_accidental_command.h"
#include "engine/commands/set_dots_command.h"
#include "engine/commands/set_note_value_command.h"
#include "engine/commands/set_octave_command.h"
#include "engine/commands/set_pitch_command.h"
#include "engine/model/note.h"
#include "engine/model/note_time.h"
#include "tests/support/fake_painter.h"

namespace quaverly {
namespace {

using note_length::kEighth;
using note_length::kQuarter;

struct NoteValues {
    int pitch = 0;
    int duration = 0;
    int octave = 0;
    int dots = 0;
    int accidental = 0;

    friend bool operator==(const NoteValues&, const NoteValues&) = default;
};

NoteValues ValuesOf(const Note& note)
{
    return {note.GetPitchCode(), note.GetDuration(), note.GetOctave(), note.GetDots(),
            note.GetAccidental()};
}

std::shared_ptr<Note> DottedQuarter()
{
    auto note = std::make_shared<Note>();
    note->SetPitchCode(5);
    note->SetDuration(kQuarter);
    note->SetDots(1);
    note->SetOctave(-1);
    note->SetAccidental(accidental_code::kSharp);
    return note;
}

template <class Command>
std::shared_ptr<EditCommand> Make(const std::shared_ptr<Note>& note, int oldValue, int newValue)
{
    auto command = std::make_shared<Command>();
    command->SetNote(note);
    command->SetOldValue(oldValue);
    command->SetNewValue(newValue);
    return command;
}

struct Case {
    const char* name;
    std::function<std::shared_ptr<EditCommand>(const std::shared_ptr<Note>&)> build;
    NoteValues done;  // the dotted quarter 5, octave -1, sharp, after Do
};

const Case kCases[] = {
    {"Pitch", [](const auto& n) { return Make<SetPitchCommand>(n, 5, 3); },
     {3, kQuarter, -1, 1, accidental_code::kSharp}},
    {"Value", [](const auto& n) { return Make<SetNoteValueCommand>(n, kQuarter, kEighth); },
     {5, kEighth, -1, 1, accidental_code::kSharp}},
    {"Octave", [](const auto& n) { return Make<SetOctaveCommand>(n, -1, 2); },
     {5, kQuarter, 2, 1, accidental_code::kSharp}},
    {"Dots", [](const auto& n) { return Make<SetDotsCommand>(n, 1, 2); },
     {5, kQuarter, -1, 2, accidental_code::kSharp}},
    {"Accidental", [](const auto& n) { return Make<SetAccidentalCommand>(n, 1, -3); },
     {5, kQuarter, -1, 1, accidental_code::kNaturalFlat}},
};

class NotePropertyCommandTest : public ::testing::TestWithParam<Case> {};

TEST_P(NotePropertyCommandTest, DoUndoRedo)
{
    const auto note = DottedQuarter();
    const NoteValues before = ValuesOf(*note);
    fakes::FakePainter painter;
    auto command = GetParam().build(note);
    command->SetPainter(&painter);

    command->Do();
    EXPECT_EQ(ValuesOf(*note), GetParam().done);
    command->Undo();
    EXPECT_EQ(ValuesOf(*note), before);
    command->Do();
    EXPECT_EQ(ValuesOf(*note), GetParam().done);
}

INSTANTIATE_TEST_SUITE_P(All, NotePropertyCommandTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& param) {
                             return std::string(param.param.name);
                         });

// A command without a note does nothing rather than failing.
TEST(NotePropertyCommandNoNoteTest, DoesNothing)
{
    SetDotsCommand command;
    command.SetNewValue(2);
    command.Do();
    command.Undo();
}

}  // namespace
}  // namespace quaverly
