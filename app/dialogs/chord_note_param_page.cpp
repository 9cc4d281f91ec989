#include "app/dialogs/chord_note_param_page.h"

namespace brindle {

CChordNoteParamPage::CChordNoteParamPage() : CParamPage(kTemplateId)
{
    AddFactor(u"与普通音比率：", 1213, &FontParamFile::GetChordNoteScale, &FontParamFile::SetChordNoteScale);
    AddInt(u"和音间距：", 1212, &FontParamFile::GetChordNoteInterval, &FontParamFile::SetChordNoteInterval);
    AddPair(u"临时记号偏移：", 1198, 1199, &FontParamFile::GetChordNoteSymbolOffset, &FontParamFile::SetChordNoteSymbolOffset);
    AddPair(u"高音点偏移：", 1203, 1204, &FontParamFile::GetChordNoteHighOctaveOffset, &FontParamFile::SetChordNoteHighOctaveOffset);
    AddPair(u"低音点偏移：", 1205, 1206, &FontParamFile::GetChordNoteLowOctaveOffset, &FontParamFile::SetChordNoteLowOctaveOffset);
    BuildRows();
}

}  // namespace brindle
