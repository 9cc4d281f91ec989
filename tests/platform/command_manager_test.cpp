// Command routing through the view, the frame and the application, update handlers on
// actions, menus and idle updates, and accelerators kept from edit boxes.
#include "platform/accelerator_guard.h"
#include "platform/command_manager.h"
#include "platform/view_base.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::CommandManager;
using platform::CommandTarget;
using platform::CommandUI;

constexpr int kZoomIn = 140;
constexpr int kPalette = 32984;
constexpr int kAbout = 57664;
constexpr int kRecentFirst = 57616;
constexpr int kRecentLast = 57631;

// A view with a zoom command whose update handler depends on the view's state.
class ZoomView : public platform::ViewBase {
public:
    ZoomView()
    {
        MapCommand(kZoomIn, [this] { ++zoomIndex; });
        MapUpdate(kZoomIn, [this](CommandUI& ui) {
            ui.Enable(scoreReady && zoomIndex < 8);
            ui.SetCheck(zoomIndex == 8 ? 1 : 0);
        });
    }
    bool scoreReady = true;
    int zoomIndex = 3;
};

struct Chain {
    ZoomView view;
    CommandTarget frame;
    CommandTarget app;
    CommandManager manager;
    std::vector<std::string> log;

    Chain()
    {
        manager.SetRoute([this] { return std::vector<CommandTarget*>{&view, &frame, &app}; });
        frame.MapCommand(kPalette, [this] { log.push_back("frame palette"); });
        app.MapCommand(kPalette, [this] { log.push_back("app palette"); });
        app.MapCommand(kAbout, [this] { log.push_back("app about"); });
        app.MapCommandRange(kRecentFirst, kRecentLast, [this](int id) { log.push_back("recent " + std::to_string(id - kRecentFirst)); });
    }
};

TEST(CommandManagerTest, ACommandReachesTheViewsHandlerAndItsUpdateHandlerGreysAndChecksTheAction)
{
    Chain chain;
    QAction* zoom = chain.manager.Action(kZoomIn);
    EXPECT_EQ(chain.manager.Action(kZoomIn), zoom);  // one action per id
    EXPECT_EQ(chain.manager.IdOf(zoom), kZoomIn);

    zoom->trigger();
    EXPECT_EQ(chain.view.zoomIndex, 4);

    chain.view.scoreReady = false;
    chain.manager.Update(kZoomIn);
    EXPECT_FALSE(zoom->isEnabled());
    // A disabled command does not run, whatever triggers it.
    EXPECT_FALSE(chain.manager.Execute(kZoomIn));
    EXPECT_EQ(chain.view.zoomIndex, 4);

    chain.view.scoreReady = true;
    chain.view.zoomIndex = 8;
    chain.manager.Update(kZoomIn);
    EXPECT_FALSE(zoom->isEnabled());
    EXPECT_TRUE(zoom->isCheckable());
    EXPECT_TRUE(zoom->isChecked());

    chain.view.zoomIndex = 2;
    chain.manager.UpdateAll();
    EXPECT_TRUE(zoom->isEnabled());
    EXPECT_FALSE(zoom->isChecked());
}

TEST(CommandManagerTest, TheFirstTargetOfTheRouteThatMapsACommandHandlesIt)
{
    Chain chain;
    EXPECT_TRUE(chain.manager.Execute(kPalette));
    EXPECT_TRUE(chain.manager.Execute(kAbout));
    EXPECT_TRUE(chain.manager.Execute(kRecentFirst + 2));
    EXPECT_EQ(chain.log, (std::vector<std::string>{"frame palette", "app about", "recent 2"}));

    // A command nobody maps is disabled and does nothing; one mapped without an update
    // handler is enabled.
    QAction* unmapped = chain.manager.Action(32844);
    QAction* about = chain.manager.Action(kAbout);
    chain.manager.UpdateAll();
    EXPECT_FALSE(unmapped->isEnabled());
    EXPECT_TRUE(about->isEnabled());
    EXPECT_FALSE(chain.manager.Execute(32844));

    // The route is asked afresh: without the view its commands are gone.
    chain.manager.SetRoute([&chain] { return std::vector<CommandTarget*>{nullptr, &chain.frame, &chain.app}; });
    chain.manager.Update(kZoomIn);
    EXPECT_FALSE(chain.manager.Action(kZoomIn)->isEnabled());
}

