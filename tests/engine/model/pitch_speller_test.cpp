// Spelling MIDI key numbers as scale degree, octave and accidental in a key.
#include <climits>

#include <gtest/gtest.h>

#include "engine/model/pitch_speller.h"

namespace quaverly {
namespace {

// The twelve semitones upward from the tonic: 1, flat 2, 2, flat 3, 3, 4, sharp 4, 5,
// sharp 5, 6, flat 7, 7.
constexpr int kDegrees[12] = {0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 6, 6};
constexpr int kAccidentals[12] = {0, -1, 0, -1, 0, 0, 1, 0, 1, 0, -1, 0};

TEST(PitchSpellerTest, TwelveSemitonesInCFAndGMajor)
{
    struct Case {
        const char* name;
        int fifths;
        int tonicKey;  // the tonic's key number in octave 5
    };
    const Case cases[] = {
        {"C major", 0, 60},
        {"F major (flat keys count one octave more)", -1, 53},
        {"G major", 1, 67},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PitchSpeller speller(c.fifths);
        for (int step = 0; step < 12; ++step) {
            SCOPED_TRACE(step);
            const SpelledPitch expected{kDegrees[step], 5, kAccidentals[step]};
            EXPECT_EQ(speller.Spell(c.tonicKey + step), expected);
            // An octave higher only the octave changes.
            const SpelledPitch above{kDegrees[step], 6, kAccidentals[step]};
            EXPECT_EQ(speller.Spell(c.tonicKey + 12 + step), above);
        }
    }
    EXPECT_EQ(PitchSpeller().Spell(62).PitchCode(), 3);  // D is "2" in C
}

TEST(PitchSpellerTest, KeysBelowTheTonicAndEveryKeySignatureGiveValidDegrees)
{
    struct Case {
        const char* name;
        int fifths;
        int key;
        SpelledPitch expected;
    };
    const Case cases[] = {
        {"key 0 in G major is 4", 1, 0, {3, -1, 0}},
        {"key 6 in G major is 7", 1, 6, {6, -1, 0}},
        {"key 0 in C major", 0, 0, {0, 0, 0}},
        {"key -1 in C major is 7 below", 0, -1, {6, -1, 0}},
        {"seven sharps: C sharp is 1", 7, 61, {0, 5, 0}},
        {"seven flats: C flat is 1", -7, 59, {0, 5, 0}},
        {"seven flats: key 0 is flat 2", -7, 0, {1, 0, -1}},
        {"largest key", 0, INT_MAX, {4, 178956970, 0}},
        {"smallest key", 0, INT_MIN, {2, -178956971, 0}},
        {"fifths far out of range", INT_MAX, 60, {6, 4, 0}},
        {"fifths far below", INT_MIN, 60, {4, 5, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SpelledPitch spelled = PitchSpeller(c.fifths).Spell(c.key);
        EXPECT_EQ(spelled, c.expected);
        EXPECT_GE(spelled.degree, 0);
        EXPECT_LE(spelled.degree, 6);
    }
}

TEST(PitchSpellerTest, TheKeySignatureCanBeChanged)
{
    PitchSpeller speller;
    EXPECT_EQ(speller.GetFifths(), 0);
    speller.SetFifths(-2);  // B flat major: tonic 10
    EXPECT_EQ(speller.GetFifths(), -2);
    EXPECT_EQ(speller.Spell(58), (SpelledPitch{0, 5, 0}));
}

}  // namespace
}  // namespace quaverly
