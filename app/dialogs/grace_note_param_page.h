// The layout-parameter page "倚音音符参数": entries of "GRACE NOTE PARAM".
// The size of grace notes and the placing of their dots and octave dots.
#pragma once

#include "app/dialogs/param_page.h"

namespace brindle {

class CGraceNoteParamPage : public CParamPage {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 256;

    CGraceNoteParamPage();
};

}  // namespace brindle
