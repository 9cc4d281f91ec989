// The layout-parameter page "标题参数": entries of "TITLE SYSTEM PARAM".
// The height of the title block.
#pragma once

#include "app/dialogs/param_page.h"

namespace brindle {

class CTitleParamPage : public CParamPage {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 262;

    CTitleParamPage();
};

}  // namespace brindle
