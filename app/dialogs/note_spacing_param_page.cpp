#include "app/dialogs/note_spacing_param_page.h"

namespace brindle {

CNoteSpacingParamPage::CNoteSpacingParamPage() : CParamPage(kTemplateId)
{
    AddFactor(u"音符松紧度：", 1215, &FontParamFile::GetNoteSpacingCloseScale, &FontParamFile::SetNoteSpacingCloseScale);
    AddSpacing(u"二全音符：", 1216, 1290240);
    AddSpacing(u"全音符：", 1217, 645120);
    AddSpacing(u"二分音符：", 1218, 322560);
    AddSpacing(u"四分音符：", 1219, 161280);
    AddSpacing(u"八分音符：", 1220, 80640);
    AddSpacing(u"16分音符：", 1221, 40320);
    AddSpacing(u"32分音符：", 1222, 20160);
    AddSpacing(u"64分音符：", 1223, 10080);
    AddSpacing(u"128分音符：", 1224, 5040);
    BuildRows();
}

}  // namespace brindle
