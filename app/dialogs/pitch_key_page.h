// The shortcut page of the octaves and the accidentals.
#pragma once

#include "app/dialogs/shortcut_key_page.h"

namespace brindle {

class CPitchKeyPage : public CShortcutKeyPage {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 249;

    explicit CPitchKeyPage(QWidget* parent = nullptr);
};

}  // namespace brindle
