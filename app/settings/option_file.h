// The option file: the user's remembered choices. OptionFile reaches the MIDI notices,
// the edge lines and the last document folder; TextureInfoSection and MidiDeviceSection
// reach the other two sections of the same file.
#pragma once

#include <string>
#include <string_view>

#include "app/settings/settings_file_base.h"

namespace brindle {

class OptionFile : public SettingsFileBase {
public:
    OptionFile() = default;

    // Show the notice when the MIDI input (output) device cannot be opened; default true.
    bool GetShowInNotify() const { return File().ReadBool(u"NO MIDI NOTIFY", u"Show In Notify", true); }
    bool SetShowInNotify(bool value) { return File().WriteBool(u"NO MIDI NOTIFY", u"Show In Notify", value); }
    bool GetShowOutNotify() const { return File().ReadBool(u"NO MIDI NOTIFY", u"Show Out Notify", true); }
    bool SetShowOutNotify(bool value) { return File().WriteBool(u"NO MIDI NOTIFY", u"Show Out Notify", value); }

    // The view draws each track's base line and the page edges; default true.
    bool GetShowTrackBaseLine() const { return File().ReadBool(u"SHOW EDGE LINE", u"Track Base Line", true); }
    bool SetShowTrackBaseLine(bool value) { return File().WriteBool(u"SHOW EDGE LINE", u"Track Base Line", value); }
    bool GetShowPageEdge() const { return File().ReadBool(u"SHOW EDGE LINE", u"Page Edge", true); }
    bool SetShowPageEdge(bool value) { return File().WriteBool(u"SHOW EDGE LINE", u"Page Edge", value); }

    // Folder last used in the document file dialogs; default empty.
    std::u16string GetRecentDirectory() const { return File().ReadString(u"RECENT DIRECTORY", u"Path", u""); }
    bool SetRecentDirectory(std::u16string_view path) { return File().WriteString(u"RECENT DIRECTORY", u"Path", path); }
};

}  // namespace brindle
