// Inserting and removing parts: staff sizes for a middle and a last part, part groups
// and staff pairs moving with the parts, and undo and redo restoring them exactly.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/commands/insert_part_command.h"
#include "engine/model/part_group.h"
#include "tests/engine/commands/command_test_score.h"
#include "tests/support/fake_painter.h"

namespace quaverly {
namespace {

using command_test::PartAt;

std::shared_ptr<ContainerElement> NewPartContainer()
{
    auto container = std::make_shared<ContainerElement>();
    container->AppendChild(std::make_shared<Part>());
    return container;
}

struct PartState {
    std::vector<const Part*> parts;
    std::vector<double> sizes;
    std::vector<int> links;
    int groupFirst = 0;
    int groupLast = 0;
    friend bool operator==(const PartState&, const PartState&) = default;
};

class InsertPartCommandTest : public testing::Test {
protected:
    void SetUp() override
    {
        command_test::FillScore(editor, 3, 2);
        group->SetFirstPart(1);
        group->SetLastPart(2);
        editor.score->AddPartGroup(group);
        PartAt(editor, 1)->SetStaffLink(staff_link::kFirstOfPair);
        PartAt(editor, 2)->SetStaffLink(staff_link::kSecondOfPair);
    }
    PartState State() const
    {
        PartState s;
        for (int p = 0; p < editor.score->GetChildCount(); ++p) {
            const auto part = PartAt(editor, p);
            s.parts.push_back(part.get());
            s.sizes.push_back(part->GetStaffSize());
            s.links.push_back(part->GetStaffLink());
        }
        s.groupFirst = group->GetFirstPart();
        s.groupLast = group->GetLastPart();
        return s;
    }
    void Run() { editor.RunPendingCommands(painter); }
    void CheckUndoRedo(const PartState& before)
    {
        const PartState after = State();
        editor.Undo();
        Run();
        EXPECT_EQ(State(), before);
        editor.Redo();
        Run();
        EXPECT_EQ(State(), after);
    }

    ScoreEditor editor;
    fakes::FakePainter painter;
    std::shared_ptr<PartGroup> group = std::make_shared<PartGroup>();
};

TEST_F(InsertPartCommandTest, InsertingShiftsGroupsAndSetsStaffSizes)
{
    struct Case {
        int index;
        int groupFirst;
        int groupLast;
    };
    for (const Case c : {Case{0, 2, 3}, Case{2, 1, 3}, Case{3, 1, 2}}) {
        SCOPED_TRACE(c.index);
        editor.ResetDocument();
        SetUp();
        const PartState before = State();
        auto insert = std::make_unique<InsertPartCommand>(&editor);
        insert->SetIndex(c.index);
        auto container = NewPartContainer();
        const auto part = std::dynamic_pointer_cast<Part>(container->GetChild(0));
        insert->SetContainer(container);
        editor.AddCommand(std::move(insert));
        Run();
        ASSERT_EQ(editor.score->GetChildCount(), 4);
        EXPECT_EQ(PartAt(editor, c.index), part);
        EXPECT_EQ(part->GetChildCount(), 2);  // bar counts made equal
        EXPECT_EQ(group->GetFirstPart(), c.groupFirst);
        EXPECT_EQ(group->GetLastPart(), c.groupLast);
        if (c.index == 3) {
            // At the end: the previous last part gets the inner size, the new one the larger.
            EXPECT_EQ(PartAt(editor, 2)->GetStaffSize(), painter.GetMetric99());
            EXPECT_EQ(part->GetStaffSize(), painter.GetMetric100() + painter.GetMetric99());
        } else {
            EXPECT_EQ(part->GetStaffSize(), painter.GetMetric99());
        }
        CheckUndoRedo(before);
    }
}

TEST_F(InsertPartCommandTest, RemovingAPartShiftsGroupsUnpairsItsPartnerAndUndoes)
{
    const PartState before = State();
    const auto removed = PartAt(editor, 2);
    auto remove = std::make_unique<RemovePartCommand>(&editor);
    remove->Target().SetIndex(2);
    remove->Target().SetContainer(editor.score->GetChild(2));
    editor.AddCommand(std::move(remove));
    Run();
    ASSERT_EQ(editor.score->GetChildCount(), 2);
    EXPECT_EQ(PartAt(editor, 1)->GetStaffLink(), staff_link::kAlone);  // its partner went
    EXPECT_LE(group->GetLastPart(), 1);  // nothing points past the last part
    CheckUndoRedo(before);
    editor.Undo();
    Run();
    EXPECT_EQ(PartAt(editor, 2), removed);  // the same part object came back
}

TEST_F(InsertPartCommandTest, RemovingTheOnlyPartOfAGroupDropsTheGroupAndUndoBringsItBack)
{
    for (const int index : {2, 1}) {  // the last part, a middle one
        SCOPED_TRACE(index);
        auto alone = std::make_shared<PartGroup>();
        alone->SetFirstPart(index);
        alone->SetLastPart(index);
        editor.score->AddPartGroup(alone);
        const auto groups = editor.score->GetPartGroups();
        auto remove = std::make_unique<RemovePartCommand>(&editor);
        remove->Target().SetIndex(index);
        editor.AddCommand(std::move(remove));
        Run();
        ASSERT_EQ(editor.score->GetChildCount(), 2);
        EXPECT_EQ(editor.score->GetPartGroups(), (std::vector<std::shared_ptr<PartGroup>>{group}));
        for (const auto& left : editor.score->GetPartGroups())
            EXPECT_LE(left->GetLastPart(), 1);
        editor.Undo();
        Run();
        EXPECT_EQ(editor.score->GetPartGroups(), groups);  // the same groups, in order
        EXPECT_EQ(alone->GetFirstPart(), index);
        EXPECT_EQ(alone->GetLastPart(), index);
        editor.Redo();
        Run();
        EXPECT_EQ(editor.score->GetPartGroups().size(), 1u);
        editor.Undo();
        Run();
        editor.score->RemovePartGroup(alone);
    }
}

}  // namespace
}  // namespace quaverly
