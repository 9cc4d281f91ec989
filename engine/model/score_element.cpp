#include "engine/model/score_element.h"

#include <algorithm>
#include <utility>

namespace quaverly {

ScoreElement::ScoreElement()
    : lifeToken_(std::make_shared<ScoreElement* const>(this))
{
}

ScoreElement::ScoreElement(const ScoreElement& other)
    : index_(other.index_),
      rect_(other.rect_),
      state_(other.state_),
      color_(other.color_),
      normalColor_(other.normalColor_),
      selectedColor_(other.selectedColor_),
      visible_(other.visible_),
      position_(other.position_),
      origin_(other.origin_),
      offset_(other.offset_),
      pointer_(other.pointer_),
      lifeToken_(std::make_shared<ScoreElement* const>(this))
{
}

ScoreElement::~ScoreElement()
{
    // Children that outlive this element (held elsewhere too) see no parent from now on.
    lifeToken_.reset();
}

ScoreElement* ScoreElement::GetParent() const
{
    const auto token = parent_.lock();
    return token ? *token : nullptr;
}

void ScoreElement::SetParent(ScoreElement* parent)
{
    if (parent == nullptr)
        parent_.reset();
    else
        parent_ = parent->lifeToken_;
}

void ScoreElement::PassToParent(int request)
{
    if (ScoreElement* parent = GetParent())
        parent->PassToParent(request);
}

int ScoreElement::Notify(ElementNotification& notification)
{
    ScoreElement* parent = GetParent();
    return parent ? parent->Notify(notification) : 0;
}

int ScoreElement::NotifySelf(int id, NotificationPayload* payload)
{
    ElementNotification notification{id, payload, this};
    return Notify(notification);
}

int ScoreElement::NotifyParent(int id, NotificationPayload* payload)
{
    ElementNotification notification{id, payload, this};
    return ScoreElement::Notify(notification);
}

int ScoreElement::NotifyModelMove(const NotificationPayload& move,
                                  std::shared_ptr<ScoreElement> element, int refreshId)
{
    NotificationPayload open;
    NotifyParent(notification_id::kBeginGroup, &open);
    NotificationPayload moved;
    moved.oldOffset = move.oldOffset;
    moved.newOffset = move.newOffset;
    moved.nudge = move.nudge;
    moved.element = std::move(element);
    NotifyParent(notification_id::kMoveRequest, &moved);
    NotificationPayload refresh;
    NotifyParent(refreshId, &refresh);
    NotificationPayload close;
    return NotifyParent(notification_id::kEndGroup, &close);
}

int ScoreElement::GetChildCount() const
{
    return static_cast<int>(children_.size());
}

ScoreElement::ElementPtr ScoreElement::GetChild(int i) const
{
    if (i < 0 || i >= GetChildCount())
        return nullptr;
    return children_[static_cast<std::size_t>(i)];
}

void ScoreElement::InsertChild(int i, ElementPtr child)
{
    if (!child || i < 0 || i > GetChildCount())
        return;
    children_.insert(children_.begin() + i, std::move(child));
}

void ScoreElement::AppendChild(ElementPtr child)
{
    if (child)
        children_.push_back(std::move(child));
}

void ScoreElement::RemoveChild(int i)
{
    if (i < 0 || i >= GetChildCount())
        return;
    const ElementPtr child = children_[static_cast<std::size_t>(i)];
    children_.erase(children_.begin() + i);
    child->SetParent(nullptr);
}

void ScoreElement::ClearChildren()
{
    std::vector<ElementPtr> released;
    released.swap(children_);
    for (const ElementPtr& child : released)
        child->SetParent(nullptr);
}

void ScoreElement::DeleteSelected() {}

void ScoreElement::RequestEdit() {}

void ScoreElement::MoveBy(Point, int) {}

void ScoreElement::Select()
{
    state_ = element_state::kSelected;
    SetColor(selectedColor_);
    NotificationPayload payload;
    payload.subject = this;
    NotifySelf(notification_id::kSelectionChanged, &payload);
}

void ScoreElement::Deselect()
{
    state_ = element_state::kNormal;
    SetColor(normalColor_);
    NotificationPayload payload;
    payload.subject = this;
    NotifySelf(notification_id::kSelectionChanged, &payload);
}

void ScoreElement::NudgeLeft() {}

void ScoreElement::NudgeRight() {}

void ScoreElement::NudgeUp() {}

void ScoreElement::NudgeDown() {}

void ScoreElement::SetVisible(bool visible)
{
    visible_ = visible;
}

bool ScoreElement::IsVisible() const
{
    return visible_;
}

void ScoreElement::SetIndex(int index)
{
    index_ = index;
}

int ScoreElement::GetIndex() const
{
    return index_;
}

void ScoreElement::SetRect(const Rect& rect)
{
    rect_ = rect;
}

Rect ScoreElement::GetRect() const
{
    return rect_;
}

Rect ScoreElement::GetExtent(ScorePainter&)
{
    return rect_;
}

void ScoreElement::SetOrigin(Point origin)
{
    origin_ = origin;
    PlaceChildren();
}

Point ScoreElement::GetOrigin() const
{
    return origin_;
}

void ScoreElement::SetPosition(Point position)
{
    position_ = position;
    PlaceChildren();
}

Point ScoreElement::GetPosition() const
{
    return position_;
}

void ScoreElement::SetOffset(Point offset)
{
    // An offset read from a document may be anything; held to ten metres of paper, the
    // layout's sums of offsets and widths stay far inside the int range.
    offset_ = HoldUserOffset(offset);
}

Point ScoreElement::GetOffset() const
{
    return offset_;
}

void ScoreElement::PlaceChildren()
{
    ForEachChild([this](ScoreElement& child) { child.SetOrigin(GetChildOrigin()); });
}

void ScoreElement::OnKeyDown(int key, int flags)
{
    ForEachChild([key, flags](ScoreElement& child) { child.OnKeyDown(key, flags); });
    if (key == key_code::kDelete && state_ == element_state::kSelected)
        DeleteSelected();
}

void ScoreElement::OnInputEvent(int first, int second)
{
    ForEachChild([first, second](ScoreElement& child) { child.OnInputEvent(first, second); });
}

Point ScoreElement::GetPointerPosition() const
{
    return pointer_;
}

void ScoreElement::OnButtonDown(Point point, int flags, int& handled)
{
    pointer_ = point;
    ForEachVisibleChild(
        [&](ScoreElement& child) { child.OnButtonDown(point, flags, handled); });
}

void ScoreElement::OnPointerMove(Point point, int flags)
{
    pointer_ = point;
    ForEachVisibleChild([&](ScoreElement& child) { child.OnPointerMove(point, flags); });
}

void ScoreElement::OnButtonUp(Point point, int flags)
{
    pointer_ = point;
    ForEachVisibleChild([&](ScoreElement& child) { child.OnButtonUp(point, flags); });
}

void ScoreElement::OnDoubleClick(Point point, int flags, int& handled)
{
    pointer_ = point;
    ForEachVisibleChild(
        [&](ScoreElement& child) { child.OnDoubleClick(point, flags, handled); });
    if (HitTest(point))
        RequestEdit();
}

int ScoreElement::SetState(int state)
{
    return std::exchange(state_, state);
}

int ScoreElement::GetState() const
{
    return state_;
}

bool ScoreElement::AcceptsInput(int) const
{
    return true;
}

bool ScoreElement::HitTest(Point point) const
{
    const Rect placed = rect_.Moved(GetAbsolutePoint());
    return placed.left <= point.x && point.x <= placed.right && placed.top <= point.y &&
           point.y <= placed.bottom;
}

int ScoreElement::SetColor(int color)
{
    return std::exchange(color_, color);
}

int ScoreElement::GetColor() const
{
    return color_;
}

void ScoreElement::Layout(ScorePainter& painter)
{
    ForEachChild([this, &painter](ScoreElement& child) {
        child.SetParent(this);
        child.Layout(painter);
    });
}

void ScoreElement::Draw(ScorePainter& painter)
{
    ForEachVisibleChild([&painter](ScoreElement& child) { child.Draw(painter); });
}

}  // namespace quaverly
