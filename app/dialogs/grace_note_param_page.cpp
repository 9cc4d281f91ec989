#include "app/dialogs/grace_note_param_page.h"

namespace brindle {

CGraceNoteParamPage::CGraceNoteParamPage() : CParamPage(kTemplateId)
{
    AddFactor(u"与普通音比率：", 1213, &FontParamFile::GetGraceNoteScale, &FontParamFile::SetGraceNoteScale);
    AddInt(u"倚音间距：", 1214, &FontParamFile::GetGraceNoteNoteInterval, &FontParamFile::SetGraceNoteNoteInterval);
    AddPair(u"附点偏移：", 1200, 1201, &FontParamFile::GetGraceNoteDotOffset, &FontParamFile::SetGraceNoteDotOffset);
    AddFactor(u"附点间距：", 1202, &FontParamFile::GetGraceNoteDotInterval, &FontParamFile::SetGraceNoteDotInterval, u"* 倚音宽度");
    AddPair(u"高音点偏移：", 1203, 1204, &FontParamFile::GetGraceNoteHighOctaveOffset, &FontParamFile::SetGraceNoteHighOctaveOffset);
    AddPair(u"低音点偏移：", 1205, 1206, &FontParamFile::GetGraceNoteLowOctaveOffset, &FontParamFile::SetGraceNoteLowOctaveOffset);
    AddFactor(u"高低音点间距：", 1207, &FontParamFile::GetGraceNoteOctaveDotInterval, &FontParamFile::SetGraceNoteOctaveDotInterval, u"* 倚音高度");
    AddFactor(u"减时线间距：", 1209, &FontParamFile::GetGraceNoteLegerInterval, &FontParamFile::SetGraceNoteLegerInterval, u"* 倚音高度");
    BuildRows();
}

}  // namespace brindle
