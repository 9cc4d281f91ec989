// The layout-parameter page "和音音符参数": entries of "CHORD NOTE PARAM".
// The size and placing of the notes of a chord above its main note.
#pragma once

#include "app/dialogs/param_page.h"

namespace brindle {

class CChordNoteParamPage : public CParamPage {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 255;

    CChordNoteParamPage();
};

}  // namespace brindle
