#include "app/dialogs/bar_param_page.h"

namespace brindle {

CBarParamPage::CBarParamPage() : CParamPage(kTemplateId)
{
    AddInt(u"左空白：", 1229, &FontParamFile::GetBarLeftMargin, &FontParamFile::SetBarLeftMargin);
    AddInt(u"右空白：", 1230, &FontParamFile::GetBarRightMargin, &FontParamFile::SetBarRightMargin);
    AddInt(u"拍与拍之间空白：", 1231, &FontParamFile::GetBarBeatBeatInterval, &FontParamFile::SetBarBeatBeatInterval);
    BuildRows();
}

}  // namespace brindle
