#include "app/dialogs/lyric_param_page.h"

namespace brindle {

CLyricParamPage::CLyricParamPage() : CParamPage(kTemplateId)
{
    AddInt(u"与音符行的距离:", 1225, &FontParamFile::GetLyricNoteLyricDistance, &FontParamFile::SetLyricNoteLyricDistance);
    AddInt(u"歌词行间距:", 1226, &FontParamFile::GetLyricInterval, &FontParamFile::SetLyricInterval);
    BuildRows();
}

}  // namespace brindle
