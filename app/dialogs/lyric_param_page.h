// The layout-parameter page "歌词参数": entries of "LYRIC PARAM".
// Where lyric lines lie below the notes and how far apart they are.
#pragma once

#include "app/dialogs/param_page.h"

namespace brindle {

class CLyricParamPage : public CParamPage {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 261;

    CLyricParamPage();
};

}  // namespace brindle
