// The layout-parameter page "行参数": entries of "TRACK PARAM".
// The height of a staff row and the distance between rows.
#pragma once

#include "app/dialogs/param_page.h"

namespace brindle {

class CTrackParamPage : public CParamPage {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 259;

    CTrackParamPage();
};

}  // namespace brindle
