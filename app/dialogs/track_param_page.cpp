#include "app/dialogs/track_param_page.h"

namespace brindle {

CTrackParamPage::CTrackParamPage() : CParamPage(kTemplateId)
{
    AddInt(u"行高：", 1227, &FontParamFile::GetTrackHeight, &FontParamFile::SetTrackHeight);
    AddInt(u"行间距：", 1228, &FontParamFile::GetTrackInterval, &FontParamFile::SetTrackInterval);
    BuildRows();
}

}  // namespace brindle
