// The layout-parameter page "音符间距参数": entries of "NOTE SPACING PARAM".
// How much room each note value takes, and how tightly the notes are set.
#pragma once

#include "app/dialogs/param_page.h"

namespace brindle {

class CNoteSpacingParamPage : public CParamPage {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 257;

    CNoteSpacingParamPage();
};

}  // namespace brindle
