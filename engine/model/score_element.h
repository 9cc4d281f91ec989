// The base of every element of the score model and of its laid-out view.
//
// An element has children (held by shared pointers, in drawing and broadcast order), a
// plain back pointer to the parent that last laid it out, a geometry (rectangle,
// origin given by the parent, position, user offset), a selection and colour state, a
// way of talking upward (a notification passed from parent to parent until an element
// handles it) and a way of receiving keys, pointer events, layout and drawing from
// above (broadcast to the children). Measuring and drawing always go through the
// ScorePainter that the caller passes down; an element never touches a device.
//
// Broadcasts read the child count again after every child and hold a copy of the
// child's shared pointer for the duration of the call, so children that are added or
// removed meanwhile are respected and a child that removes itself stays alive until
// its call returns.
//
// The parent pointer never dangles: it is cleared when the element is taken out of a
// child list (RemoveChild, ClearChildren), and it reads as null once the parent has
// been destroyed, so a later notification never climbs into a destroyed node.
#pragma once

#include <memory>
#include <vector>

#include "engine/model/element_notification.h"
#include "engine/model/layout_types.h"

namespace quaverly {

class ScorePainter;

// Selection states.
namespace element_state {
inline constexpr int kNormal = 1;
inline constexpr int kSelected = 2;
}  // namespace element_state

// Key codes that the elements act on.
namespace key_code {
inline constexpr int kLeft = 37;
inline constexpr int kUp = 38;
inline constexpr int kRight = 39;
inline constexpr int kDown = 40;
inline constexpr int kDelete = 46;
}  // namespace key_code

// Bits of the flags word of key and pointer events.
namespace input_flag {
inline constexpr int kKeepSelection = 1;  // keep other selections; arrow keys nudge
inline constexpr int kFreezeX = 2;        // a drag leaves x unchanged
inline constexpr int kFreezeY = 4;        // a drag leaves y unchanged
}  // namespace input_flag

// Bit 0 of the handled word of a button-down or double click: set by the first element
// that takes the event, read by the elements that see it later.
inline constexpr int kEventTaken = 1;

class ScoreElement {
public:
    using ElementPtr = std::shared_ptr<ScoreElement>;

    ScoreElement();
    ScoreElement& operator=(const ScoreElement&) = delete;

    // The virtual operations, in slot order.
    virtual ~ScoreElement();

    // Passes the integer to the parent; nothing without a parent. No element acts on it.
    virtual void PassToParent(int request);
    // Passes the record to the parent and returns its answer; 0 without a parent.
    // Classes that own children override it to fill payload fields or to act, then call
    // this to pass the record on.
    virtual int Notify(ElementNotification& notification);

    virtual int GetChildCount() const;
    // Child i, or an empty pointer when i is not in 0..count-1.
    virtual ElementPtr GetChild(int i) const;
    // Inserts before position i (i = count appends). A null child or a position outside
    // 0..count is ignored.
    virtual void InsertChild(int i, ElementPtr child);
    virtual void AppendChild(ElementPtr child);  // a null child is ignored
    // Erases child i (later children move down) and clears its parent pointer; a
    // position outside 0..count-1 is ignored.
    virtual void RemoveChild(int i);
    // Releases all children and clears their parent pointers.
    virtual void ClearChildren();

    virtual void DeleteSelected();  // empty; deletable elements send their removal
    virtual void RequestEdit();     // empty; in-place editable texts send their request
    virtual void MoveBy(Point delta, int flags);  // empty; editable elements drag
    // State 2 and the selected colour, then notification 1058 to itself.
    virtual void Select();
    // State 1 and the normal colour, then notification 1058 to itself.
    virtual void Deselect();
    virtual void NudgeLeft();  // the four nudges are empty; editable elements nudge
    virtual void NudgeRight();
    virtual void NudgeUp();
    virtual void NudgeDown();

    virtual void SetVisible(bool visible);
    virtual bool IsVisible() const;
    virtual void SetIndex(int index);
    virtual int GetIndex() const;
    virtual void SetRect(const Rect& rect);
    virtual Rect GetRect() const;
    // The rectangle; classes with computed extents measure through the painter.
    virtual Rect GetExtent(ScorePainter& painter);
    // Stores the origin, then places the children.
    virtual void SetOrigin(Point origin);
    virtual Point GetOrigin() const;
    // Stores the position, then places the children.
    virtual void SetPosition(Point position);
    virtual Point GetPosition() const;
    // Stores the offset, each coordinate held to +-kMaxUserOffset; the children are not
    // placed again.
    virtual void SetOffset(Point offset);
    virtual Point GetOffset() const;

