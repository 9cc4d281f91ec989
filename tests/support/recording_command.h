// A command for history and group tests. Its Do and Undo append "<name>.Do" and
// "<name>.Undo" to a shared log and keep the painter they ran with; an optional action
// runs inside Do (to queue further commands, change the tree, ...), another inside Undo.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/commands/edit_command.h"

namespace quaverly::fakes {

class RecordingCommand : public EditCommand {
public:
    using Log = std::vector<std::string>;

    RecordingCommand(std::string name, std::shared_ptr<Log> log)
        : name_(std::move(name)), log_(std::move(log))
    {
    }

    void Do() override
    {
        Add(".Do");
        doPainters.push_back(Painter());
        if (onDo)
            onDo();
    }

    void Undo() override
    {
        Add(".Undo");
        undoPainters.push_back(Painter());
        if (onUndo)
            onUndo();
    }

    std::function<void()> onDo;
    std::function<void()> onUndo;
    std::vector<ScorePainter*> doPainters;    // the painter of every Do
    std::vector<ScorePainter*> undoPainters;  // the painter of every Undo

private:
    void Add(const char* what)
    {
        if (log_)
            log_->push_back(name_ + what);
    }

    std::string name_;
    std::shared_ptr<Log> log_;
};

inline std::shared_ptr<RecordingCommand> MakeCommand(const std::string& name,
                                                     const std::shared_ptr<RecordingCommand::Log>& log,
                                                     bool transient = false)
{
    auto command = std::make_shared<RecordingCommand>(name, log);
    command->SetTransient(transient);
    return command;
}

}  // namespace quaverly::fakes
