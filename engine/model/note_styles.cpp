#include "engine/model/note_styles.h"

#include "engine/model/score_painter.h"

namespace quaverly {

const std::shared_ptr<const NoteStyle>& SharedNormalNoteStyle()
{
    static const std::shared_ptr<const NoteStyle> style = std::make_shared<NormalNoteStyle>();
    return style;
}

const std::shared_ptr<const NoteStyle>& SharedChordNoteStyle()
{
    static const std::shared_ptr<const NoteStyle> style = std::make_shared<ChordNoteStyle>();
    return style;
}

const std::shared_ptr<const NoteStyle>& SharedGraceNoteStyle()
{
    static const std::shared_ptr<const NoteStyle> style = std::make_shared<GraceNoteStyle>();
    return style;
}

// --- NormalNoteStyle ---

void NormalNoteStyle::DrawNote(ScorePainter& painter, int x, int y, int pitchCode, int color) const
{
    painter.DrawNote(x, y, pitchCode, color);
}

void NormalNoteStyle::DrawOctaveDots(ScorePainter& painter, int x, int y, int octave,
                                     int color) const
{
    painter.DrawOctaveDots(x, y, octave, color);
}

void NormalNoteStyle::DrawLegerLine(ScorePainter& painter, Point start, int width, int color) const
{
    painter.DrawLegerLine(start, width, color);
}

void NormalNoteStyle::DrawAccidental(ScorePainter& painter, int x, int y, int accidental,
                                     int color) const
{
    painter.DrawAccidental(x, y, accidental, color);
}

void NormalNoteStyle::DrawDots(ScorePainter& painter, int x, int y, int count, int color) const
{
    painter.DrawDots(x, y, count, color);
}

Size NormalNoteStyle::GetNoteSize(ScorePainter& painter) const
{
    return painter.GetNoteSize();
}

Size NormalNoteStyle::MeasureAccidental(ScorePainter& painter, int accidental) const
{
    return painter.MeasureAccidental(accidental);
}

Size NormalNoteStyle::MeasureDots(ScorePainter& painter, int count) const
{
    return painter.MeasureDots(count);
}

int NormalNoteStyle::GetLegerInterval(ScorePainter& painter) const
{
    return painter.GetLegerInterval();
}

int NormalNoteStyle::GetOctaveDotInterval(ScorePainter& painter) const
{
    return painter.GetOctaveDotInterval();
}

// --- ChordNoteStyle ---

void ChordNoteStyle::DrawNote(ScorePainter& painter, int x, int y, int pitchCode, int color) const
{
    painter.DrawChordNote(x, y, pitchCode, color);
}

void ChordNoteStyle::DrawOctaveDots(ScorePainter& painter, int x, int y, int octave,
                                    int color) const
{
    painter.DrawChordOctaveDots(x, y, octave, color);
}

void ChordNoteStyle::DrawLegerLine(ScorePainter& painter, Point start, int width, int color) const
{
    painter.DrawChordLegerLine(start, width, color);
}

void ChordNoteStyle::DrawAccidental(ScorePainter& painter, int x, int y, int accidental,
                                    int color) const
{
    painter.DrawChordAccidental(x, y, accidental, color);
}

void ChordNoteStyle::DrawDots(ScorePainter& painter, int x, int y, int count, int color) const
{
    painter.DrawChordDots(x, y, count, color);
}

Size ChordNoteStyle::GetNoteSize(ScorePainter& painter) const
{
    return painter.GetChordNoteSize();
}

Size ChordNoteStyle::MeasureAccidental(ScorePainter& painter, int accidental) const
{
    return painter.MeasureChordAccidental(accidental);
}

Size ChordNoteStyle::MeasureDots(ScorePainter& painter, int count) const
{
    return painter.MeasureChordDots(count);
}

int ChordNoteStyle::GetLegerInterval(ScorePainter& painter) const
{
    return painter.GetChordLegerInterval();
}

int ChordNoteStyle::GetOctaveDotInterval(ScorePainter& painter) const
{
    return painter.GetChordOctaveDotInterval();
}

// --- GraceNoteStyle ---

void GraceNoteStyle::DrawNote(ScorePainter& painter, int x, int y, int pitchCode, int color) const
{
    painter.DrawGraceNote(x, y, pitchCode, color);
}

void GraceNoteStyle::DrawOctaveDots(ScorePainter& painter, int x, int y, int octave,
                                    int color) const
{
    painter.DrawGraceOctaveDots(x, y, octave, color);
}

void GraceNoteStyle::DrawLegerLine(ScorePainter& painter, Point start, int width, int color) const
{
    painter.DrawGraceLegerLine(start, width, color);
}

void GraceNoteStyle::DrawAccidental(ScorePainter& painter, int x, int y, int accidental,
                                    int color) const
{
    painter.DrawGraceAccidental(x, y, accidental, color);
}

void GraceNoteStyle::DrawDots(ScorePainter& painter, int x, int y, int count, int color) const
{
    painter.DrawGraceDots(x, y, count, color);
}

Size GraceNoteStyle::GetNoteSize(ScorePainter& painter) const
{
    return painter.GetGraceNoteSize();
}

Size GraceNoteStyle::MeasureAccidental(ScorePainter& painter, int accidental) const
{
    return painter.MeasureGraceAccidental(accidental);
}

Size GraceNoteStyle::MeasureDots(ScorePainter& painter, int count) const
{
    return painter.MeasureGraceDots(count);
}

int GraceNoteStyle::GetLegerInterval(ScorePainter& painter) const
{
    return painter.GetGraceLegerInterval();
}

int GraceNoteStyle::GetOctaveDotInterval(ScorePainter& painter) const
{
    return painter.GetGraceOctaveDotInterval();
}

}  // namespace quaverly
