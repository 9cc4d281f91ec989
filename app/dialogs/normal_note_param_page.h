// The layout-parameter page "普通音符参数": entries of "NORMAL NOTE PARAM".
// The offsets and spacing of the parts of a normal note: duration dashes, accidentals, augmentation dots, octave dots and underlines.
#pragma once

#include "app/dialogs/param_page.h"

namespace brindle {

class CNormalNoteParamPage : public CParamPage {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 254;

    CNormalNoteParamPage();
};

}  // namespace brindle
