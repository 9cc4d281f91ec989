// The whole program over a copy of the data folder in a temporary folder, with fake MIDI
// devices and scripted dialogs; and opening a score document in it as the user does.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "../../platform/temp_folder.h"
#include "../mididev/fake_midi_backend.h"
#include "app/shell/brindle_app.h"
#include "app/shell/brindle_view.h"
#include "app/shell/document_paths.h"
#include "app/shell/main_frame.h"
#include "platform/scripted_dialog_service.h"
#include "app_test_setup.h"
#include "shell_fakes.h"

namespace shell_test {

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        data_ = CopyDataFolder(folder_.Path(), {"fonts", "settings", "lists", "dtd", "help"});
        app_ = std::make_unique<brindle::CBrindleApp>(TestAppOptions(folder_.Path(), data_, &backend_));
        ASSERT_TRUE(app_->InitInstance({}));
        Pump();
        // The start-up's reminders come and go before the test begins.
        ASSERT_TRUE(PumpUntil([this] { return !View()->IsCheckingMidiOut(); }));
    }
    void TearDown() override
    {
        if (app_)
            app_->ExitInstance();
    }

    brindle::CBrindleView* View() { return app_->GetActiveView(); }

    // Opens a document and waits until it is shown.
    bool Open(const std::filesystem::path& file)
    {
        if (!View()->OpenScoreFile(brindle::PathText(file)))
            return false;
        return PumpUntil([&] { return View()->HasScore() && !View()->m_bLoading; }, 15000);
    }

    TempFolder folder_;
    std::filesystem::path data_;
    mididev_test::FakeMidiBackend backend_;
    platform::ScriptedDialogService dialogs_;
    platform::ScopedDialogService scoped_{dialogs_};
    std::unique_ptr<brindle::CBrindleApp> app_;
};

}  // namespace shell_test
