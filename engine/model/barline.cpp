#include "engine/model/barline.h"

#include <algorithm>

#include "engine/model/barline_mark.h"
#include "engine/model/pointer_list.h"
#include "engine/model/symbol_mark.h"

namespace quaverly {

namespace id = notification_id;

Barline::Barline() : Barline(barline_type::kNormal)
{
}

Barline::Barline(int type) : type_(type), mark_(std::make_shared<BarlineMark>())
{
}

Barline::~Barline() = default;

int Barline::GetMarkValue() const
{
    return mark_->GetValue();
}

void Barline::SetMarkValue(int value)
{
    mark_->SetValue(value);
}

void Barline::AddSymbol(SymbolPtr symbol)
{
    if (!symbol)
        return;
    symbols_.push_back(std::move(symbol));
    std::stable_sort(symbols_.begin(), symbols_.end(), [](const SymbolPtr& a, const SymbolPtr& b) {
        return a->GetIndex() < b->GetIndex();
    });
}

void Barline::RemoveSymbol(const SymbolMark* symbol)
{
    TakeEntry(symbols_, symbol);
}

int Barline::Notify(ElementNotification& notification)
{
    SymbolPtr symbol = FindEntry(symbols_, notification.sender);
    switch (notification.id) {
        case id::kSymbolMarkDelete:
            if (symbol) {
                // The symbol's own request is answered by a barline-symbol removal.
                NotificationPayload removal;
                removal.element = std::move(symbol);
                return NotifyParent(id::kBarlineSymbolDelete, &removal);
            }
            break;
        case id::kMoveDragStep:
        case id::kMoveRequest:
            if (symbol && notification.payload != nullptr)
                notification.payload->element = std::move(symbol);
            break;
        default:
            break;
    }
    notification.sender = this;
    return ScoreElement::Notify(notification);
}

}  // namespace quaverly
