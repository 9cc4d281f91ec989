#include "engine/model/page_text_view.h"

#include "engine/model/page_text.h"
#include "engine/model/score_painter.h"

namespace quaverly {

PageTextView::PageTextView(std::shared_ptr<PageText> text) : text_(std::move(text))
{
}

void PageTextView::DeleteSelected()
{
    NotificationPayload payload;
    NotifySelf(notification_id::kPageTextDelete, &payload);
}

void PageTextView::RequestEdit()
{
    if (!text_)
        return;
    NotificationPayload payload;
    payload.element = text_;
    payload.pageIndex = text_->GetPage();
    payload.textItem = &text_->GetTextData();
    ElementNotification notification{notification_id::kEditPageText, &payload, nullptr};
    Notify(notification);
}

void PageTextView::SetOffset(Point offset)
{
    EditableElement::SetOffset(offset);
    if (text_)
        text_->SetOffset(offset);
}

bool PageTextView::HitTest(Point point) const
{
    if (!text_)
        return false;
    const Rect rect = text_->GetTextData().rect.Moved(GetAbsolutePoint());
    return point.x >= rect.left && point.x <= rect.right && point.y >= rect.top &&
           point.y <= rect.bottom;
}

void PageTextView::Draw(ScorePainter& painter)
{
    if (!text_)
        return;
    PageTextData shown = text_->GetTextData();
    shown.rect = shown.rect.Moved(GetAbsolutePoint());
    painter.DrawPageText(shown, GetColor());
}

}  // namespace quaverly
