// Command ids as QActions: one action per id, shared by the menus, toolbars and
// shortcuts that show the command. Triggering an action offers the command to the route
// (the view, then the frame, then the application); the first target that maps it
// handles it. Update handlers decide whether an action is enabled and checked: they run
// when a watched menu opens, on idle for everything else, and just before a command
// runs, so a disabled command never runs. A command that no target maps is disabled; one
// that is mapped but has no update handler is enabled.
#pragma once

#include "platform/command_target.h"

#include <QObject>

#include <functional>
#include <map>
#include <vector>

class QAction;
class QMenu;
class QTimer;

namespace platform {

class CommandManager : public QObject {
    Q_OBJECT

public:
    using Route = std::function<std::vector<CommandTarget*>()>;

    explicit CommandManager(QObject* parent = nullptr);
    ~CommandManager() override;

    // The chain of targets, asked afresh for every command (the active view may change).
    // Null entries are skipped.
    void SetRoute(Route route);
    std::vector<CommandTarget*> CurrentRoute() const;

    // The action of a command id, made on first use (in the state its update handler
    // gives) and owned by the manager.
    QAction* Action(int id);
    QAction* FindAction(int id) const;
    // The id of an action made here; 0 for any other.
    int IdOf(const QAction* action) const;

    // Runs the command through the route after its update handler allowed it; false when
    // it is disabled or nobody handled it.
    bool Execute(int id);

    // Runs the update handler of one command (or of all) and applies what it said.
    void Update(int id);
    void UpdateAll();

    // The actions of the menu (and its submenus) are updated every time it opens.
    void WatchMenu(QMenu* menu);
    // Updates every action every `milliseconds` while the event loop runs, so toolbar
    // buttons, which have no opening moment of their own, follow their commands. 0 stops.
    void StartIdleUpdates(int milliseconds = 200);

private:
    void UpdateMenu(QMenu* menu);
    bool RunUpdate(int id, QAction* action);

    Route route_;
    std::map<int, QAction*> actions_;
    QTimer* idle_ = nullptr;
};

}  // namespace platform
