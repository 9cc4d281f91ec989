#include "platform/command_target.h"

#include <utility>

namespace platform {

void CommandTarget::MapCommand(int id, CommandHandler handler) { commands_[id] = std::move(handler); }

void CommandTarget::MapCommandRange(int first, int last, RangeHandler handler)
{
    if (first > last)
        std::swap(first, last);
    ranges_.push_back(Range{first, last, std::move(handler)});
}

void CommandTarget::MapUpdate(int id, UpdateHandler handler) { updates_[id] = std::move(handler); }

void CommandTarget::MapUpdateRange(int first, int last, std::function<void(CommandUI&)> handler)
{
    if (first > last)
        std::swap(first, last);
    updateRanges_.push_back(UpdateRange{first, last, std::move(handler)});
}

void CommandTarget::MapMessage(MessageId message, MessageHandler handler) { messages_[message] = std::move(handler); }

const CommandTarget::RangeHandler* CommandTarget::FindRange(int id) const
{
    // The range mapped last wins, as a later mapping replaces an earlier one.
    for (auto it = ranges_.rbegin(); it != ranges_.rend(); ++it)
        if (id >= it->first && id <= it->last && it->handler)
            return &it->handler;
    return nullptr;
}

const CommandTarget::UpdateHandler* CommandTarget::FindUpdate(int id) const
{
    if (auto it = updates_.find(id); it != updates_.end() && it->second)
        return &it->second;
    for (auto it = updateRanges_.rbegin(); it != updateRanges_.rend(); ++it)
        if (id >= it->first && id <= it->last && it->handler)
            return &it->handler;
    return nullptr;
}

bool CommandTarget::OnCommand(int id)
{
    if (auto it = commands_.find(id); it != commands_.end() && it->second) {
        // A copy: the handler may map commands again while it runs.
        CommandHandler handler = it->second;
        handler();
        return true;
    }
    if (const RangeHandler* range = FindRange(id)) {
        RangeHandler handler = *range;
        handler(id);
        return true;
    }
    return false;
}

bool CommandTarget::OnUpdateCommand(CommandUI& ui)
{
    const UpdateHandler* found = FindUpdate(ui.Id());
    if (!found)
        return false;
    UpdateHandler handler = *found;
    handler(ui);
    return true;
}

bool CommandTarget::HasCommand(int id) const
{
    if (auto it = commands_.find(id); it != commands_.end() && it->second)
        return true;
    return FindRange(id) != nullptr;
}

std::optional<LResult> CommandTarget::OnMessage(const WindowMessage& message)
{
    auto it = messages_.find(message.message);
    if (it == messages_.end() || !it->second)
        return std::nullopt;
    MessageHandler handler = it->second;
    return handler(message.wParam, message.lParam);
}

}  // namespace platform