TEST(CommandManagerTest, UpdateHandlersRunWhenAMenuOpensAndOnIdle)
{
    Chain chain;
    QMenu menu;
    QMenu* sub = menu.addMenu(QStringLiteral("view"));
    sub->addAction(chain.manager.Action(kZoomIn));
    chain.manager.WatchMenu(&menu);
    chain.manager.WatchMenu(sub);

    chain.view.scoreReady = false;
    emit menu.aboutToShow();
    EXPECT_FALSE(chain.manager.Action(kZoomIn)->isEnabled());

    chain.view.scoreReady = true;
    chain.manager.StartIdleUpdates(5);
    QElapsedTimer clock;
    clock.start();
    while (!chain.manager.Action(kZoomIn)->isEnabled() && clock.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_TRUE(chain.manager.Action(kZoomIn)->isEnabled());
    chain.manager.StartIdleUpdates(0);
}

TEST(CommandManagerTest, AMappedRangeAndASingleIdOfOneTarget)
{
    CommandTarget target;
    std::vector<int> seen;
    target.MapCommandRange(10, 20, [&](int id) { seen.push_back(id); });
    target.MapCommand(15, [&] { seen.push_back(-15); });
    target.MapUpdateRange(20, 10, [](CommandUI& ui) { ui.Enable(false); });
    EXPECT_TRUE(target.OnCommand(10));
    EXPECT_TRUE(target.OnCommand(15));
    EXPECT_TRUE(target.OnCommand(20));
    EXPECT_FALSE(target.OnCommand(21));
    EXPECT_EQ(seen, (std::vector<int>{10, -15, 20}));
    CommandUI ui(12);
    EXPECT_TRUE(target.OnUpdateCommand(ui));
    EXPECT_EQ(ui.Enabled(), std::optional<bool>(false));
}

TEST(AcceleratorGuardTest, EditBoxesKeepTypingAndEditingKeysFromTheAccelerators)
{
    platform::AcceleratorGuard guard;
    QLineEdit edit;
    QLineEdit readOnly;
    readOnly.setReadOnly(true);
    QSpinBox spin;
    QComboBox editableCombo;
    editableCombo.setEditable(true);
    QPushButton button;

    struct Case {
        const char* name;
        int key;
        Qt::KeyboardModifiers modifiers;
        QString text;
        bool kept;
    };
    const Case cases[] = {
        {"letter", Qt::Key_A, Qt::NoModifier, QStringLiteral("a"), true},
        {"shifted letter", Qt::Key_A, Qt::ShiftModifier, QStringLiteral("A"), true},
        {"Delete", Qt::Key_Delete, Qt::NoModifier, {}, true},
        {"Backspace", Qt::Key_Backspace, Qt::NoModifier, {}, true},
        {"Ctrl+Z", Qt::Key_Z, Qt::ControlModifier, {}, true},
        {"Ctrl+V", Qt::Key_V, Qt::ControlModifier, {}, true},
        {"Ctrl+S stays an accelerator", Qt::Key_S, Qt::ControlModifier, {}, false},
        {"F1 stays an accelerator", Qt::Key_F1, Qt::NoModifier, {}, false},
        {"Escape stays the window's", Qt::Key_Escape, Qt::NoModifier, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QKeyEvent event(QEvent::ShortcutOverride, c.key, c.modifiers, c.text);
        EXPECT_EQ(platform::AcceleratorGuard::KeepsKey(&edit, event), c.kept);
        EXPECT_EQ(platform::AcceleratorGuard::KeepsKey(spin.findChild<QLineEdit*>(), event), c.kept);
        EXPECT_EQ(platform::AcceleratorGuard::KeepsKey(editableCombo.lineEdit(), event), c.kept);
        EXPECT_FALSE(platform::AcceleratorGuard::KeepsKey(&readOnly, event));
        EXPECT_FALSE(platform::AcceleratorGuard::KeepsKey(&button, event));
    }

    // Through the application's event filter: the override is accepted for the edit box.
    QKeyEvent overrideEvent(QEvent::ShortcutOverride, Qt::Key_Delete, Qt::NoModifier);
    overrideEvent.ignore();
    QApplication::sendEvent(&edit, &overrideEvent);
    EXPECT_TRUE(overrideEvent.isAccepted());
}

}  // namespace
