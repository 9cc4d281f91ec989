#include "app/painter/layout_parameters.h"

#include <array>
#include <cmath>

#include "app/painter/draw_resource_table.h"
#include "app/settings/font_param_file.h"

namespace brindle {

namespace {

// Bounds of what a page can use, 0.01 mm: an offset of up to a decimetre either way, a
// distance of up to 30 cm.
constexpr int kMaxOffset = 10000;
constexpr int kMaxDistance = 30000;
// Factors of a note's size, and the scales of chord and grace notes.
constexpr double kMaxFactor = 10.0;
constexpr double kMaxScale = 5.0;
// Room of one note value, in note widths.
constexpr double kMaxSpacing = 1000.0;

void Offset(quaverly::Point& metric, const IntPair& value)
{
    if (std::abs(value.x) <= kMaxOffset && std::abs(value.y) <= kMaxOffset)
        metric = {value.x, value.y};
}

void Distance(int& metric, int value)
{
    if (value >= 0 && value <= kMaxDistance)
        metric = value;
}

// A distance something is drawn with or measured by: never 0.
void Extent(int& metric, int value)
{
    if (value > 0 && value <= kMaxDistance)
        metric = value;
}

void Factor(double& metric, double value)
{
    if (std::isfinite(value) && value >= 0.0 && value <= kMaxFactor)
        metric = value;
}

void Scale(double& metric, double value)
{
    if (std::isfinite(value) && value > 0.0 && value <= kMaxScale)
        metric = value;
}

}  // namespace

void ApplyLayoutParameterFile(const FontParamFile& file, DrawResourceTable& table)
{
    LayoutMetrics m = table.GetMetrics();

    // Notes.
    Offset(m.noteDashOffset, file.GetNormalNoteDashOffset());
    Offset(m.accidentalOffset, file.GetNormalNoteSymbolOffset());
    Offset(m.noteDotOffset, file.GetNormalNoteDotOffset());
    Factor(m.noteDotInterval, file.GetNormalNoteDotInterval());
    Factor(m.noteOctaveDotInterval, file.GetNormalNoteOctaveDotInterval());
    Offset(m.noteHighOctaveOffset, file.GetNormalNoteHighOctaveOffset());
    Offset(m.noteLowOctaveOffset, file.GetNormalNoteLowOctaveOffset());
    Factor(m.noteLegerInterval, file.GetNormalNoteLegerInterval());
    Distance(m.noteLegerThickness, file.GetNormalNoteLegerLineThick());
    Distance(m.noteLeftLegerBulge, file.GetNormalNoteLeftLegerBulge());
    Distance(m.noteRightLegerBulge, file.GetNormalNoteRightLegerBulge());

    // Chord notes.
    Distance(m.chordInterval, file.GetChordNoteInterval());
    Scale(m.chordNoteScale, file.GetChordNoteScale());
    Offset(m.chordAccidentalOffset, file.GetChordNoteSymbolOffset());
    Offset(m.chordHighOctaveOffset, file.GetChordNoteHighOctaveOffset());
    Offset(m.chordLowOctaveOffset, file.GetChordNoteLowOctaveOffset());

    // Grace notes.
    Scale(m.graceNoteScale, file.GetGraceNoteScale());
    Distance(m.graceNoteInterval, file.GetGraceNoteNoteInterval());
    Offset(m.graceDotOffset, file.GetGraceNoteDotOffset());
    Factor(m.graceDotInterval, file.GetGraceNoteDotInterval());
    Factor(m.graceOctaveDotInterval, file.GetGraceNoteOctaveDotInterval());
    Offset(m.graceHighOctaveOffset, file.GetGraceNoteHighOctaveOffset());
    Offset(m.graceLowOctaveOffset, file.GetGraceNoteLowOctaveOffset());
    Factor(m.graceLegerInterval, file.GetGraceNoteLegerInterval());

    // Bars: the left and right margins and the room added at each beat.
    Distance(m.metric107, file.GetBarLeftMargin());
    Distance(m.metric108, file.GetBarRightMargin());
    Distance(m.metric109, file.GetBarBeatBeatInterval());

    // Rows: the height of a row ("行高"), the distance between rows ("行间距", the staff
    // size a new voice gets), between systems ("组间距") and the heading's height.
    Extent(m.barLineHeight, file.GetTrackHeight());
    Distance(m.metric99, file.GetTrackInterval());
    Distance(m.metric100, file.GetSystemInterval());
    Distance(m.metric101, file.GetTitleSystemHeight());

    // Lyrics: the first verse lies the note distance plus one verse interval below the
    // notes, each further verse one interval below the one before.
    Distance(m.metric110, file.GetLyricNoteLyricDistance());
    Distance(m.metric111, file.GetLyricInterval());

    table.SetMetrics(m);

    double closeScale = table.GetCloseScale();
    Scale(closeScale, file.GetNoteSpacingCloseScale());
    table.SetCloseScale(closeScale);
    constexpr std::array<int, 9> kNoteValues = {5040, 10080, 20160, 40320, 80640, 161280, 322560, 645120, 1290240};
    for (int ticks : kNoteValues) {
        const double room = file.GetNoteSpacing(ticks);
        if (std::isfinite(room) && room > 0.0 && room <= kMaxSpacing)
            table.SetSpacingFactor(ticks, room);
    }
}

}  // namespace brindle
