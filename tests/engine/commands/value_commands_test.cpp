// The value-setting and layout-map commands: Do, Undo and Redo land exactly on the
// values the builder gave, whatever the element held in between, and an empty or
// missing target changes nothing.
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/commands/layout_map_commands.h"
#include "engine/commands/value_commands.h"
#include "engine/editor/score_editor.h"
#include "engine/layout/system_node.h"
#include "engine/model/bar.h"
#include "engine/model/barline.h"
#include "engine/model/barline_mark.h"
#include "engine/model/decorator.h"
#include "engine/model/line_mark.h"
#include "engine/model/page_text.h"
#include "engine/model/part.h"
#include "engine/model/part_group.h"
#include "engine/model/score.h"
#include "tests/engine/layout/layout_test_score.h"
#include "tests/support/fake_painter.h"

namespace quaverly {
namespace {

using layout_test::BarOf;
using layout_test::MakeScore;

std::shared_ptr<Part> PartOf(const Score& score, int p)
{
    return std::dynamic_pointer_cast<Part>(score.GetChild(p)->GetChild(0));
}

// A small document every case acts on, with a snapshot of every value a command of
// this family can touch.
struct Fixture {
    ScoreEditor editor;
    std::shared_ptr<Score> score = editor.score;
    std::shared_ptr<SystemNode> system = std::make_shared<SystemNode>(editor.score);
    std::shared_ptr<LineMark> mark = std::make_shared<LineMark>();
    std::shared_ptr<PageText> pageText = std::make_shared<PageText>();
    std::shared_ptr<PartGroup> group = std::make_shared<PartGroup>();

    Fixture()
    {
        const auto built = MakeScore(2, 3);
        while (built->GetChildCount() > 0) {
            auto child = built->GetChild(0);
            built->RemoveChild(0);
            score->AppendChild(child);
        }
        score->AddPartGroup(group);
        score->GetLineBreaks() = {2, 5};
        score->GetBarsPerLine() = {{1, 4}, {3, 2}};
        score->GetLinesPerPage() = {{0, 5}};
        PartOf(*score, 0)->SetStaffSize(1219.0);
        PartOf(*score, 0)->SetVerseOffset(2, 300);
        BarOf(*score, 0, 1)->GetBarline(1)->SetType(3);
        BarOf(*score, 1, 2)->SetDecorator(std::make_shared<Decorator>());
        mark->SetOffset({5, 6});
    }

