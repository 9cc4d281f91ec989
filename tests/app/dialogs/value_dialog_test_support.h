// What the value-dialog tests share: a scripted dialog service in force for each test
// and a data folder with a main settings file that names the data files.
#pragma once

#include "platform/dialog_service.h"
#include "platform/scripted_dialog_service.h"
#include "tests/platform/temp_folder.h"

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

// A data folder with "Tansy.ini" naming "settings\<file>" under `key`.
class TestDataFolder {
public:
    TestDataFolder() { std::filesystem::create_directories(folder_ / "settings"); }

    void Name(const std::string& key, const std::string& file)
    {
        systemInfo_ += key + "=settings\\" + file + "\r\n";
        TempFolder::Write(folder_ / "Tansy.ini", "[SYSTEM INFO]\r\n" + systemInfo_);
    }
    void WriteFile(const std::string& file, const std::string& text) { TempFolder::Write(folder_ / "settings" / file, text); }

    std::u16string Folder() const { return (folder_.Path().u16string() + u"/"); }

private:
    TempFolder folder_;
    std::string systemInfo_;
};

inline void ProcessPostedMessages()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}
