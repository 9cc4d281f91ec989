#include "platform/command_manager.h"

#include <QAction>
#include <QMenu>
#include <QString>
#include <QTimer>

#include <utility>

namespace platform {

CommandManager::CommandManager(QObject* parent) : QObject(parent) {}

CommandManager::~CommandManager() = default;

void CommandManager::SetRoute(Route route) { route_ = std::move(route); }

std::vector<CommandTarget*> CommandManager::CurrentRoute() const
{
    std::vector<CommandTarget*> targets;
    if (route_)
        for (CommandTarget* target : route_())
            if (target)
                targets.push_back(target);
    return targets;
}

QAction* CommandManager::Action(int id)
{
    if (QAction* found = FindAction(id))
        return found;
    auto* action = new QAction(this);
    action->setData(id);
    // The shortcut of a command reaches it from anywhere in the window.
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
    actions_[id] = action;
    RunUpdate(id, action);  // a new action starts in the state its command is in
    return action;
}

QAction* CommandManager::FindAction(int id) const
{
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

int CommandManager::IdOf(const QAction* action) const
{
    for (const auto& [id, own] : actions_)
        if (own == action)
            return id;
    return 0;
}

bool CommandManager::RunUpdate(int id, QAction* action)
{
    CommandUI ui(id);
    bool enabled = false;
    bool decided = false;
    const auto targets = CurrentRoute();
    for (CommandTarget* target : targets)
        if (target->OnUpdateCommand(ui)) {
            decided = true;
            enabled = ui.Enabled().value_or(true);
            break;
        }
    if (!decided)
        for (CommandTarget* target : targets)
            if (target->HasCommand(id)) {
                enabled = true;
                break;
            }
    if (action) {
        action->setEnabled(enabled);
        if (ui.Checked()) {
            action->setCheckable(true);
            action->setChecked(*ui.Checked());
        }
        if (ui.Text())
            action->setText(QString::fromStdU16String(*ui.Text()));
    }
    return enabled;
}

bool CommandManager::Execute(int id)
{
    if (!RunUpdate(id, FindAction(id)))
        return false;
    for (CommandTarget* target : CurrentRoute())
        if (target->OnCommand(id))
            return true;
    return false;
}

void CommandManager::Update(int id) { RunUpdate(id, FindAction(id)); }

void CommandManager::UpdateAll()
{
    for (const auto& [id, action] : actions_)
        RunUpdate(id, action);
}

void CommandManager::UpdateMenu(QMenu* menu)
{
    for (QAction* action : menu->actions()) {
        if (QMenu* sub = action->menu())
            UpdateMenu(sub);
        else if (const int id = IdOf(action))
            RunUpdate(id, action);
    }
}

void CommandManager::WatchMenu(QMenu* menu)
{
    if (!menu)
        return;
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateMenu(menu); });
}

void CommandManager::StartIdleUpdates(int milliseconds)
{
    if (milliseconds <= 0) {
        if (idle_)
            idle_->stop();
        return;
    }
    if (!idle_) {
        idle_ = new QTimer(this);
        connect(idle_, &QTimer::timeout, this, &CommandManager::UpdateAll);
    }
    idle_->start(milliseconds);
}

}  // namespace platform
