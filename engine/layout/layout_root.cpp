#include "engine/layout/layout_root.h"

#include "engine/layout/system_node.h"

namespace quaverly {

namespace id = notification_id;

std::shared_ptr<SystemNode> FindSystemOfBar(const ScoreElement& root, int bar, int* page)
{
    const int pages = root.GetChildCount();
    for (int i = 0; i < pages; ++i) {
        const auto pageNode = root.GetChild(i);
        const int lines = pageNode ? pageNode->GetChildCount() : 0;
        for (int j = 0; j < lines; ++j) {
            auto system = std::dynamic_pointer_cast<SystemNode>(pageNode->GetChild(j));
            if (system && system->GetBarRange().Contains(bar)) {
                if (page != nullptr)
                    *page = i;
                return system;
            }
        }
    }
    return nullptr;
}

std::shared_ptr<SystemNode> FindSystemOfBar(const ScoreElement& root, int bar)
{
    return FindSystemOfBar(root, bar, nullptr);
}

LayoutRoot::LayoutRoot() : selection_(std::make_shared<SelectionRange>())
{
    selection_->SetOwner(this);
    selection_->SetParent(this);
}

LayoutRoot::~LayoutRoot()
{
    selection_->SetOwner(nullptr);
}

void LayoutRoot::ClearChildren()
{
    ContainerElement::ClearChildren();
    currentPage_ = 0;
    selection_->Clear();
}

void LayoutRoot::OnKeyDown(int key, int flags)
{
    if (const ElementPtr page = GetCurrentPageNode())
        page->OnKeyDown(key, flags);
    if (key == key_code::kDelete && GetState() == element_state::kSelected)
        DeleteSelected();
}

void LayoutRoot::OnInputEvent(int first, int second)
{
    if (const ElementPtr page = GetCurrentPageNode())
        page->OnInputEvent(first, second);
}

void LayoutRoot::OnButtonDown(Point point, int flags, int& handled)
{
    StorePointerPosition(point);
    anchor_.y = -1;
    if (const ElementPtr page = GetCurrentPageNode())
        page->OnButtonDown(point, flags, handled);
    const bool keep = (flags & input_flag::kKeepSelection) != 0;
    if (anchor_.y == -1) {
        if (!keep)
            selection_->Clear();
    } else if (keep) {
        selection_->Extend(anchor_.x, anchor_.y);
    } else if (selection_->IsValid()) {
        if (selection_->CoversBar(anchor_.y))
            selection_->Extend(anchor_.x, anchor_.y);
        else
            selection_->Clear();
    }
}

void LayoutRoot::OnPointerMove(Point point, int flags)
{
    StorePointerPosition(point);
    if (const ElementPtr page = GetCurrentPageNode())
        page->OnPointerMove(point, flags);
}

void LayoutRoot::OnButtonUp(Point point, int flags)
{
    StorePointerPosition(point);
    if (const ElementPtr page = GetCurrentPageNode())
        page->OnButtonUp(point, flags);
}

void LayoutRoot::OnDoubleClick(Point point, int flags, int& handled)
{
    StorePointerPosition(point);
    if (const ElementPtr page = GetCurrentPageNode())
        page->OnDoubleClick(point, flags, handled);
}

void LayoutRoot::Layout(ScorePainter& painter)
{
    ContainerElement::Layout(painter);
    selection_->SetParent(this);
    selection_->Layout(painter);
}

void LayoutRoot::Draw(ScorePainter& painter)
{
    if (const ElementPtr page = GetCurrentPageNode())
        page->Draw(painter);
    selection_->Draw(painter);
}

int LayoutRoot::Notify(ElementNotification& notification)
{
    NotificationPayload* payload = notification.payload;
    int pageIndex = -1;
    ElementPtr page;
    const int count = GetChildCount();
    for (int i = 0; i < count; ++i) {
        ElementPtr child = GetChild(i);
        if (child && child.get() == notification.sender) {
            pageIndex = i;
            page = std::move(child);
            break;
        }
    }
    if (payload != nullptr && page) {
        switch (notification.id) {
            case id::kTimeSignatureDelete:
            case id::kLineBreakDelete:
            case id::kBarsPerLineDelete:
            case id::kTrackPositionDrag:
            case id::kTrackPositionRelease:
            case id::kSystemIndentDrag:
            case id::kSystemIndentRelease:
            case id::kSystemRightEndDrag:
            case id::kSystemRightEndRelease:
            case id::kStaffSpacingDrag:
            case id::kStaffSpacingRelease:
            case id::kNoteOffsetDrag:
            case id::kNoteOffsetChange:
            case id::kVerseOffsetDrag:
            case id::kVerseOffsetRelease:
                payload->pageIndex = pageIndex;
                break;
            case id::kPageTextDelete:
            case id::kPageTextMoved:
                payload->page = page;
                break;
            case id::kBarSelected:
                anchor_ = {payload->trackIndex, payload->barIndex};
                break;
            case id::kBarDoubleClicked:
                // The block is set anew: the notes of the block before it are no longer
                // selected (typing would change them too).
                selection_->DeselectNotes();
                selection_->SetFirst(payload->trackIndex, payload->barIndex);
                selection_->Extend(payload->trackIndex, payload->barIndex);
                break;
            default:
                break;
        }
    }
    notification.sender = this;
    return ContainerElement::Notify(notification);
}

}  // namespace quaverly
