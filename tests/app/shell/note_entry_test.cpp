// The note-entry commands and the keyboard command table with a recording editor: the
// toggles and what they apply to the selection, the update rules, the tuplet dialog, and
// keys from a shortcut file matched exactly, by any modifiers or by scan code.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <string>

#include "app/dialogs/tuplet_number_dlg.h"
#include "app/shell/key_command.h"
#include "platform/dialog_base.h"
#include "platform/scripted_dialog_service.h"
#include "view_input_fixture.h"

namespace view_input_test {
namespace {

struct Binding {
    const char* section;
    int systemKey;
    int virtualKey;
    int scanCode = 0;
    bool extended = false;
    bool useScanCode = false;
};

class NoteEntryTest : public ViewInputTest {
protected:
    // A shortcut file holding the given bindings; every other section is missing.
    void Bind(const std::vector<Binding>& bindings)
    {
        std::string text;
        for (const Binding& b : bindings) {
            text += std::string("[") + b.section + "]\r\nSystem Key=" + std::to_string(b.systemKey) +
                    "\r\nVirtual Key=" + std::to_string(b.virtualKey) + "\r\nScan Code=" + std::to_string(b.scanCode) +
                    "\r\nExtend Scan Code=" + (b.extended ? "TRUE" : "FALSE") +
                    "\r\nUsing Scan Code=" + (b.useScanCode ? "TRUE" : "FALSE") + "\r\n";
        }
        const QString path = dir_.filePath(QStringLiteral("Shortcut.ini"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.c_str());
        file.close();
        view_->LoadKeyCommands(path.toStdU16String());
    }

    platform::CommandUI Update(int id)
    {
        platform::CommandUI ui(id);
        view_->OnUpdateCommand(ui);
        return ui;
    }

    QTemporaryDir dir_;
};

// ---- commands ----------------------------------------------------------------------------

TEST_F(NoteEntryTest, ChoosingTheEighthTwiceReturnsToTheQuarterAndSoDoTheSelectedNotes)
{
    ShowScore();
    view_->OnCommand(174);
    EXPECT_EQ(view_->NoteValue(), 80640);
    view_->OnCommand(174);
    EXPECT_EQ(view_->NoteValue(), 161280);
    EXPECT_EQ(editor_.calls, (std::vector<std::string>{"SetNoteValue 80640", "SetNoteValue 161280"}));
}

TEST_F(NoteEntryTest, ValueCommandsToggleToTheirNeutralValueExceptTheQuarterAndTheMiddleOctave)
{
    ShowScore();
    struct Case {
        int id;
        int (CBrindleView::*field)() const;
        int value;
        int second;  // the value after choosing the command again
        const char* applied;
    };
    const Case cases[] = {
        {171, &CBrindleView::NoteValue, 645120, 161280, "SetNoteValue"},
        {173, &CBrindleView::NoteValue, 161280, 161280, "SetNoteValue"},
        {186, &CBrindleView::NoteValue, 5040, 161280, "SetNoteValue"},
        {32785, &CBrindleView::NoteDots, 2, 0, "SetDots"},
        {32840, &CBrindleView::NoteOctave, 3, 0, "SetOctave"},
        {32781, &CBrindleView::NoteOctave, 0, 0, "SetOctave"},
        {32841, &CBrindleView::NoteOctave, -3, 0, "SetOctave"},
        {32787, &CBrindleView::NoteAccidental, 2, 0, "SetAccidental"},
        {180, &CBrindleView::NoteAccidental, 4, 0, "SetAccidental"},
        {32788, &CBrindleView::NoteAccidental, -2, 0, "SetAccidental"},
        {32805, &CBrindleView::GraceKind, 2, 0, nullptr},
        {169, &CBrindleView::NotePitch, 8, 8, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        editor_.calls.clear();
        view_->OnCommand(c.id);
        EXPECT_EQ((view_.get()->*c.field)(), c.value);
        view_->OnCommand(c.id);
        EXPECT_EQ((view_.get()->*c.field)(), c.second);
        const std::vector<std::string> applied =
            c.applied ? std::vector<std::string>{std::string(c.applied) + " " + std::to_string(c.value),
                                                 std::string(c.applied) + " " + std::to_string(c.second)}
                      : std::vector<std::string>{};
        EXPECT_EQ(editor_.calls, applied);
    }
}

TEST_F(NoteEntryTest, SharpWhileAFlatIsSetGivesASharp)
{
    ShowScore();
    view_->OnCommand(179);
    view_->OnCommand(178);
    EXPECT_EQ(view_->NoteAccidental(), 1);
}

TEST_F(NoteEntryTest, WithAGraceModeOnValuesChangeTheNextNoteOnly)
{
    ShowScore();
    view_->OnCommand(32804);
    view_->OnCommand(176);
    view_->OnCommand(32827);
    view_->OnCommand(32784);
    view_->OnCommand(178);
    EXPECT_TRUE(editor_.calls.empty());
    view_->QueueNoteInput();
    Settle();
    EXPECT_EQ(editor_.Calls("InputNote"), std::vector<std::string>{"InputNote 2 1 40320 1 1 1 0"});
}

TEST_F(NoteEntryTest, DotsHoldForOneNoteAndTheButtonShowsItAfterwards)
{
    ShowScore();
    view_->OnCommand(32784);
    EXPECT_EQ(Update(32784).Checked(), true);
    view_->QueueNoteInput();
    view_->QueueNoteInput();
    EXPECT_EQ(view_->NoteDots(), 0);
    EXPECT_EQ(Update(32784).Checked(), false);
    Settle();
    EXPECT_EQ(editor_.Calls("InputNote"),
              (std::vector<std::string>{"InputNote 2 0 161280 1 0 0 0", "InputNote 2 0 161280 0 0 0 0"}));
}

TEST_F(NoteEntryTest, UpdateRulesWithAndWithoutAScore)
{
    // The chosen values: degree Re, an eighth, one dot, octave high, a flat, grace before.
    for (int id : {150, 174, 32784, 32827, 179, 32804})
        view_->OnCommand(id);
    struct Case {
        int id;
        bool enabledWithout;
        bool checkedWithout;
        bool checkedWith;
    };
    const Case cases[] = {
        {150, true, true, true},     {146, true, false, false},  // degrees never greyed
        {174, false, false, true},   {173, false, false, false}, // note values
        {32784, false, false, true}, {32827, false, false, true}, // dots, octaves lose the check
        {32804, false, true, true},  {32805, false, false, false}, // grace keeps it
        {179, false, true, true},    {178, false, false, false},  // accidentals keep it
        {32789, false, false, false}, {108, false, false, false}, {32791, false, false, false},
        {32846, false, false, false}, {32847, false, false, false},
    };
    for (bool score : {false, true}) {
        if (score)
            ShowScore();
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(c.id) + (score ? " with a score" : " without"));
            const platform::CommandUI ui = Update(c.id);
            EXPECT_EQ(ui.Enabled(), score || c.enabledWithout);
            EXPECT_EQ(ui.Checked().value_or(false), score ? c.checkedWith : c.checkedWithout);
        }
    }
}

TEST_F(NoteEntryTest, TieTripletAndNoteSizesCallTheEditor)
{
    ShowScore();
    for (int id : {32789, 108, 32846, 32847})
        view_->OnCommand(id);
    EXPECT_EQ(editor_.calls, (std::vector<std::string>{"ToggleTie", "MakeTuplet 3 2", "EnlargeNote", "ShrinkNote"}));
}

TEST_F(NoteEntryTest, TupletDialogNumberGivesTheNotesAndTheirNormalCount)
{
    ShowScore();
    platform::ScriptedDialogService script;
    platform::ScopedDialogService scoped(script);
    struct Case {
        std::u16string text;
        bool ok;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {u"5", true, {"MakeTuplet 5 4"}},
        {u"9", true, {"MakeTuplet 9 8"}},
        {u"3", false, {}},  // cancelled
        {u"2", true, {}},   // the dialog refuses it: no tuplet
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        editor_.calls.clear();
        script.AnswerModal([&](platform::DialogBase& d) {
            d.SetDlgItemText(brindle::CTupletNumberDlg::kIdNumber, c.text);
            d.ClickButton(c.ok ? platform::kIdOk : platform::kIdCancel);
        });
        view_->OnCommand(32791);
        EXPECT_EQ(editor_.calls, c.calls);
    }
}

// ---- the key table -------------------------------------------------------------------------

TEST_F(NoteEntryTest, TwoRowsOnOneKeyBothRunInListOrderAfterTheEditor)
{
    ShowScore();
    Bind({{"DURATION EIGHT", 0, 'A'}, {"DO", 0, 'A'}});
    view_->Key('A');
    Settle();
    // The note value changes first, then the note goes in with it.
    const std::vector<std::string> expected = {"OnKeyDown 65 0", "SetNoteValue 80640", "InputNote 2 0 80640 0 0 0 0"};
    std::vector<std::string> seen = editor_.calls;
    std::erase(seen, "Run");
    EXPECT_EQ(seen, expected);
}

TEST_F(NoteEntryTest, ExactMatchAgainstAnyModifierMatch)
{
    ShowScore();
    Bind({{"DURATION HALF", 0, 'H'}, {"DURATION WHOLE", 3, 'W'}, {"SOL", 0, '5'}});
    struct Case {
        int key;
        int modifiers;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {'H', 0, {"SetNoteValue 322560"}},
        {'H', platform::kModShift, {}},  // bound without modifiers: not with Shift
        {'W', platform::kModControl, {}},
        {'W', platform::kModControl | platform::kModShift | platform::kModAlt, {}},
        {'W', platform::kModControl | platform::kModShift, {"SetNoteValue 645120"}},
        {'5', platform::kModShift, {"InputNote 6 0 161280 0 0 0 2"}},  // a degree takes any
        {'5', platform::kModControl | platform::kModAlt, {"InputNote 6 0 161280 0 0 0 5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.key) + "/" + std::to_string(c.modifiers));
        view_->OnCommand(173);  // back to the quarter
        editor_.calls.clear();
        view_->Key(c.key, c.modifiers);
        Settle();
        std::vector<std::string> seen;
        for (const auto& call : editor_.calls)
            if (call != "Run" && call.rfind("OnKeyDown", 0) != 0)
                seen.push_back(call);
        EXPECT_EQ(seen, c.calls);
        EXPECT_EQ(editor_.Calls("OnKeyDown"),
                  std::vector<std::string>{"OnKeyDown " + std::to_string(c.key) + " " + std::to_string(c.modifiers)});
    }
}

TEST_F(NoteEntryTest, MainEnterAndNumericPadEnterAreToldApartByTheExtendedBit)
{
    ShowScore();
    // Both by scan code 0x1C; the pad's Enter carries the extended bit.
    Bind({{"REST", 0, 0, 0x1C, false, true}, {"DOT ONE", 0, 0, 0x1C, true, true}});
    view_->Key(platform::kVkReturn, 0, 0x1C);
    Settle();
    EXPECT_EQ(editor_.Calls("InputNote"), std::vector<std::string>{"InputNote 1 0 161280 0 0 0 0"});
    EXPECT_TRUE(editor_.Calls("SetDots").empty());
    editor_.calls.clear();
    view_->Key(platform::kVkReturn, 0, 0x1C | platform::kKfExtended);
    Settle();
    EXPECT_TRUE(editor_.Calls("InputNote").empty());
    EXPECT_EQ(editor_.Calls("SetDots"), std::vector<std::string>{"SetDots 1"});
}

TEST_F(NoteEntryTest, StepKeysStopAtTheEndsOfTheirRanges)
{
    ShowScore();
    Bind({{"DURATION PLUS", 0, 'P'}, {"DURATION MINUS", 0, 'M'}, {"OCTIVE PLUS", 0, 'U'}, {"OCTIVE MINUS", 0, 'D'}});
    view_->Key('P');
    view_->Key('P');
    EXPECT_EQ(view_->NoteValue(), 645120);
    view_->Key('P');
    EXPECT_EQ(view_->NoteValue(), 645120);
    for (int i = 0; i < 8; ++i)
        view_->Key('M');
    EXPECT_EQ(view_->NoteValue(), 5040);
    for (int i = 0; i < 5; ++i)
        view_->Key('U');
    EXPECT_EQ(view_->NoteOctave(), 3);
    for (int i = 0; i < 8; ++i)
        view_->Key('D');
    EXPECT_EQ(view_->NoteOctave(), -3);
    // These change the view's choice only, never the selection.
    EXPECT_TRUE(editor_.Calls("Set").empty());
}

TEST_F(NoteEntryTest, AKeyTheEditorUsesStillRunsItsCommandAfterTheEditor)
{
    ShowScore();
    Bind({{"TIE", 0, platform::kVkLeft}});
    view_->Key(platform::kVkLeft);
    EXPECT_EQ(editor_.calls, (std::vector<std::string>{"OnKeyDown 37 0", "ToggleTie"}));
}

TEST_F(NoteEntryTest, AMissingFileGivesCommandsThatNeverMatch)
{
    ShowScore();
    view_->LoadKeyCommands(dir_.filePath(QStringLiteral("none.ini")).toStdU16String());
    EXPECT_EQ(view_->KeyCommands().size(), 38u);
    view_->Key(0);
    view_->Key('1');
    EXPECT_EQ(editor_.calls, (std::vector<std::string>{"OnKeyDown 0 0", "OnKeyDown 49 0"}));
}

TEST_F(NoteEntryTest, KeysWithTheMouseInputToolReachNeitherEditorNorTable)
{
    ShowScore();
    Bind({{"DO", 0, '1'}});
    view_->OnCommand(32843);
    editor_.calls.clear();
    view_->Key('1');
    Settle();
    EXPECT_TRUE(editor_.Calls("OnKeyDown").empty());
    EXPECT_TRUE(editor_.Calls("InputNote").empty());
}

}  // namespace
}  // namespace view_input_test
