// What the value-dialog tests share: a scripted dialog service in force for each test
// (and, for the dialogs that read data files, TestFolder).
#pragma once

#include "platform/dialog_service.h"
#include "platform/scripted_dialog_service.h"
#include "tests/app/dialogs/test_folder.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <string>

class ValueDialogTest : public ::testing::Test {
protected:
    platform::ScriptedDialogService script;
    platform::ScopedDialogService inForce{script};

    // The texts of the message boxes shown so far.
    std::vector<std::u16string> Messages() const
    {
        std::vector<std::u16string> texts;
        for (const auto& call : script.MessageBoxes())
            texts.push_back(call.text);
        return texts;
    }
};

inline void ProcessPostedMessages()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}
