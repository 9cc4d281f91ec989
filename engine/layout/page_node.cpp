#include "engine/layout/page_node.h"

#include <algorithm>

#include "engine/layout/layout_mark_view.h"
#include "engine/model/drawn_area.h"
#include "engine/model/int_clamp.h"
#include "engine/model/page_text.h"
#include "engine/model/page_text_view.h"
#include "engine/model/score.h"
#include "engine/model/score_painter.h"

namespace quaverly {

namespace id = notification_id;

namespace {

// The ids whose records name the line they came through, and how.
enum class LineSlot { kNone, kSystem, kSystemAndNumber };

LineSlot LineSlotOf(int notice)
{
    switch (notice) {
        case id::kNoteDelete:
        case id::kTimeSignatureDelete:
        case id::kSystemIndentDrag:
        case id::kSystemIndentRelease:
        case id::kSystemRightEndDrag:
        case id::kSystemRightEndRelease:
        case id::kGraceNoteDelete:
        case id::kBarsPerLineDelete:
        case id::kSymbolMarkDelete:
        case id::kBarlineSymbolDelete:
        case id::kChordNoteSymbolMarkDelete:
        case id::kGraceNoteSymbolMarkDelete:
        case id::kInstrumentNameDelete:
        case id::kBarWidthDrag:
        case id::kBarWidthRelease:
        case id::kChordNoteDelete:
        case id::kVerseOffsetDrag:
        case id::kVerseOffsetRelease:
        case id::kTupletDelete:
        case id::kBarlineMarkDelete:
        case id::kNoteDragStep:
        case id::kKeySignatureDelete:
        case id::kTempoMarkDelete:
        case id::kExpressionTextDelete:
        case id::kLyricDelete:
        case id::kLineBreakDelete:
        case id::kTrackPositionDrag:
        case id::kTrackPositionRelease:
        case id::kNoteOffsetDrag:
        case id::kNoteOffsetChange:
            return LineSlot::kSystem;
        case id::kStaffSpacingDrag:
        case id::kStaffSpacingRelease:
            return LineSlot::kSystemAndNumber;
        default:
            return LineSlot::kNone;
    }
}

}  // namespace

PageNode::PageNode(std::shared_ptr<Score> score) : score_(std::move(score))
{
    SetColor(color_index::kPage);
    SetNormalColor(color_index::kPage);
}

PageNode::~PageNode() = default;

std::vector<ScoreElement::ElementPtr> PageNode::Owned() const
{
    std::vector<ElementPtr> owned;
    if (marker_)
        owned.push_back(marker_);
    for (const auto& view : textViews_)
        owned.push_back(view);
    return owned;
}

void PageNode::PlaceOwned()
{
    for (const ElementPtr& element : Owned())
        element->SetOrigin(GetChildOrigin());
}

void PageNode::SetOrigin(Point origin)
{
    ContainerElement::SetOrigin(origin);
    PlaceOwned();
}

void PageNode::SetPosition(Point position)
{
    ContainerElement::SetPosition(position);
    PlaceOwned();
}

void PageNode::OnKeyDown(int key, int flags)
{
    ContainerElement::OnKeyDown(key, flags);
    for (const ElementPtr& element : Owned())
        element->OnKeyDown(key, flags);
}

void PageNode::OnInputEvent(int first, int second)
{
    ContainerElement::OnInputEvent(first, second);
    for (const ElementPtr& element : Owned())
        element->OnInputEvent(first, second);
}

void PageNode::OnButtonDown(Point point, int flags, int& handled)
{
    ContainerElement::OnButtonDown(point, flags, handled);
    for (const ElementPtr& element : Owned())
        element->OnButtonDown(point, flags, handled);
}

void PageNode::OnPointerMove(Point point, int flags)
{
    ContainerElement::OnPointerMove(point, flags);
    for (const ElementPtr& element : Owned())
        element->OnPointerMove(point, flags);
}

void PageNode::OnButtonUp(Point point, int flags)
{
    ContainerElement::OnButtonUp(point, flags);
    for (const ElementPtr& element : Owned())
        element->OnButtonUp(point, flags);
}

void PageNode::OnDoubleClick(Point point, int flags, int& handled)
{
    ContainerElement::OnDoubleClick(point, flags, handled);
    for (const ElementPtr& element : Owned())
        element->OnDoubleClick(point, flags, handled);
}

void PageNode::Layout(ScorePainter& painter)
{
    const Point origin = GetChildOrigin();
    marker_.reset();
    textViews_.clear();
    if (!score_)
        return;
    const auto& linesPerPage = score_->GetLinesPerPage();
    if (const auto entry = linesPerPage.find(GetIndex()); entry != linesPerPage.end()) {
        marker_ = std::make_shared<LinesPerPageMarkView>();
        marker_->SetPageIndex(entry->first);
        marker_->SetLinesPerPage(entry->second);
        marker_->SetOrigin(origin);
        marker_->SetParent(this);
        marker_->Layout(painter);
        const Rect page = GetRect();
        const Rect mark = marker_->GetRect();
        marker_->SetPosition(
            {ClampToInt(static_cast<long long>(page.Width()) - mark.Width()),
             ClampToInt(static_cast<long long>(page.Height()) + mark.Height() + 200)});
    }
    for (const auto& text : score_->GetPageTexts()) {
        if (!text || text->GetPage() != GetIndex())
            continue;
        auto view = std::make_shared<PageTextView>(text);
        view->SetOrigin(origin);
        view->SetOffset(text->GetOffset());
        view->SetParent(this);
        view->Layout(painter);
        textViews_.push_back(std::move(view));
    }
}

Rect PageNode::InkReach(const Rect& rect)
{
    return Rect{ClampToInt(static_cast<long long>(rect.left) - kInkReachBelow),
                ClampToInt(static_cast<long long>(rect.top) - kInkReachAbove),
                ClampToInt(static_cast<long long>(rect.right) + kInkReachBelow),
                ClampToInt(static_cast<long long>(rect.bottom) + kInkReachBelow)};
}

void PageNode::Draw(ScorePainter& painter)
{
    // A pass that draws part of the page draws the lines that can reach it.
    ForEachVisibleChild([&painter](ScoreElement& line) {
        if (IsAreaDrawn(painter, InkReach(line.GetRect().Moved(line.GetAbsolutePoint()))))
            line.Draw(painter);
    });
    if (showBorder_)
        painter.DrawFrameRect2(GetRect().Moved(GetAbsolutePoint()), GetColor());
    for (const ElementPtr& element : Owned())
        element->Draw(painter);
}

int PageNode::Notify(ElementNotification& notification)
{
    NotificationPayload* payload = notification.payload;
    const ScoreElement* sender = notification.sender;
    const auto findView = [&]() -> std::shared_ptr<PageTextView> {
        for (const auto& view : textViews_) {
            if (view.get() == sender)
                return view;
        }
        return nullptr;
    };

    if (payload != nullptr) {
        const LineSlot slot = LineSlotOf(notification.id);
        if (slot != LineSlot::kNone) {
            const int count = GetChildCount();
            for (int i = 0; i < count; ++i) {
                ElementPtr line = GetChild(i);
                if (line.get() != sender)
                    continue;
                if (slot == LineSlot::kSystemAndNumber)
                    payload->systemNumber = i;
                payload->system = std::move(line);
                break;
            }
        } else if (notification.id == id::kPageTextDelete) {
            if (const auto view = findView())
                payload->element = view->GetPageText();
        } else if (notification.id == id::kMoveDragStep) {
            if (auto view = findView())
                payload->element = std::move(view);
        } else if (notification.id == id::kMoveRequest) {
            if (const auto view = findView()) {
                // The move of a page text is recorded on the text itself.
                NotificationPayload moved;
                moved.oldOffset = payload->oldOffset;
                moved.newOffset = payload->newOffset;
                moved.nudge = payload->nudge;
                moved.element = view->GetPageText();
                ElementNotification record{id::kPageTextMoved, &moved, this};
                return ContainerElement::Notify(record);
            }
        }
    }
    notification.sender = this;
    return ContainerElement::Notify(notification);
}

}  // namespace quaverly
