#include "app/dialogs/title_param_page.h"

namespace brindle {

CTitleParamPage::CTitleParamPage() : CParamPage(kTemplateId)
{
    AddInt(u"标题高度：", 1233, &FontParamFile::GetTitleSystemHeight, &FontParamFile::SetTitleSystemHeight);
    BuildRows();
}

}  // namespace brindle
