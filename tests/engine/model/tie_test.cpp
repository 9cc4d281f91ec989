// Ties: linking the two notes, relinking, clearing, and links that stay mutual when
// notes change ties.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/container_element.h"
#include "engine/model/note.h"
#include "engine/model/tie.h"

namespace quaverly {
namespace {

std::shared_ptr<Note> MakeNote()
{
    auto note = std::make_shared<Note>();
    note->SetPitchCode(4);
    return note;
}

// Every link of every note, so a test can state the whole picture at once.
struct Links {
    std::vector<Note*> tiedTo;
    std::vector<Note*> tiedFrom;
};

Links LinksOf(const std::vector<std::shared_ptr<Note>>& notes)
{
    Links links;
    for (const auto& note : notes) {
        links.tiedTo.push_back(note->GetTiedTo());
        links.tiedFrom.push_back(note->GetTiedFrom());
    }
    return links;
}

class TieTest : public testing::Test {
protected:
    void ExpectLinks(std::vector<Note*> tiedTo, std::vector<Note*> tiedFrom)
    {
        const Links links = LinksOf(notes);
        EXPECT_EQ(links.tiedTo, tiedTo);
        EXPECT_EQ(links.tiedFrom, tiedFrom);
    }
    NoteAnchor Anchor(int i) { return {bar, notes[static_cast<std::size_t>(i)]}; }
    Note* N(int i) { return notes[static_cast<std::size_t>(i)].get(); }

    std::shared_ptr<ContainerElement> bar = std::make_shared<ContainerElement>();
    std::vector<std::shared_ptr<Note>> notes{MakeNote(), MakeNote(), MakeNote(), MakeNote()};
};

TEST_F(TieTest, LinksOnlyWhenBothEndsHoldDifferentNotes)
{
    struct Case {
        std::string name;
        int start;  // -1: no note
        int end;
        bool linked;
    };
    const std::vector<Case> cases = {
        {"start and end", 0, 1, true},
        {"only a start", 0, -1, false},
        {"only an end", -1, 1, false},
        {"a note tied to itself", 2, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Tie tie;
        if (c.start >= 0)
            tie.SetStart(Anchor(c.start));
        else
            tie.SetStart({bar, nullptr});
        if (c.end >= 0)
            tie.SetEnd(Anchor(c.end));
        if (c.linked) {
            EXPECT_EQ(N(c.start)->GetTiedTo(), N(c.end));
            EXPECT_EQ(N(c.end)->GetTiedFrom(), N(c.start));
        } else {
            ExpectLinks({nullptr, nullptr, nullptr, nullptr}, {nullptr, nullptr, nullptr, nullptr});
        }
        tie.ClearChildren();
        ExpectLinks({nullptr, nullptr, nullptr, nullptr}, {nullptr, nullptr, nullptr, nullptr});
        EXPECT_EQ(tie.GetStart().note, nullptr);
        EXPECT_EQ(tie.GetStart().owner, nullptr);
        EXPECT_EQ(tie.GetEnd().note, nullptr);
    }
}

TEST_F(TieTest, AnchorsAreKeptAsGivenAndTheTieHasItsOwnColour)
{
    Tie tie;
    EXPECT_EQ(tie.GetColor(), 20);
    EXPECT_EQ(tie.GetNormalColor(), 20);
    tie.SetStart(Anchor(0));
    tie.SetEnd(Anchor(1));
    EXPECT_EQ(tie.GetStart().owner, bar);
    EXPECT_EQ(tie.GetStart().note, notes[0]);
    EXPECT_EQ(tie.GetEnd().owner, bar);
    EXPECT_EQ(tie.GetEnd().note, notes[1]);
}

TEST_F(TieTest, ReanchoringALinkedTieUnlinksItsOldNoteFirst)
{
    Tie tie;
    tie.SetStart(Anchor(0));
    tie.SetEnd(Anchor(1));
    ExpectLinks({N(1), nullptr, nullptr, nullptr}, {nullptr, N(0), nullptr, nullptr});

    tie.SetEnd(Anchor(2));
    ExpectLinks({N(2), nullptr, nullptr, nullptr}, {nullptr, nullptr, N(0), nullptr});

    tie.SetStart(Anchor(3));
    ExpectLinks({nullptr, nullptr, nullptr, N(2)}, {nullptr, nullptr, N(3), nullptr});

    tie.SetEnd({bar, nullptr});
    ExpectLinks({nullptr, nullptr, nullptr, nullptr}, {nullptr, nullptr, nullptr, nullptr});
}

TEST_F(TieTest, ANoteTakenByAnotherTieLeavesNoOneSidedLink)
{
    auto first = std::make_unique<Tie>();
    first->SetStart(Anchor(0));
    first->SetEnd(Anchor(1));

    // A second tie from the same start note: the first tie's end no longer points back.
    auto second = std::make_unique<Tie>();
    second->SetStart(Anchor(0));
    second->SetEnd(Anchor(2));
    ExpectLinks({N(2), nullptr, nullptr, nullptr}, {nullptr, nullptr, N(0), nullptr});

    // The stale tie goes without touching the second tie's links.
    first.reset();
    ExpectLinks({N(2), nullptr, nullptr, nullptr}, {nullptr, nullptr, N(0), nullptr});

    // A third tie into the same end note: the second tie's start is released.
    Tie third;
    third.SetStart(Anchor(3));
    third.SetEnd(Anchor(2));
    ExpectLinks({nullptr, nullptr, nullptr, N(2)}, {nullptr, nullptr, N(3), nullptr});
    second->ClearChildren();
    ExpectLinks({nullptr, nullptr, nullptr, N(2)}, {nullptr, nullptr, N(3), nullptr});
}

TEST_F(TieTest, DestroyingATieClearsItsLinks)
{
    {
        Tie tie;
        tie.SetStart(Anchor(0));
        tie.SetEnd(Anchor(1));
    }
    ExpectLinks({nullptr, nullptr, nullptr, nullptr}, {nullptr, nullptr, nullptr, nullptr});
}

}  // namespace
}  // namespace quaverly
