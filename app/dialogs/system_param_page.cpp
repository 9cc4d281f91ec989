#include "app/dialogs/system_param_page.h"

namespace brindle {

CSystemParamPage::CSystemParamPage() : CParamPage(kTemplateId)
{
    AddInt(u"组间距：", 1184, &FontParamFile::GetSystemInterval, &FontParamFile::SetSystemInterval);
    BuildRows();
}

}  // namespace brindle
