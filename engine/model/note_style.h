// The size in which a note is drawn: as an ordinary note, as a note of a chord stacked
// on another note, or as a grace note.
//
// The drawing interface has one group of measuring and drawing operations per size. A
// note, its accidental sign and its augmentation dots hold one shared NoteStyle and
// call it; the style forwards each call, arguments unchanged, to the operation of its
// size and returns that operation's result. Styles are stateless; only the class
// matters, so replacing a note's style switches every later measurement and drawing of
// the note to the other size.
#pragma once

#include "engine/model/layout_types.h"

namespace quaverly {

class ScorePainter;

// What GetKind returns.
namespace note_style_kind {
inline constexpr int kNormal = 0;
inline constexpr int kChord = 1;
inline constexpr int kGrace = 2;
}  // namespace note_style_kind

class NoteStyle {
public:
    virtual ~NoteStyle() = default;

    virtual void DrawNote(ScorePainter& painter, int x, int y, int pitchCode, int color) const = 0;
    virtual void DrawOctaveDots(ScorePainter& painter, int x, int y, int octave,
                                int color) const = 0;
    // start is the left end of the line.
    virtual void DrawLegerLine(ScorePainter& painter, Point start, int width, int color) const = 0;
    virtual void DrawAccidental(ScorePainter& painter, int x, int y, int accidental,
                                int color) const = 0;
    virtual void DrawDots(ScorePainter& painter, int x, int y, int count, int color) const = 0;
    virtual Size GetNoteSize(ScorePainter& painter) const = 0;
    virtual Size MeasureAccidental(ScorePainter& painter, int accidental) const = 0;
    virtual Size MeasureDots(ScorePainter& painter, int count) const = 0;
    virtual int GetLegerInterval(ScorePainter& painter) const = 0;
    virtual int GetOctaveDotInterval(ScorePainter& painter) const = 0;
    virtual int GetKind() const = 0;

protected:
    NoteStyle() = default;
    NoteStyle(const NoteStyle&) = default;
    NoteStyle& operator=(const NoteStyle&) = default;
};

}  // namespace quaverly