    std::string Snapshot() const
    {
        std::ostringstream out;
        for (int p = 0; p < score->GetChildCount(); ++p) {
            const auto part = PartOf(*score, p);
            out << "part" << p << " size " << part->GetStaffSize() << " verses";
            for (int v = 0; v < Part::kVerseCount; ++v)
                out << ' ' << part->GetVerseOffset(v);
            for (int b = 0; b < part->GetChildCount(); ++b) {
                const auto bar = BarOf(*score, p, b);
                out << " | bar" << b << " adj " << bar->GetManualAdjust() << " lines "
                    << bar->GetBarline(0)->GetType() << '/' << bar->GetBarline(1)->GetType()
                    << " marks " << bar->GetBarline(0)->GetMarkValue() << '/'
                    << bar->GetBarline(1)->GetMarkValue() << " deco "
                    << bar->GetDecorator().get() << " offset " << bar->GetOffset().x << ','
                    << bar->GetOffset().y;
            }
            out << '\n';
        }
        const Point right = system->GetRightOffset();
        out << "system right " << right.x << ',' << right.y << '\n';
        out << "mark " << mark->GetBar() << ' ' << mark->GetTimePosition() << ' '
            << mark->GetOffset().x << ',' << mark->GetOffset().y << ' ' << mark->GetDuration()
            << ' ' << mark->GetRadian() << '\n';
        out << "page text " << pageText->GetPage() << '\n';
        out << "groups";
        for (const auto& g : score->GetPartGroups())
            out << ' ' << g.get() << ':' << g->GetFirstPart() << '-' << g->GetLastPart();
        out << "\nbreaks";
        for (int bar : score->GetLineBreaks())
            out << ' ' << bar;
        out << "\nbars per line";
        for (const auto& [key, value] : score->GetBarsPerLine())
            out << ' ' << key << '=' << value;
        out << "\nlines per page";
        for (const auto& [key, value] : score->GetLinesPerPage())
            out << ' ' << key << '=' << value;
        return out.str();
    }
};

struct Case {
    const char* name;
    // Builds the command on the fixture; the old values are those the fixture holds.
    std::function<std::shared_ptr<EditCommand>(Fixture&)> build;
    // Whether Do changes the snapshot at all.
    bool changes = true;
};

const std::vector<Case>& Cases()
{
    static const std::vector<Case> cases = {
        {"offset",
         [](Fixture& f) {
             auto c = std::make_shared<SetElementOffsetCommand>();
             c->SetOldOffset({0, 0});
             c->SetNewOffset({40, -20});
             c->SetElement(BarOf(*f.score, 0, 0));
             return c;
         }},
        {"right offset",
         [](Fixture& f) {
             auto c = std::make_shared<SetStaffPairValueCommand>();
             c->SetOldOffset({0, 0});
             c->SetNewOffset({-300, 7});
             c->SetSystem(f.system);
             return c;
         }},
        {"staff size",
         [](Fixture& f) {
             auto c = std::make_shared<SetStaffSizeCommand>();
             c->SetOldSize(1219.0);
             c->SetNewSize(1777.5);
             c->SetPart(PartOf(*f.score, 0));
             return c;
         }},
        {"verse offset",
         [](Fixture& f) {
             auto c = std::make_shared<SetPartIndexedValueCommand>();
             c->SetVerse(2);
             c->SetOldOffset(300);
             c->SetNewOffset(450);
             c->SetPart(PartOf(*f.score, 0));
             return c;
         }},
        {"bar width",
         [](Fixture& f) {
             auto c = std::make_shared<SetBarValueCommand>();
             c->SetOldFactor(0.0f);
             c->SetNewFactor(1.25f);
             c->SetBar(BarOf(*f.score, 1, 1));
             return c;
         }},
        {"barline mark value",
         [](Fixture& f) {
             auto c = std::make_shared<SetElementStyleCommand>();
             c->SetOldValue(0);
             c->SetNewValue(7);
             c->SetElement(BarOf(*f.score, 0, 2)->GetBarline(1)->GetMark());
             return c;
         }},
        {"page text page",
         [](Fixture& f) {
             auto c = std::make_shared<SetElementStyleCommand>();
             c->SetOldValue(f.pageText->GetPage());
             c->SetNewValue(3);
             c->SetElement(f.pageText);
             return c;
         }},
        {"style of another element",
         [](Fixture& f) {
             auto c = std::make_shared<SetElementStyleCommand>();
             c->SetNewValue(3);
             c->SetElement(BarOf(*f.score, 0, 0));
             return c;
         },
         false},
        {"barline types of two bars",
         [](Fixture& f) {
             auto c = std::make_shared<SetBarlineTypeCommand>();
             c->SetOldType(1);
             c->SetNewType(4);
             c->SetSide(1);
             c->AppendBar(BarOf(*f.score, 0, 0));
             c->AppendBar(BarOf(*f.score, 1, 0));
             return c;
         }},
        {"left barline type",
         [](Fixture& f) {
             auto c = std::make_shared<SetBarlineTypeCommand>();
             c->SetOldType(0);
             c->SetNewType(5);
             c->SetSide(0);
             c->AppendBar(BarOf(*f.score, 0, 2));
             return c;
         }},
        {"barline types of no bar",
         [](Fixture&) {
             auto c = std::make_shared<SetBarlineTypeCommand>();
             c->SetNewType(4);
             return c;
         },
         false},
        {"repeat values",
         [](Fixture& f) {
             auto c = std::make_shared<SetBarRepeatCommand>();
             c->SetOldValue(0);
             c->SetNewValue(9);
             c->SetSide(1);
             c->AppendBar(BarOf(*f.score, 0, 1));
             c->AppendBar(BarOf(*f.score, 1, 1));
             return c;
         }},
        {"move line mark",
         [](Fixture& f) {
             auto c = std::make_shared<MoveLineMarkCommand>();
             c->SetOldPlace({0, 0, {5, 6}});
             c->SetNewPlace({2, 80640, {-10, 30}});
             c->SetLineMark(f.mark);
             return c;
         }},
        {"reshape line mark",
         [](Fixture& f) {
             auto c = std::make_shared<ReshapeLineMarkCommand>();
             c->SetOldShape(161280, 0.0f);
             c->SetNewShape(483840, 0.5f);
             c->SetLineMark(f.mark);
             return c;
         }},
        {"first part bound by default",
         [](Fixture& f) {
             auto c = std::make_shared<SetPartGroupBoundCommand>();
             c->SetOldPart(0);
             c->SetNewPart(1);
             c->SetPartGroup(f.group);
             return c;
         }},
        {"last part bound",
         [](Fixture& f) {
             auto c = std::make_shared<SetPartGroupBoundCommand>();
             c->SetFirstBound(false);
             c->SetOldPart(0);
             c->SetNewPart(1);
             c->SetPartGroup(f.group);
             return c;
         }},
        {"add part group",
         [](Fixture& f) {
             auto c = std::make_shared<AddPartGroupCommand>();
             c->SetScore(f.score);
             c->SetPartGroup(std::make_shared<PartGroup>());
             return c;
         }},
        {"remove part group",
         [](Fixture& f) {
             auto c = std::make_shared<RemovePartGroupCommand>();
             c->Target().SetScore(f.score);
             c->Target().SetPartGroup(f.group);
             return c;
         }},
        {"add bar number",
         [](Fixture& f) {
             auto c = std::make_shared<AddBarIndexCommand>();
             c->SetDecorator(std::make_shared<Decorator>());
             c->SetBar(BarOf(*f.score, 0, 0));
             return c;
         }},
        {"remove bar number",
         [](Fixture& f) {
             auto c = std::make_shared<RemoveBarIndexCommand>();
             c->Target().SetDecorator(BarOf(*f.score, 1, 2)->GetDecorator());
             c->Target().SetBar(BarOf(*f.score, 1, 2));
             return c;
         }},
        {"add line break",
         [](Fixture& f) {
             auto c = std::make_shared<AddLineBreakCommand>(&f.editor);
             c->SetBar(3);
             return c;
         }},
        {"remove line break",
         [](Fixture& f) {
             auto c = std::make_shared<RemoveLineBreakCommand>(&f.editor);
             c->SetBar(5);
             return c;
         }},
        {"add bars per line",
         [](Fixture& f) {
             auto c = std::make_shared<AddBarsPerLineCommand>(&f.editor);
             c->SetEntry(2, 6);
             return c;
         }},
        {"remove bars per line",
         [](Fixture& f) {
             auto c = std::make_shared<RemoveBarsPerLineCommand>(&f.editor);
             c->SetEntry(3, 2);
             return c;
         }},
        {"change bars per line",
         [](Fixture& f) {
             auto c = std::make_shared<ChangeBarsPerLineCommand>(&f.editor);
             c->SetUndoMap(f.score->GetBarsPerLine());
             c->SetDoMap({{0, 3}, {7, 1}, {8, 9}});
             return c;
         }},
        {"add lines per page",
         [](Fixture& f) {
             auto c = std::make_shared<AddPageLinesCommand>();
             c->SetEntry(2, 4);
             c->SetScore(f.score);
             return c;
         }},
        {"remove lines per page",
         [](Fixture& f) {
             auto c = std::make_shared<RemovePageLinesCommand>();
             c->SetEntry(0, 5);
             c->SetScore(f.score);
             return c;
         }},
    };
    return cases;
}

TEST(ValueCommands, DoUndoRedoRestoreTheModelExactly)
{
    fakes::FakePainter painter;
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        Fixture f;
        const auto command = c.build(f);
        command->SetPainter(&painter);
        const std::string before = f.Snapshot();

        command->Do();
        const std::string done = f.Snapshot();
        if (c.changes)
            EXPECT_NE(done, before);
        else
            EXPECT_EQ(done, before);

        command->Undo();
        EXPECT_EQ(f.Snapshot(), before);
        command->Do();
        EXPECT_EQ(f.Snapshot(), done);
        command->Undo();
        EXPECT_EQ(f.Snapshot(), before);
    }
}

// Neither direction reads the element: a drag in between changes nothing about where
// Do and Undo put it.
TEST(ValueCommands, OffsetIgnoresWhatADragLeftBehind)
{
    auto element = std::make_shared<Bar>(0);
    SetElementOffsetCommand command;
    command.SetOldOffset({1, 2});
    command.SetNewOffset({30, 40});
    command.SetElement(element);
    command.Do();
    element->SetOffset({99, 99});
    command.Undo();
    EXPECT_EQ(element->GetOffset(), (Point{1, 2}));
    element->SetOffset({-5, -5});
    command.Do();
    EXPECT_EQ(element->GetOffset(), (Point{30, 40}));
}

TEST(ValueCommands, CommandsWithoutTargetDoNothing)
{
    const std::vector<std::shared_ptr<EditCommand>> commands = {
        std::make_shared<SetElementOffsetCommand>(), std::make_shared<SetStaffPairValueCommand>(),
        std::make_shared<SetStaffSizeCommand>(), std::make_shared<SetPartIndexedValueCommand>(),
        std::make_shared<SetBarValueCommand>(), std::make_shared<SetElementStyleCommand>(),
        std::make_shared<MoveLineMarkCommand>(), std::make_shared<ReshapeLineMarkCommand>(),
        std::make_shared<SetPartGroupBoundCommand>(), std::make_shared<AddPartGroupCommand>(),
        std::make_shared<AddBarIndexCommand>(), std::make_shared<AddLineBreakCommand>(nullptr),
        std::make_shared<AddBarsPerLineCommand>(nullptr),
        std::make_shared<ChangeBarsPerLineCommand>(nullptr),
        std::make_shared<AddPageLinesCommand>()};
    for (const auto& command : commands) {
        command->Do();
        command->Undo();
    }
}

TEST(LayoutMapCommands, LineBreakAddedAndUndoneOnASetWithoutItLeavesTheSet)
{
    ScoreEditor editor;
    editor.score->GetLineBreaks() = {4, 8};
    AddLineBreakCommand command(&editor);
    command.SetBar(6);
    command.Do();
    command.Do();
    EXPECT_EQ(editor.score->GetLineBreaks(), (std::set<int>{4, 6, 8}));
    command.Undo();
    EXPECT_EQ(editor.score->GetLineBreaks(), (std::set<int>{4, 8}));
}

// Undo gives a key what it held before the change: its earlier value, or no entry; the
// removal forms put back the entry they took. Each command is done twice before the
// undo, as a redo after a redo would.
TEST(LayoutMapCommands, UndoGivesEachKeyWhatItHeldBefore)
{
    using Map = std::map<int, int>;
    // One of the score's three layout containers, read and written as a map (a line
    // break is a key with the value 1).
    struct Table {
        std::function<Map(const Score&)> read;
        std::function<void(Score&, const Map&)> write;
    };
    const Table bars{[](const Score& s) { return s.GetBarsPerLine(); },
                     [](Score& s, const Map& m) { s.GetBarsPerLine() = m; }};
    const Table lines{[](const Score& s) { return s.GetLinesPerPage(); },
                      [](Score& s, const Map& m) { s.GetLinesPerPage() = m; }};
    const Table breaks{[](const Score& s) {
                           Map m;
                           for (int bar : s.GetLineBreaks())
                               m[bar] = 1;
                           return m;
                       },
                       [](Score& s, const Map& m) {
                           for (const auto& entry : m)
                               s.GetLineBreaks().insert(entry.first);
                       }};
    using Make = std::function<std::shared_ptr<EditCommand>(ScoreEditor&)>;
    const auto barsEntry = [](int key, int value) -> Make {
        return [key, value](ScoreEditor& e) {
            auto c = std::make_shared<AddBarsPerLineCommand>(&e);
            c->SetEntry(key, value);
            return c;
        };
    };
    const auto linesEntry = [](int key, int value) -> Make {
        return [key, value](ScoreEditor& e) {
            auto c = std::make_shared<AddPageLinesCommand>();
            c->SetScore(e.score);
            c->SetEntry(key, value);
            return c;
        };
    };
    const auto lineBreak = [](int bar) -> Make {
        return [bar](ScoreEditor& e) {
            auto c = std::make_shared<AddLineBreakCommand>(&e);
            c->SetBar(bar);
            return c;
        };
    };
    struct Case {
        const char* name;
        Make make;
        const Table& table;
        Map before;
        Map done;
    };
    const Case cases[] = {
        {"bars per line, new key", barsEntry(3, 2), bars, {{1, 4}}, {{1, 4}, {3, 2}}},
        {"bars per line, key there", barsEntry(1, 2), bars, {{1, 4}}, {{1, 2}}},
        {"bars per line removed",
         [](ScoreEditor& e) {
             auto c = std::make_shared<RemoveBarsPerLineCommand>(&e);
             c->SetEntry(1, 4);
             return c;
         },
         bars, {{1, 4}, {2, 3}}, {{2, 3}}},
        {"lines per page, new key", linesEntry(2, 3), lines, {{0, 5}}, {{0, 5}, {2, 3}}},
        {"lines per page, key there", linesEntry(0, 3), lines, {{0, 5}}, {{0, 3}}},
        {"lines per page removed",
         [](ScoreEditor& e) {
             auto c = std::make_shared<RemovePageLinesCommand>();
             c->SetScore(e.score);
             c->SetEntry(0, 5);
             return c;
         },
         lines, {{0, 5}}, {}},
        {"line break, new bar", lineBreak(6), breaks, {{4, 1}}, {{4, 1}, {6, 1}}},
        {"line break, bar there", lineBreak(4), breaks, {{4, 1}}, {{4, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScoreEditor editor;
        c.table.write(*editor.score, c.before);
        const auto command = c.make(editor);
        command->Do();
        command->Do();
        EXPECT_EQ(c.table.read(*editor.score), c.done);
        command->Undo();
        EXPECT_EQ(c.table.read(*editor.score), c.before);
        command->Do();
        EXPECT_EQ(c.table.read(*editor.score), c.done);
        command->Undo();
        EXPECT_EQ(c.table.read(*editor.score), c.before);
    }
}

TEST(LayoutMapCommands, EntryWithAKeyAlreadyThereReplacesItsValue)
{
    ScoreEditor editor;
    editor.score->GetBarsPerLine() = {{1, 4}, {2, 4}};
    editor.score->GetLinesPerPage() = {{0, 5}};
    AddBarsPerLineCommand bars(&editor);
    bars.SetEntry(2, 7);
    bars.Do();
    EXPECT_EQ(editor.score->GetBarsPerLine(), (std::map<int, int>{{1, 4}, {2, 7}}));
    AddPageLinesCommand lines;
    lines.SetScore(editor.score);
    lines.SetEntry(0, 3);
    lines.Do();
    EXPECT_EQ(editor.score->GetLinesPerPage(), (std::map<int, int>{{0, 3}}));
}

TEST(LayoutMapCommands, WholeMapReplacementKeepsTheScoresMapObject)
{
    ScoreEditor editor;
    std::map<int, int>& held = editor.score->GetBarsPerLine();
    held = {{1, 4}};
    ChangeBarsPerLineCommand command(&editor);
    command.SetUndoMap(held);
    std::map<int, int> next{{1, 2}, {2, 2}};
    command.SetDoMap(next);
    next[5] = 5;  // the command holds its own copy
    command.Do();
    EXPECT_EQ(&editor.score->GetBarsPerLine(), &held);
    EXPECT_EQ(held, (std::map<int, int>{{1, 2}, {2, 2}}));
    command.Undo();
    EXPECT_EQ(held, (std::map<int, int>{{1, 4}}));
}

}  // namespace
}  // namespace quaverly
