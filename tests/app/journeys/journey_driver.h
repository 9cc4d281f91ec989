// The whole program driven as a user drives it, for journeys through it: the program
// started on a copy of the data folder (application context, main frame, view, the
// engine's editor, the real MIDI player on a clock the driver turns by hand, the fake
// MIDI ports recording what reaches them), with message boxes, file dialogs and modal
// dialogs answered by the scripted dialog service. Actions are the user's: keys through
// the view's key handling (and so the shortcut file), presses and drags at page pixels
// through the current mouse tool, commands by id as the menus and toolbars run them,
// dialog fields through the dialogs' controls.
//
// The checks are what must hold after any sequence of actions; each returns a failure
// that says what differs.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QPoint>
#include <Qt>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "../../platform/temp_folder.h"
#include "../mididev/fake_midi_backend.h"
#include "app/shell/brindle_app.h"
#include "app/shell/brindle_view.h"
#include "midi/player_clock.h"
#include "platform/dialog_base.h"
#include "platform/scripted_dialog_service.h"

namespace quaverly {
class Bar;
class ScoreEditor;
}

namespace shell_test {
struct Target;
}  // namespace shell_test

namespace journeys {

// The player's clock, turned by the driver: each Advance plays what came due.
class ManualClock final : public midi::PlayerClock {
public:
    void Start() override
    {
        running_ = true;
        elapsed_ = 0;
    }
    void SetPaused(bool paused) override { paused_ = paused; }
    void Stop() override { running_ = false; }
    void SetTarget(midi::ClockTarget* target) override { target_ = target; }
    bool Running() const { return running_; }
    // Moves the clock on by `milliseconds`, one tick per `step`.
    void Advance(int milliseconds, int step = 5);

private:
    midi::ClockTarget* target_ = nullptr;
    bool running_ = false;
    bool paused_ = false;
    int elapsed_ = 0;
};

// A note as the score holds it or as it sounds: where (bar and offset, or milliseconds)
// and its MIDI key.
struct Sounding {
    int when = 0;
    int key = 0;
    bool operator==(const Sounding&) const = default;
};

// What the wizard of File > New is answered with.
struct NewScoreAnswers {
    std::u16string title = u"小曲";
    // The staff page's row: 1 one part, 2 two parts, 3 three parts, ...
    int staffType = 1;
    // The other time signature ("I"), answered in its own dialog; 0: the wizard's first.
    int beats = 0;
    int beatType = 0;
};

class JourneyDriver {
public:
    JourneyDriver();
    ~JourneyDriver();
    JourneyDriver(const JourneyDriver&) = delete;
    JourneyDriver& operator=(const JourneyDriver&) = delete;

    brindle::CBrindleApp& App() { return *app_; }
    brindle::CBrindleView& View() { return *app_->GetActiveView(); }
    quaverly::ScoreEditor& Editor();
    platform::ScriptedDialogService& Dialogs() { return dialogs_; }
    const std::filesystem::path& Folder() const { return folder_.Path(); }

