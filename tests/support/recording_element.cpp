#include "tests/support/recording_element.h"

#include <utility>

#include "engine/model/score_painter.h"

namespace quaverly::fakes {

RecordingElement::RecordingElement(std::string name, std::shared_ptr<Log> log)
    : name_(std::move(name)), log_(std::move(log))
{
}

void RecordingElement::Add(const char* event)
{
    if (log_)
        log_->push_back(name_ + "." + event);
}

void RecordingElement::HandleNotifications(int answer)
{
    handles_ = true;
    answer_ = answer;
}

int RecordingElement::Notify(ElementNotification& notification)
{
    Add("Notify");
    Received record;
    record.id = notification.id;
    record.sender = notification.sender;
    record.senderState = notification.sender ? notification.sender->GetState() : 0;
    if (notification.payload) {
        record.hasPayload = true;
        record.payload = *notification.payload;
    }
    received_.push_back(std::move(record));
    if (handles_)
        return answer_;
    return ContainerElement::Notify(notification);
}

void RecordingElement::DeleteSelected()
{
    Add("DeleteSelected");
}

void RecordingElement::RequestEdit()
{
    Add("RequestEdit");
}

void RecordingElement::OnKeyDown(int key, int flags)
{
    Add("OnKeyDown");
    ContainerElement::OnKeyDown(key, flags);
}

void RecordingElement::OnInputEvent(int first, int second)
{
    Add("OnInputEvent");
    ContainerElement::OnInputEvent(first, second);
}

void RecordingElement::OnButtonDown(Point point, int flags, int& handled)
{
    Add("OnButtonDown");
    ContainerElement::OnButtonDown(point, flags, handled);
}

void RecordingElement::OnPointerMove(Point point, int flags)
{
    Add("OnPointerMove");
    ContainerElement::OnPointerMove(point, flags);
}

void RecordingElement::OnButtonUp(Point point, int flags)
{
    Add("OnButtonUp");
    ContainerElement::OnButtonUp(point, flags);
}

void RecordingElement::OnDoubleClick(Point point, int flags, int& handled)
{
    Add("OnDoubleClick");
    ContainerElement::OnDoubleClick(point, flags, handled);
}

void RecordingElement::Layout(ScorePainter& painter)
{
    Add("Layout");
    ContainerElement::Layout(painter);
}

void RecordingElement::Draw(ScorePainter& painter)
{
    Add("Draw");
    painter.DrawFrameRect(GetRect().Moved(GetAbsolutePoint()), GetColor());
    ContainerElement::Draw(painter);
}

}  // namespace quaverly::fakes
