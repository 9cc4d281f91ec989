// The layout-parameter page "组参数": entries of "SYSTEM PARAM".
// The distance between systems.
#pragma once

#include "app/dialogs/param_page.h"

namespace brindle {

class CSystemParamPage : public CParamPage {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 260;

    CSystemParamPage();
};

}  // namespace brindle
