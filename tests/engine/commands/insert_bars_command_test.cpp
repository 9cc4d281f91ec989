// Inserting and removing bars in every part, with every bar-keyed entry after the point
// moving along and undo restoring the score exactly.
#include <memory>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "engine/commands/insert_bars_command.h"
#include "engine/editor/score_editor.h"
#include "engine/model/bar.h"
#include "engine/model/container_element.h"
#include "engine/model/line_mark.h"
#include "engine/model/part.h"
#include "tests/support/fake_painter.h"

namespace quaverly {
namespace {

// What the bar-keyed state of the score looks like, for exact comparisons.
struct BarState {
    std::vector<std::vector<const Bar*>> bars;  // per part
    std::vector<int> barIndexes;                // of the first part
    std::vector<int> lineMarkBars;              // of the first part
    std::vector<KeySignatureRecord> keys;
    std::vector<TimeSignatureEntry> times;
    std::vector<TempoMarkRecord> tempos;
    std::set<int> breaks;
    friend bool operator==(const BarState&, const BarState&) = default;
};

class InsertBarsCommandTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (int p = 0; p < 2; ++p) {
            auto container = std::make_shared<ContainerElement>();
            auto part = std::make_shared<Part>();
            container->InsertChild(0, part);
            for (int b = 0; b < 6; ++b) {
                part->InsertChild(b, std::make_shared<Bar>(b));
            }
            editor.score->InsertChild(p, container);
            parts.push_back(part);
        }
        cresc->SetBar(3);
        parts[0]->AddLineMark(cresc);
        early->SetBar(0);
        parts[0]->AddLineMark(early);
        editor.score->SetKeySignature({4, 2, 1});
        editor.score->SetTimeSignature({2, 3, 4, 0});
        editor.score->SetTempoMark({5, 161280, 90});
        editor.score->GetLineBreaks() = {1, 4};
    }

    BarState State() const
    {
        BarState s;
        for (const auto& part : parts) {
            std::vector<const Bar*> bars;
            for (int i = 0; i < part->GetChildCount(); ++i) {
                bars.push_back(static_cast<const Bar*>(part->GetChild(i).get()));
            }
            s.bars.push_back(bars);
        }
        for (int i = 0; i < parts[0]->GetChildCount(); ++i) {
            s.barIndexes.push_back(parts[0]->GetChild(i)->GetIndex());
        }
        for (const auto& mark : parts[0]->GetLineMarks()) {
            s.lineMarkBars.push_back(mark->GetBar());
        }
        s.keys = editor.score->GetKeySignatures();
        s.times = editor.score->GetTimeSignatures();
        s.tempos = editor.score->GetTempoMarks();
        s.breaks = editor.score->GetLineBreaks();
        return s;
    }

    void Run() { editor.RunPendingCommands(painter); }

    ScoreEditor editor;
    fakes::FakePainter painter;
    std::vector<std::shared_ptr<Part>> parts;
    std::shared_ptr<LineMark> cresc = std::make_shared<CrescLine>();
    std::shared_ptr<LineMark> early = std::make_shared<CrescLine>();
};

TEST_F(InsertBarsCommandTest, InsertingBeforeMarksMovesThemAndUndoRestoresExactly)
{
    const BarState before = State();
    auto insert = std::make_unique<InsertBarsCommand>(&editor);
    insert->SetIndex(2);
    insert->SetCount(2);
    editor.AddCommand(std::move(insert));
    Run();

    EXPECT_EQ(editor.GetBarCount(), 8);
    EXPECT_EQ(parts[1]->GetChildCount(), 8);
    EXPECT_EQ(cresc->GetBar(), 5);  // the crescendo moved with its bar
    EXPECT_EQ(early->GetBar(), 0);  // before the point: stays
    ASSERT_EQ(editor.score->GetKeySignatures().size(), before.keys.size());
    EXPECT_TRUE(editor.score->FindKeySignature(6));
    EXPECT_EQ(editor.score->FindKeySignature(6)->GetValue().bar, 6);  // the key change moved
    EXPECT_EQ(editor.score->GetTimeSignatures().back().bar, 4);
    EXPECT_EQ(editor.score->GetTempoMarks().back().position, 7);
    EXPECT_EQ(editor.score->GetLineBreaks(), (std::set<int>{1, 6}));
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(parts[0]->GetChild(i)->GetIndex(), i);
    }

    editor.Undo();
    Run();
    EXPECT_EQ(State(), before);
    editor.Redo();
    Run();
    EXPECT_EQ(cresc->GetBar(), 5);
    EXPECT_EQ(editor.GetBarCount(), 8);
}

TEST_F(InsertBarsCommandTest, RemovingBarsDropsWhatStartsInThemAndUndoBringsTheSameBarsBack)
{
    const BarState before = State();
    auto remove = std::make_unique<RemoveBarsCommand>(&editor);
    remove->Target().SetIndex(3);
    remove->Target().SetCount(2);
    editor.AddCommand(std::move(remove));
    Run();

    EXPECT_EQ(editor.GetBarCount(), 4);
    EXPECT_EQ(parts[1]->GetChildCount(), 4);
    EXPECT_EQ(parts[0]->GetLineMarks().size(), 1u);  // the crescendo of bar 3 went with it
    EXPECT_FALSE(editor.score->FindKeySignature(3) &&
                 editor.score->FindKeySignature(3)->GetValue().bar == 4);
    EXPECT_EQ(editor.score->GetTempoMarks().back().position, 3);  // bar 5 became bar 3
    EXPECT_EQ(editor.score->GetLineBreaks(), (std::set<int>{1}));
    // Nothing is left pointing past the end.
    for (const auto& mark : parts[0]->GetLineMarks()) {
        EXPECT_LT(mark->GetBar(), editor.GetBarCount());
    }

    editor.Undo();
    Run();
    EXPECT_EQ(State(), before);  // the same bar objects, the same tables
    editor.Redo();
    Run();
    EXPECT_EQ(editor.GetBarCount(), 4);
}

TEST_F(InsertBarsCommandTest, OutOfRangeRequestsChangeNothing)
{
    const BarState before = State();
    struct Case {
        int index;
        int count;
    };
    for (const Case c : {Case{-1, 1}, Case{7, 1}, Case{2, 0}, Case{2, -3}}) {
        SCOPED_TRACE(c.index);
        auto insert = std::make_unique<InsertBarsCommand>(&editor);
        insert->SetIndex(c.index);
        insert->SetCount(c.count);
        editor.AddCommand(std::move(insert));
        Run();
        EXPECT_EQ(State(), before);
    }
}

}  // namespace
}  // namespace quaverly
