// The three note sizes: NormalNoteStyle, ChordNoteStyle and GraceNoteStyle. Each
// forwards to the drawing interface's operations of its size (see note_style.h).
#pragma once

#include <memory>

#include "engine/model/note_style.h"

namespace quaverly {

class NormalNoteStyle final : public NoteStyle {
public:
    void DrawNote(ScorePainter& painter, int x, int y, int pitchCode, int color) const override;
    void DrawOctaveDots(ScorePainter& painter, int x, int y, int octave, int color) const override;
    void DrawLegerLine(ScorePainter& painter, Point start, int width, int color) const override;
    void DrawAccidental(ScorePainter& painter, int x, int y, int accidental,
                        int color) const override;
    void DrawDots(ScorePainter& painter, int x, int y, int count, int color) const override;
    Size GetNoteSize(ScorePainter& painter) const override;
    Size MeasureAccidental(ScorePainter& painter, int accidental) const override;
    Size MeasureDots(ScorePainter& painter, int count) const override;
    int GetLegerInterval(ScorePainter& painter) const override;
    int GetOctaveDotInterval(ScorePainter& painter) const override;
    int GetKind() const override { return note_style_kind::kNormal; }
};

class ChordNoteStyle final : public NoteStyle {
public:
    void DrawNote(ScorePainter& painter, int x, int y, int pitchCode, int color) const override;
    void DrawOctaveDots(ScorePainter& painter, int x, int y, int octave, int color) const override;
    void DrawLegerLine(ScorePainter& painter, Point start, int width, int color) const override;
    void DrawAccidental(ScorePainter& painter, int x, int y, int accidental,
                        int color) const override;
    void DrawDots(ScorePainter& painter, int x, int y, int count, int color) const override;
    Size GetNoteSize(ScorePainter& painter) const override;
    Size MeasureAccidental(ScorePainter& painter, int accidental) const override;
    Size MeasureDots(ScorePainter& painter, int count) const override;
    int GetLegerInterval(ScorePainter& painter) const override;
    int GetOctaveDotInterval(ScorePainter& painter) const override;
    int GetKind() const override { return note_style_kind::kChord; }
};

class GraceNoteStyle final : public NoteStyle {
public:
    void DrawNote(ScorePainter& painter, int x, int y, int pitchCode, int color) const override;
    void DrawOctaveDots(ScorePainter& painter, int x, int y, int octave, int color) const override;
    void DrawLegerLine(ScorePainter& painter, Point start, int width, int color) const override;
    void DrawAccidental(ScorePainter& painter, int x, int y, int accidental,
                        int color) const override;
    void DrawDots(ScorePainter& painter, int x, int y, int count, int color) const override;
    Size GetNoteSize(ScorePainter& painter) const override;
    Size MeasureAccidental(ScorePainter& painter, int accidental) const override;
    Size MeasureDots(ScorePainter& painter, int count) const override;
    int GetLegerInterval(ScorePainter& painter) const override;
    int GetOctaveDotInterval(ScorePainter& painter) const override;
    int GetKind() const override { return note_style_kind::kGrace; }
};

// One shared instance of each size for every note that uses it: the styles hold no state.
const std::shared_ptr<const NoteStyle>& SharedNormalNoteStyle();
const std::shared_ptr<const NoteStyle>& SharedChordNoteStyle();
const std::shared_ptr<const NoteStyle>& SharedGraceNoteStyle();

}  // namespace quaverly
