#include "app/dialogs/slider_tool_bar.h"

#include "platform/frame_window_base.h"
#include "platform/message_port.h"

#include <QAbstractSlider>
#include <QApplication>
#include <QChildEvent>

namespace brindle {
namespace {

const char* const kWatched = "brindleTempoWatched";

}  // namespace

CSliderToolBar::CSliderToolBar(QWidget* parent) : CFlatToolBar(parent) {}

void CSliderToolBar::childEvent(QChildEvent* event)
{
    CFlatToolBar::childEvent(event);
    if (event->added() || event->type() == QEvent::ChildPolished)
        if (auto* slider = qobject_cast<QAbstractSlider*>(event->child()))
            Watch(slider);
}

void CSliderToolBar::Watch(QAbstractSlider* slider)
{
    if (slider->property(kWatched).toBool())
        return;
    slider->setProperty(kWatched, true);
    // The user's moves only: the position is already adjusted when the action is reported.
    connect(slider, &QAbstractSlider::actionTriggered, this, [this, slider](int action) {
        if (action != QAbstractSlider::SliderNoAction)
            PostPosition(*slider);
    });
    connect(slider, &QAbstractSlider::sliderReleased, this, [this, slider] { PostPosition(*slider); });
}

void CSliderToolBar::PostPosition(const QAbstractSlider& slider)
{
    if (platform::MessagePort* port = MainWindow())
        port->Post(kMsgTempo, static_cast<platform::WParam>(slider.sliderPosition()), 0);
}

platform::MessagePort* CSliderToolBar::MainWindow() const
{
    if (notify_)
        return notify_;
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* frame = qobject_cast<platform::FrameWindowBase*>(w))
            return &frame->Port();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* frame = qobject_cast<platform::FrameWindowBase*>(top))
            return &frame->Port();
    return nullptr;
}

}  // namespace brindle
