// The layout-parameter page "小节参数": entries of "BAR PARAM".
// The room at both ends of a bar and between its beats.
#pragma once

#include "app/dialogs/param_page.h"

namespace brindle {

class CBarParamPage : public CParamPage {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 258;

    CBarParamPage();
};

}  // namespace brindle
