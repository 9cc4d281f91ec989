// Time arithmetic on values: dotted lengths with each share truncated on its own,
// tuplet ratios with the product formed first, and hostile values.
#include <climits>
#include <memory>

#include <gtest/gtest.h>

#include "engine/model/note.h"
#include "engine/model/note_time.h"

namespace quaverly {
namespace {

namespace len = note_length;

struct LengthCase {
    const char* name;
    int base;
    int dots;
    int actual;
    int normal;
    int expected;
};

TEST(NoteTimeTest, PlayedLengthOfDottedAndTupletValues)
{
    const LengthCase cases[] = {
        {"plain quarter", len::kQuarter, 0, 0, 0, 161280},
        {"plain breve", len::kBreve, 0, 0, 0, 1290240},
        {"dotted quarter", len::kQuarter, 1, 0, 0, 241920},
        {"double-dotted quarter", len::kQuarter, 2, 0, 0, 282240},
        {"triple-dotted quarter", len::kQuarter, 3, 0, 0, 302400},
        {"dotted 128th", len::k128th, 1, 0, 0, 7560},
        {"shares truncate on their own", 100, 3, 0, 0, 187},
        {"triplet eighth", len::kEighth, 0, 3, 2, 53760},
        {"quintuplet 16th", len::k16th, 0, 5, 4, 32256},
        {"triplet quarter", len::kQuarter, 0, 3, 2, 107520},
        {"dotted triplet eighth", len::kEighth, 1, 3, 2, 80640},
        {"actual 0 is no tuplet", len::kQuarter, 0, 0, 5, 161280},
    };
    for (const LengthCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(GetPlayedLength(c.base, c.dots, c.actual, c.normal), c.expected);
    }
    // Three triplet quarters make exactly a half.
    EXPECT_EQ(3 * GetPlayedLength(len::kQuarter, 0, 3, 2), len::kHalf);
}

TEST(NoteTimeTest, HostileValuesGiveDefinedLengths)
{
    const LengthCase cases[] = {
        {"base 0 with dots", 0, 3, 3, 2, 0},
        {"dots far beyond any entry", len::kQuarter, 1000, 0, 0, 322554},
        {"largest dot count", len::k128th, INT_MAX, 0, 0, 10074},
        {"negative dot count", len::kQuarter, -4, 0, 0, 161280},
        {"normal 0 is no tuplet", len::kEighth, 0, 3, 0, 80640},
        {"negative actual is no tuplet", len::kEighth, 0, -3, 2, 80640},
        {"negative normal is no tuplet", len::kEighth, 0, 3, -2, 80640},
        {"product beyond 32 bits", len::kBreve, 3, 1, 1000, INT_MAX},
        {"largest base with dots", INT_MAX, 3, 0, 0, INT_MAX},
    };
    for (const LengthCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(GetPlayedLength(c.base, c.dots, c.actual, c.normal), c.expected);
    }
}

TEST(NoteTimeTest, DottedLengthIsThePlayedLengthWithoutTuplet)
{
    EXPECT_EQ(GetDottedLength(len::kHalf, 1), 483840);
    EXPECT_EQ(GetDottedLength(len::kWhole, 2), 1128960);
    EXPECT_EQ(GetDottedLength(len::kQuarter, 0), len::kQuarter);
}

// --- On notes ---

TEST(NoteTimeTest, NoteDurationReadsBaseDotsAndTupletOfTheNote)
{
    const LengthCase cases[] = {
        {"plain eighth", len::kEighth, 0, 0, 0, 80640},
        {"dotted quarter", len::kQuarter, 1, 0, 0, 241920},
        {"double-dotted quarter", len::kQuarter, 2, 0, 0, 282240},
        {"triple-dotted quarter", len::kQuarter, 3, 0, 0, 302400},
        {"dotted 128th", len::k128th, 1, 0, 0, 7560},
        {"base 100 with three dots: each share truncated", 100, 3, 0, 0, 187},
        {"triplet eighth", len::kEighth, 0, 3, 2, 53760},
        {"quintuplet 16th", len::k16th, 0, 5, 4, 32256},
        {"triplet quarter", len::kQuarter, 0, 3, 2, 107520},
        {"actual 0 with a normal count", len::kQuarter, 0, 0, 2, 161280},
        {"base 0", 0, 3, 3, 2, 0},
    };
    for (const LengthCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto note = std::make_shared<Note>();
        note->SetDuration(c.base);
        note->SetDots(c.dots);
        note->SetTupletActual(c.actual);
        note->SetTupletNormal(c.normal);
        note->SetStartTime(40320);
        EXPECT_EQ(GetNoteDuration(note.get()), c.expected);
        EXPECT_EQ(GetNoteEndTime(note), 40320 + c.expected);
    }
}

TEST(NoteTimeTest, TheLastNoteOfACompleteTripletEndsTwoPlainValuesAfterItsStart)
{
    int start = 0;
    std::shared_ptr<Note> last;
    for (int i = 0; i < 3; ++i) {
        last = std::make_shared<Note>();
        last->SetDuration(len::kQuarter);
        last->SetTupletActual(3);
        last->SetTupletNormal(2);
        last->SetStartTime(start);
        start = GetNoteEndTime(last);
    }
    EXPECT_EQ(GetNoteEndTime(last), 2 * len::kQuarter);
}

TEST(NoteTimeTest, MissingNotesHaveNoLength)
{
    EXPECT_EQ(GetNoteDuration(nullptr), 0);
    EXPECT_EQ(GetNoteEndTime(nullptr), 0);
}

}  // namespace
}  // namespace quaverly
