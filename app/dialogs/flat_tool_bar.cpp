#include "app/dialogs/flat_tool_bar.h"

#include <QMoveEvent>

namespace brindle {

CFlatToolBar::CFlatToolBar(QWidget* parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("CFlatToolBar"));
}

void CFlatToolBar::moveEvent(QMoveEvent* event)
{
    QToolBar::moveEvent(event);
    if (event->oldPos() == event->pos())
        return;
    if (QWidget* parent = parentWidget(); parent && !isWindow())
        parent->update(QRect(event->oldPos(), size()));
    update();
}

}  // namespace brindle
