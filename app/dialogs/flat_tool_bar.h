// The toolbar every toolbar of the main window is made from: flat buttons, and when it
// moves (docked elsewhere, or dragged while floating) what lay under its old place is
// repainted at once together with the toolbar itself, so no trace of it stays behind.
#pragma once

#include <QToolBar>

namespace brindle {

class CFlatToolBar : public QToolBar {
    Q_OBJECT

public:
    explicit CFlatToolBar(QWidget* parent = nullptr);

protected:
    void moveEvent(QMoveEvent* event) override;
};

}  // namespace brindle
