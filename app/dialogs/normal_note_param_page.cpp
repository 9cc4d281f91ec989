#include "app/dialogs/normal_note_param_page.h"

namespace brindle {

CNormalNoteParamPage::CNormalNoteParamPage() : CParamPage(kTemplateId)
{
    AddPair(u"增时线偏移：", 1196, 1197, &FontParamFile::GetNormalNoteDashOffset, &FontParamFile::SetNormalNoteDashOffset);
    AddPair(u"临时记号偏移：", 1198, 1199, &FontParamFile::GetNormalNoteSymbolOffset, &FontParamFile::SetNormalNoteSymbolOffset);
    AddPair(u"附点偏移：", 1200, 1201, &FontParamFile::GetNormalNoteDotOffset, &FontParamFile::SetNormalNoteDotOffset);
    AddFactor(u"附点间距：", 1202, &FontParamFile::GetNormalNoteDotInterval, &FontParamFile::SetNormalNoteDotInterval, u"* 音符宽度");
    AddPair(u"高音点偏移：", 1203, 1204, &FontParamFile::GetNormalNoteHighOctaveOffset, &FontParamFile::SetNormalNoteHighOctaveOffset);
    AddPair(u"低音点偏移：", 1205, 1206, &FontParamFile::GetNormalNoteLowOctaveOffset, &FontParamFile::SetNormalNoteLowOctaveOffset);
    AddFactor(u"高低音点间距：", 1207, &FontParamFile::GetNormalNoteOctaveDotInterval, &FontParamFile::SetNormalNoteOctaveDotInterval, u"* 音符高度");
    AddInt(u"减时线粗细：", 1208, &FontParamFile::GetNormalNoteLegerLineThick, &FontParamFile::SetNormalNoteLegerLineThick);
    AddFactor(u"减时线间距：", 1209, &FontParamFile::GetNormalNoteLegerInterval, &FontParamFile::SetNormalNoteLegerInterval, u"* 音符高度");
    AddInt(u"减时线左延伸：", 1210, &FontParamFile::GetNormalNoteLeftLegerBulge, &FontParamFile::SetNormalNoteLeftLegerBulge);
    AddInt(u"减时线右延伸：", 1211, &FontParamFile::GetNormalNoteRightLegerBulge, &FontParamFile::SetNormalNoteRightLegerBulge);
    BuildRows();
}

}  // namespace brindle
