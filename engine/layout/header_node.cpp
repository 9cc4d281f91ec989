#include "engine/layout/header_node.h"

#include "engine/model/header_text.h"
#include "engine/model/score.h"
#include "engine/model/score_painter.h"

namespace quaverly {

namespace id = notification_id;

HeaderNode::HeaderNode(std::shared_ptr<Score> score) : SystemNode(std::move(score)) {}

HeaderNode::~HeaderNode() = default;

std::vector<std::shared_ptr<HeaderText>> HeaderNode::Texts() const
{
    const auto& score = GetModel();
    if (!score)
        return {};
    return {score->GetTitleText(), score->GetSubtitleText(), score->GetPoetText(),
            score->GetComposerText(), score->GetSingerText(), score->GetAdapterText()};
}

Rect HeaderNode::GetExtent(ScorePainter& painter)
{
    return {0, 0, 0, painter.GetMetric101()};
}

void HeaderNode::SetOrigin(Point origin)
{
    ContainerElement::SetOrigin(origin);
    for (const auto& text : Texts())
        text->SetOrigin(GetChildOrigin());
}

void HeaderNode::SetPosition(Point position)
{
    ContainerElement::SetPosition(position);
    for (const auto& text : Texts())
        text->SetOrigin(GetChildOrigin());
}

void HeaderNode::OnKeyDown(int key, int flags)
{
    ContainerElement::OnKeyDown(key, flags);
    for (const auto& text : Texts())
        text->OnKeyDown(key, flags);
}

void HeaderNode::OnInputEvent(int first, int second)
{
    ContainerElement::OnInputEvent(first, second);
    for (const auto& text : Texts())
        text->OnInputEvent(first, second);
}

void HeaderNode::OnButtonDown(Point point, int flags, int& handled)
{
    ContainerElement::OnButtonDown(point, flags, handled);
    for (const auto& text : Texts())
        text->OnButtonDown(point, flags, handled);
}

void HeaderNode::OnPointerMove(Point point, int flags)
{
    ContainerElement::OnPointerMove(point, flags);
    for (const auto& text : Texts())
        text->OnPointerMove(point, flags);
}

void HeaderNode::OnButtonUp(Point point, int flags)
{
    ContainerElement::OnButtonUp(point, flags);
    for (const auto& text : Texts())
        text->OnButtonUp(point, flags);
}

void HeaderNode::OnDoubleClick(Point point, int flags, int& handled)
{
    ContainerElement::OnDoubleClick(point, flags, handled);
    for (const auto& text : Texts())
        text->OnDoubleClick(point, flags, handled);
}

void HeaderNode::Layout(ScorePainter& painter)
{
    const auto texts = Texts();
    if (texts.empty())
        return;
    for (const auto& text : texts) {
        text->SetParent(this);
        text->Layout(painter);
    }
    Rect rect = GetRect();
    rect.bottom = rect.top + GetExtent(painter).Height();
    SetRect(rect);
    const int width = rect.Width();
    const int height = rect.Height();
    const Point origin = GetChildOrigin();

    const auto& score = *GetModel();
    const Size title = painter.MeasureTitle(score.GetTitleText()->GetText());
    score.GetTitleText()->SetOrigin(origin);
    score.GetTitleText()->SetPosition({(width - title.cx) / 2, 0});
    const Size subtitle = painter.MeasureSubtitle(score.GetSubtitleText()->GetText());
    score.GetSubtitleText()->SetOrigin(origin);
    score.GetSubtitleText()->SetPosition(
        {(width - subtitle.cx) / 2, title.cy + painter.GetMetric103()});

    // The right column, from the bottom of the heading upward.
    int y = height;
    bool first = true;
    const std::shared_ptr<HeaderText> column[] = {score.GetSingerText(), score.GetAdapterText(),
                                                  score.GetPoetText(), score.GetComposerText()};
    for (const auto& text : column) {
        if (text->GetText().empty())
            continue;
        const Size size = text == column[2] ? painter.MeasurePoetText(text->GetText())
                                            : painter.MeasureComposerText(text->GetText());
        const int gap = first ? painter.GetMetric106() : painter.GetMetric103();
        first = false;
        y -= size.cy + gap;
        text->SetOrigin(origin);
        text->SetPosition({width - size.cx - painter.GetMetric105(), y});
    }
}

void HeaderNode::Draw(ScorePainter& painter)
{
    for (const auto& text : Texts())
        text->Draw(painter);
}

int HeaderNode::Notify(ElementNotification& notification)
{
    NotificationPayload* payload = notification.payload;
    if (payload != nullptr &&
        (notification.id == id::kHeaderTextDelete || notification.id == id::kMoveDragStep ||
         notification.id == id::kMoveRequest)) {
        for (const auto& text : Texts()) {
            if (text.get() == notification.sender) {
                payload->element = text;
                break;
            }
        }
    }
    notification.sender = this;
    return ContainerElement::Notify(notification);
}

}  // namespace quaverly
