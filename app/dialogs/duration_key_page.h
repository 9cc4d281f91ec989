// The shortcut page of the note values, the dot, the triplet and the tie.
#pragma once

#include "app/dialogs/shortcut_key_page.h"

namespace brindle {

class CDurationKeyPage : public CShortcutKeyPage {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 248;

    explicit CDurationKeyPage(QWidget* parent = nullptr);
};

}  // namespace brindle