    // ---- actions ----
    void NewScore(const NewScoreAnswers& answers = {});
    // The answers the last action queued that no dialog took.
    std::size_t UnansweredSteps() const { return unansweredSteps_; }
    // Opens a document through File > Open and waits until it is shown.
    bool Open(const std::filesystem::path& file);
    // Keys separated by blanks, each pressed and released on the view: a digit, a letter,
    // one of . ' , as on the main keyboard; "kp0".."kp9", "kp+", "kp-" on the keypad; "F1"
    // .."F12"; "Left", "Right", "Up", "Down", "Home", "End", "Del", "Back", "Enter", "Esc",
    // "Space"; a "Shift+" or "Ctrl+" prefix holds that key.
    void Type(std::string_view keys);
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // A command as its menu item or toolbar button runs it (nothing while it is greyed).
    // False when the command was greyed or unknown.
    bool Command(int id);
    void Undo();
    void Redo();
    // Saves through File > Save (the file dialog answered with `file` the first time).
    bool Save(const std::filesystem::path& file);
    // Presses and drags at pixels of the page picture at the current zoom; the view is
    // scrolled so that the pixels are in the window first.
    void ClickPage(QPoint pagePixel, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void DoubleClickPage(QPoint pagePixel);
    void DragPage(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // The page pixel of a score point, and the middle of an element's drawn ink (the
    // pixel of its ink nearest the middle of its ink's box); nullopt when none is drawn.
    QPoint PagePixel(quaverly::Point scorePoint) const;
    std::optional<QPoint> InkMiddle(const quaverly::Rect& scoreRect) const;
    // Where a press target is drawn now: its element placed afresh (the target's own box
    // was taken at its last layout).
    static quaverly::Rect DrawnBox(const shell_test::Target& target);
    // Presses on the drawn ink of a note (of the first part on the current page; -1: the
    // last note of the bar), and of a bar's empty space. A block of bars: a double click
    // on the first bar, then Ctrl and a press on the last (Shift makes no block).
    bool ClickNote(int bar, int note, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    bool ClickBar(int bar, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    bool SelectBars(int first, int last);
    // A double click on a bar's empty space: the bar alone becomes the selected block.
    bool DoubleClickBar(int bar);
    // Notes `first` to `last` of a bar selected: the first pressed, each further one
    // pressed with Ctrl held, which keeps what is selected.
    bool SelectNotes(int bar, int first, int last);
    // The bar of the first part as laid out, its page shown (turned to as the user turns
    // pages); null when no page holds it.
    std::shared_ptr<quaverly::Bar> ShowBar(int bar);
    // A modal dialog the next command opens, answered by `fill` (which ends it).
    void AnswerDialog(std::function<void(platform::DialogBase&)> fill) { dialogs_.AnswerModal(std::move(fill)); }
    // Fills dialog fields through their controls and presses OK.
    static void FillAndOk(platform::DialogBase& dialog, const std::vector<std::pair<int, std::u16string>>& fields);
    void SetZoomIndex(int index);
    // Delivers what was posted and paints while a render is owed or an input waits.
    void Settle();

    // ---- what the checks compare ----
    // The document as saved now (into a file of the driver's folder, leaving the view's
    // document path and modified mark alone).
    std::string SavedBytes();
    // The page picture the view shows now, drawn afresh if it is out of date.
    QImage ShownPage();
    // The notes of the score from a bar on, in bar and offset order (a tie's later
    // notes left out); `when` is bar * 1000000 + offset.
    std::vector<Sounding> ScoreNotes(int fromBar = 0);
    // The same, up to the end of the first bar from there that repeats back.
    std::vector<Sounding> NotesUpToTheFirstRepeat(int fromBar);
    // The same from where the cursor stands in bar `bar`.
    std::vector<Sounding> NotesFromTheCursor(int bar);
    // Whether a note of the score ends after the end of its bar.
    bool HasOverfullBar();
    // Plays from where the cursor stands to the end (or `limitMs`) on the driver's clock,
    // as Play does, and gives the note-ons that reached the output port.
    std::vector<Sounding> PlayFromCursor(int limitMs = 120000);
    // The note-ons of the File > Export MIDI file.
    std::vector<Sounding> ExportedMidiNotes();
    std::size_t UndoCount();
    std::size_t RedoCount();

    // ---- the checks ----
    // The shown page equals, pixel for pixel, the page drawn after the document is saved
    // and opened again in a fresh view at the same zoom, and the page of that fresh view
    // laid out again from scratch; saving the reopened document gives the same bytes.
    testing::AssertionResult ScreenMatchesReopened();
    // The page `page` shown now (turned to as the user turns pages) equals, pixel for
    // pixel, a picture of it taken before (the selection aside).
    testing::AssertionResult PageShownAsBefore(int page, const QImage& before);
    // Every note, rest and mark drawn on the current page is taken by a press at the
    // middle of its ink, and then drawn in the selection colour there. Leaves the
    // selection changed.
    testing::AssertionResult DrawnElementsTakePresses(bool withMarks = true);
    // The modified mark says whether an undoable step was recorded since the last save (a
    // new score counts as modified until it is saved).
    testing::AssertionResult ModifiedMarkIsRight();
    // Undoing every step gives the document saved at `start`, redoing every step gives
    // `end`; the screen matches the reopened document at both ends.
    testing::AssertionResult UndoAllAndRedoAll(const std::string& start, const std::string& end);
    // Playback after a press on a bar sends the score's notes from the cursor's place in
    // order, up to the first repeat that sends it back.
    testing::AssertionResult PlaybackFollowsTheScore(int fromBar);
    // Whether Play after a press on a bar starts there (its first note is the first heard).
    bool PlayStartsAtTheCursor(int bar);
    // The File > Export MIDI file holds the score's notes up to the first repeat.
    testing::AssertionResult MidiExportHoldsTheScore();

    // Whether the journey's record of steps is to be trusted for the modified mark (the
    // undo stack was full, so a new step does not show in its size).
    bool HistoryFull();

private:
    void StartProgram();
    void Press(QPoint window, int type, Qt::MouseButtons held, Qt::KeyboardModifiers modifiers);
    QPoint ToWindow(QPoint pagePixel);
    // A page pixel in a bar's own space (below its notes, clear of them), its page shown.
    std::optional<QPoint> BarSpace(int bar);
    void NoteHistory();

    TempFolder folder_;
    std::filesystem::path data_;
    mididev_test::FakeMidiBackend backend_;
    platform::ScriptedDialogService dialogs_;
    platform::ScopedDialogService scoped_{dialogs_};
    std::unique_ptr<brindle::CBrindleApp> app_;
    ManualClock clock_;
    int checkFiles_ = 0;
    std::size_t unansweredSteps_ = 0;
    std::filesystem::path documentPath_;
    // The history's sizes after the last action, and whether a step was recorded (or
    // undone or redone) since the last save.
    std::pair<std::size_t, std::size_t> history_{0, 0};
    bool changedSinceSave_ = false;
};

}  // namespace journeys
