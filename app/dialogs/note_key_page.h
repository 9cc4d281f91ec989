// The shortcut page of the notes: the seven scale degrees, the rest and the drum note.
#pragma once

#include "app/dialogs/shortcut_key_page.h"

namespace brindle {

class CNoteKeyPage : public CShortcutKeyPage {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 247;

    explicit CNoteKeyPage(QWidget* parent = nullptr);
};

}  // namespace brindle
