// The program's one application context: it makes and owns everything the program
// gets from the libraries (the editor, the MIDI player and the MIDI data), the MIDI
// devices, the two 1 ms timers, the metronome, the main settings file and the score
// view's cursors. The rest of the program reaches them through the getters and never
// creates or destroys them.
//
// Init wires the player to its timer, data and output and gives the metronome its timer
// and its two click sounds. Destruction stops both timers (joining their threads) before
// anything a tick may reach goes away, then releases each object through its own last
// operation.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "midi/midi_data.h"
#include "midi/midi_player.h"

class QCursor;

namespace quaverly::api {
class ScoreEditor;
}

namespace brindle {

class Metronome;
class MidiBackend;
class MidiInDevice;
class MidiOutDevice;
class MultimediaTimer;
class ProfileFile;

// Cursors are shared, process-wide images: a handle is never destroyed by its user.
using CursorHandle = const QCursor*;

// The editor is made and destroyed in this one place, so that switching to the
// engine library's exported factory touches nothing else.
quaverly::api::ScoreEditor* CreateScoreEditor();
void DestroyScoreEditor(quaverly::api::ScoreEditor* editor);

// What Init makes its objects with; tests put in fakes.
struct AppContextFactories {
    std::function<quaverly::api::ScoreEditor*()> createEditor = CreateScoreEditor;
    std::function<void(quaverly::api::ScoreEditor*)> destroyEditor = DestroyScoreEditor;
    std::function<midi::MidiPlayer*()> createPlayer = create_midi_player;
    std::function<midi::MidiData*()> createMidiData = create_midi_data;
    // The ports the devices open; null: the system's.
    MidiBackend* midiBackend = nullptr;
};

class AppContext {
public:
    // Cursor keys of the score view.
    static constexpr int kCursorArrow = 0;
    static constexpr int kCursorEraser = 1;
    static constexpr int kCursorOpenHand = 2;
    static constexpr int kCursorClosedHand = 3;

    // Makes the process-wide context (a context made before is destroyed first).
    static AppContext* Create();
    // The process-wide context; null before Create and after Destroy.
    static AppContext* Instance();
    // Destroys the process-wide context, when there is one.
    static void Destroy();

    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    // Makes and wires everything. False when something could not be made; Missing then
    // names what (the fields of what is missing stay null).
    bool Init(const AppContextFactories& factories = {});
    const std::vector<std::u16string>& Missing() const { return missing_; }

    quaverly::api::ScoreEditor* GetEditor() const { return m_pEditor; }
    MidiInDevice* GetMidiIn() const { return m_pMidiIn; }
    MidiOutDevice* GetMidiOut() const { return m_pMidiOut; }
    midi::MidiData* GetMidiData() const { return m_pMidiData; }
    midi::MidiPlayer* GetPlayer() const { return m_pPlayer; }
    Metronome* GetMetronome() const { return m_pMetronome; }
    std::shared_ptr<ProfileFile> GetSettingsFile() const { return m_pSettings; }
    // The cursor under the key; a key without one is added with a null handle.
    CursorHandle GetCursor(int key);
    std::size_t CursorCount() const { return m_cursors.size(); }

private:
    AppContext() = default;
    void StopTimers();

    std::shared_ptr<ProfileFile> m_pSettings;
    quaverly::api::ScoreEditor* m_pEditor = nullptr;
    MidiInDevice* m_pMidiIn = nullptr;
    MidiOutDevice* m_pMidiOut = nullptr;
    MultimediaTimer* m_pPlayerTimer = nullptr;
    midi::MidiData* m_pMidiData = nullptr;
    midi::MidiPlayer* m_pPlayer = nullptr;
    MultimediaTimer* m_pMetronomeTimer = nullptr;
    Metronome* m_pMetronome = nullptr;
    std::map<std::int32_t, CursorHandle> m_cursors;

    std::function<void(quaverly::api::ScoreEditor*)> destroyEditor_;
    std::vector<std::u16string> missing_;
};

}  // namespace brindle
