// No test of the program's shell may stop at a real message box or dialog: a question
// nobody answers hangs the test run (for instance the offer of an autosave copy left in
// the program's folder by a program that was killed). Every test starts with a scripted
// service that answers as a cautious user would (No, Cancel, OK for a plain notice);
// tests that script their own answers install theirs over it.
#include "platform/scripted_dialog_service.h"

#include <gtest/gtest.h>

namespace {

class UnattendedDialogs : public ::testing::Environment {
public:
    void SetUp() override { previous_ = platform::DialogService::Install(&service_); }
    void TearDown() override { platform::DialogService::Install(previous_); }

private:
    platform::ScriptedDialogService service_;
    platform::DialogService* previous_ = nullptr;
};

[[maybe_unused]] ::testing::Environment* const g_unattended =
    ::testing::AddGlobalTestEnvironment(new UnattendedDialogs);

}  // namespace
