// Turns a MIDI key number into a note's fields (scale degree, octave, accidental) in
// one key signature, given as a count of fifths (negative for flats).
//
// The tonic's pitch class is (fifths x 7 + 60) mod 12; the key's distance d from it
// gives the octave d / 12 (one more in flat keys) and, by d mod 12, the degree and
// accidental: 1, flat 2, 2, flat 3, 3, 4, sharp 4, 5, sharp 5, 6, flat 7, 7. Both the
// division and the remainder round toward minus infinity, so every key number and every
// count of fifths gives a valid degree.
#pragma once

namespace quaverly {

struct SpelledPitch {
    int degree = 0;  // 0-based scale degree: 0 is "1", 6 is "7"
    int octave = 0;
    int accidental = 0;  // -1 flat, 0 none, 1 sharp

    // The note's pitch code for the degree (2 to 8).
    int PitchCode() const { return degree + 2; }

    friend bool operator==(const SpelledPitch&, const SpelledPitch&) = default;
};

class PitchSpeller {
public:
    explicit PitchSpeller(int fifths = 0)
        : fifths_(fifths)
    {
    }

    void SetFifths(int fifths) { fifths_ = fifths; }
    int GetFifths() const { return fifths_; }

    SpelledPitch Spell(int key) const;

private:
    int fifths_ = 0;
};

}  // namespace quaverly
