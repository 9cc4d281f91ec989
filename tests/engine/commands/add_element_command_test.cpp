// The element-list commands: each one puts the same object into its owner's list, takes
// it out on undo and puts the very same object back on redo; its removal form does the
// reverse.
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/commands/add_element_command.h"
#include "engine/commands/replace_note_data_command.h"
#include "engine/model/note_factory.h"
#include "engine/model/note_styles.h"

namespace quaverly {
namespace {

template <class List, class Item>
bool Holds(const List& list, const std::shared_ptr<Item>& item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

// One kind of list: makes a fresh owner and item, an add and a remove command for them,
// and says whether the owner's list holds the item now.
struct ListCase {
    std::string name;
    std::function<void(std::unique_ptr<EditCommand>& add, std::unique_ptr<EditCommand>& remove,
                       std::function<bool()>& holds)>
        make;
};

template <class Ops, class HoldsFn>
ListCase MakeCase(std::string name, std::function<std::shared_ptr<typename Ops::Target>()> target,
                  std::function<std::shared_ptr<typename Ops::Item>()> item, HoldsFn holdsFn)
{
    return {std::move(name), [=](std::unique_ptr<EditCommand>& add, std::unique_ptr<EditCommand>& remove,
                                 std::function<bool()>& holds) {
                auto owner = target();
                auto element = item();
                auto adder = std::make_unique<AddElementCommand<Ops>>();
                adder->SetTarget(owner);
                adder->SetItem(element);
                auto remover = std::make_unique<InverseCommand<AddElementCommand<Ops>>>();
                remover->Target().SetTarget(owner);
                remover->Target().SetItem(element);
                add = std::move(adder);
                remove = std::move(remover);
                holds = [owner, element, holdsFn] { return holdsFn(*owner, element); };
            }};
}

std::vector<ListCase> Cases()
{
    namespace ops = element_list_ops;
    auto note = [] { return CreateNote(1); };
    return {
        MakeCase<ops::GraceNotes>(
            "grace note", [] { return std::make_shared<GraceNoteList>(GraceSide::kBefore); }, note,
            [](const GraceNoteList& l, const std::shared_ptr<Note>& n) { return Holds(l.GetNotes(), n); }),
        MakeCase<ops::ChordNotes>(
            "chord note", [] { return std::make_shared<ChordNoteList>(); }, note,
            [](const ChordNoteList& l, const std::shared_ptr<Note>& n) { return Holds(l.GetNotes(), n); }),
        MakeCase<ops::Articulations>(
            "articulation", note, [] { return std::make_shared<NoteSymbol>(3, 1); },
            [](const Note& n, const std::shared_ptr<NoteSymbol>& s) { return Holds(n.GetOrnaments(), s); }),
        MakeCase<ops::LineMarks>(
            "line mark", [] { return std::make_shared<Part>(); }, [] { return std::make_shared<CrescLine>(); },
            [](const Part& p, const std::shared_ptr<LineMark>& m) { return Holds(p.GetLineMarks(), m); }),
        MakeCase<ops::Dynamics>(
            "dynamic", [] { return std::make_shared<Bar>(0); }, [] { return std::make_shared<DynamicMark>(); },
            [](const Bar& b, const std::shared_ptr<DynamicMark>& m) { return Holds(b.GetDirections(), m); }),
        MakeCase<ops::NoteSymbols>(
            "note symbol", note, [] { return std::make_shared<SymbolMark>(); },
            [](const Note& n, const std::shared_ptr<SymbolMark>& s) { return Holds(n.GetSymbols(), s); }),
        MakeCase<ops::BarSymbols>(
            "bar symbol", [] { return std::make_shared<Barline>(); }, [] { return std::make_shared<SymbolMark>(); },
            [](const Barline& b, const std::shared_ptr<SymbolMark>& s) { return Holds(b.GetSymbols(), s); }),
        MakeCase<ops::PageTexts>(
            "page text", [] { return std::make_shared<Score>(); }, [] { return std::make_shared<PageText>(); },
            [](const Score& s, const std::shared_ptr<PageText>& t) { return Holds(s.GetPageTexts(), t); }),
    };
}

TEST(AddElementCommandTest, AddUndoRedoAndTheRemovalFormForEveryList)
{
    for (const auto& c : Cases()) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<EditCommand> add;
        std::unique_ptr<EditCommand> remove;
        std::function<bool()> holds;
        c.make(add, remove, holds);
        ASSERT_FALSE(holds());
        add->Do();
        EXPECT_TRUE(holds());
        add->Undo();
        EXPECT_FALSE(holds());
        add->Do();
        EXPECT_TRUE(holds());
        remove->Do();  // the same item object goes out ...
        EXPECT_FALSE(holds());
        remove->Undo();  // ... and the very same object comes back
        EXPECT_TRUE(holds());
    }
}

TEST(AddElementCommandTest, AMissingOwnerOrItemDoesNothing)
{
    AddDynamicsCommand noTarget;
    noTarget.SetItem(std::make_shared<DynamicMark>());
    noTarget.Do();
    noTarget.Undo();
    auto bar = std::make_shared<Bar>(0);
    AddDynamicsCommand noItem;
    noItem.SetTarget(bar);
    noItem.Do();
    EXPECT_TRUE(bar->GetDirections().empty());
}

TEST(AddElementCommandTest, ChordMemberMarkFollowsUndoAndRedo)
{
    auto list = std::make_shared<ChordNoteList>();
    auto note = CreateNote(3);
    AddChordNoteCommand add;
    add.SetTarget(list);
    add.SetItem(note);
    add.Do();
    EXPECT_TRUE(note->IsChordMember());
    add.Undo();
    EXPECT_FALSE(note->IsChordMember());
    add.Do();
    EXPECT_TRUE(note->IsChordMember());
}

TEST(ReplaceNoteDataCommandTest, SwapsTheStyleBothWays)
{
    auto note = CreateNote(5);
    std::shared_ptr<const NoteStyle> before = note->GetStyle();
    auto after = std::make_shared<GraceNoteStyle>();
    ReplaceNoteDataCommand command;
    command.SetNote(note);
    command.SetOldStyle(before);
    command.SetNewStyle(after);
    command.Do();
    EXPECT_EQ(note->GetStyle(), after);
    command.Undo();
    EXPECT_EQ(note->GetStyle(), before);
}

}  // namespace
}  // namespace quaverly
