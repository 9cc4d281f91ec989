// The message map of a window or of the application: handlers for command ids (menus,
// toolbar buttons, accelerators), their update handlers, and handlers of window messages.
// A command is offered to a chain of targets (the view, then the frame, then the
// application); the first that maps it handles it.
#pragma once

#include "platform/command_ui.h"
#include "platform/window_message.h"

#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace platform {

class CommandTarget {
public:
    using CommandHandler = std::function<void()>;
    using RangeHandler = std::function<void(int id)>;
    using UpdateHandler = std::function<void(CommandUI&)>;
    using MessageHandler = std::function<LResult(WParam, LParam)>;

    CommandTarget() = default;
    virtual ~CommandTarget() = default;
    CommandTarget(const CommandTarget&) = delete;
    CommandTarget& operator=(const CommandTarget&) = delete;

    // Mapping again replaces the handler. Ranges are inclusive; a single id wins over a
    // range that holds it.
    void MapCommand(int id, CommandHandler handler);
    void MapCommandRange(int first, int last, RangeHandler handler);
    void MapUpdate(int id, UpdateHandler handler);
    void MapUpdateRange(int first, int last, std::function<void(CommandUI&)> handler);
    void MapMessage(MessageId message, MessageHandler handler);

    // Runs the command's handler; false when this target has none. Derived classes may
    // pass what they do not handle on to an object of their own (the view to its document).
    virtual bool OnCommand(int id);
    // Runs the command's update handler; false when this target has none.
    virtual bool OnUpdateCommand(CommandUI& ui);
    // True when this target would handle the command.
    virtual bool HasCommand(int id) const;
    // Runs the message's handler; nullopt when this target has none.
    virtual std::optional<LResult> OnMessage(const WindowMessage& message);

private:
    struct Range {
        int first;
        int last;
        RangeHandler handler;
    };
    struct UpdateRange {
        int first;
        int last;
        UpdateHandler handler;
    };
    const RangeHandler* FindRange(int id) const;
    const UpdateHandler* FindUpdate(int id) const;

    std::map<int, CommandHandler> commands_;
    std::vector<Range> ranges_;
    std::map<int, UpdateHandler> updates_;
    std::vector<UpdateRange> updateRanges_;
    std::map<MessageId, MessageHandler> messages_;
};

}  // namespace platform
