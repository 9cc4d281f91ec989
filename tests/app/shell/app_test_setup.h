// What a test of the whole program starts from: a copy of the shipped data folder it may
// change or break ("Tansy.ini" and the subfolders it needs), and the application's
// options pointing at that copy, a recent-file list of its own, the fake MIDI ports and
// a hidden window.
#pragma once

#include <QSettings>
#include <QString>

#include <filesystem>
#include <initializer_list>
#include <memory>

#include "app/shell/brindle_app.h"

namespace shell_test {

inline std::filesystem::path CopyDataFolder(const std::filesystem::path& into,
                                            std::initializer_list<const char*> subfolders)
{
    namespace fs = std::filesystem;
    const fs::path source = fs::path(BRINDLE_SOURCE_DIR) / "data";
    const fs::path data = into / "data";
    fs::create_directories(data);
    fs::copy_file(source / "Tansy.ini", data / "Tansy.ini", fs::copy_options::overwrite_existing);
    for (const char* sub : subfolders)
        fs::copy(source / sub, data / sub, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    return data;
}

inline brindle::CBrindleApp::Options TestAppOptions(const std::filesystem::path& folder, const std::filesystem::path& data,
                                                    brindle::MidiBackend* backend)
{
    brindle::CBrindleApp::Options o;
    o.appDirectory = data;
    o.resourceLibraryFolder = BRINDLE_BIN_DIR;
    o.factories.midiBackend = backend;
    const QString recent = QString::fromStdString((folder / "recent.ini").string());
    o.recentFileSettings = [recent] { return std::make_unique<QSettings>(recent, QSettings::IniFormat); };
    o.openUrl = [](const QUrl&) { return true; };
    o.showWindow = false;
    return o;
}

}  // namespace shell_test