    // Broadcast to all children, visible or not; then Delete on a selected element
    // calls DeleteSelected.
    virtual void OnKeyDown(int key, int flags);
    virtual void OnInputEvent(int first, int second);  // broadcast to all children
    virtual Point GetPointerPosition() const;
    // Each stores the point and is broadcast to the visible children.
    virtual void OnButtonDown(Point point, int flags, int& handled);
    virtual void OnPointerMove(Point point, int flags);
    virtual void OnButtonUp(Point point, int flags);
    // As above; then RequestEdit when the point hits this element.
    virtual void OnDoubleClick(Point point, int flags, int& handled);

    virtual int SetState(int state);  // returns the previous state
    virtual int GetState() const;
    virtual bool AcceptsInput(int kind) const;  // always true
    // The rectangle moved by origin + position + offset; all four edges are inside.
    virtual bool HitTest(Point point) const;
    virtual int SetColor(int color);  // returns the previous colour index
    virtual int GetColor() const;
    // For every child: this element becomes its parent, then the child is laid out.
    virtual void Layout(ScorePainter& painter);
    // Draws every visible child.
    virtual void Draw(ScorePainter& painter);

    // --- Non-virtual helpers ---

    // The parent that last laid this element out; null before the first layout, after
    // removal and once the parent is gone.
    ScoreElement* GetParent() const;
    void SetParent(ScoreElement* parent);

    int GetNormalColor() const { return normalColor_; }
    void SetNormalColor(int color) { normalColor_ = color; }
    int GetSelectedColor() const { return selectedColor_; }
    void SetSelectedColor(int color) { selectedColor_ = color; }

    // Origin + position: the origin this element gives its children.
    Point GetChildOrigin() const { return OffsetPoint(origin_, position_); }
    // Origin + position + offset: where this element draws its rectangle.
    Point GetAbsolutePoint() const { return OffsetPoint(GetChildOrigin(), offset_); }

    // Sends a record {id, payload, this} through this element's own Notify.
    int NotifySelf(int id, NotificationPayload* payload);
    // Sends a record {id, payload, this} that starts at the parent, bypassing this
    // element's own Notify override.
    int NotifyParent(int id, NotificationPayload* payload);
    // Passes a finished move (1060 {old, new}) of a view of a model element on as one
    // recorded step, starting at the parent: the move made on the element itself, then
    // the record `refreshId`, which has the element's views made afresh, bracketed by
    // 1072 and 1073. Views are made anew by every layout: a step that held the view
    // would, undone later, change a view nobody shows any more instead of the document.
    int NotifyModelMove(const NotificationPayload& move, std::shared_ptr<ScoreElement> element,
                        int refreshId);

protected:
    // A copy has the geometry, selection and colour state of the original but no
    // parent and no children; subclasses use it to clone elements.
    ScoreElement(const ScoreElement& other);

    // Gives every child the origin GetChildOrigin().
    void PlaceChildren();
    void StorePointerPosition(Point point) { pointer_ = point; }
    const std::vector<ElementPtr>& Children() const { return children_; }

    // Calls f(child) for every child, reading the count again after each call and
    // holding the child alive for its duration.
    template <class F>
    void ForEachChild(F&& f)
    {
        for (std::size_t i = 0; i < children_.size(); ++i) {
            ElementPtr child = children_[i];
            f(*child);
        }
    }
    // The same over the children whose IsVisible is true.
    template <class F>
    void ForEachVisibleChild(F&& f)
    {
        ForEachChild([&f](ScoreElement& child) {
            if (child.IsVisible())
                f(child);
        });
    }

private:
    int index_ = 0;
    Rect rect_;
    int state_ = element_state::kNormal;
    int color_ = color_index::kNormal;
    int normalColor_ = color_index::kNormal;
    int selectedColor_ = color_index::kSelected;
    bool visible_ = true;
    Point position_;
    Point origin_;
    Point offset_;
    // The parent is known through its life token: the weak reference expires when the
    // parent is destroyed, so the pointer can never dangle.
    std::weak_ptr<ScoreElement* const> parent_;
    std::vector<ElementPtr> children_;
    Point pointer_;
    std::shared_ptr<ScoreElement* const> lifeToken_;
};

}  // namespace quaverly
