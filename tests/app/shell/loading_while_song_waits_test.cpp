// A document opened while the view still has to rebuild the song of the score it shows:
// the loading workers hold the editor from the moment the opening starts, and nothing on
// the interface thread may read the score before the new one is shown (run under the
// thread sanitizer, a read there is reported as a race with the loading worker).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/shell/app_context.h"
#include "app/shell/command_ids.h"
#include "midi/midi_data.h"
#include "midi/midi_records.h"
#include "midi/midi_track.h"
#include "platform/command_manager.h"
#include "platform/dialog_base.h"
#include "program_fixture.h"
#include "score_documents.h"

namespace {

namespace fs = std::filesystem;

class LoadingWhileTheSongWaitsTest : public shell_test::ProgramTest {
protected:
    platform::CommandManager& Commands() { return app_->GetMainWnd()->Commands(); }

    // The notes of the song the player plays: note-ons with a velocity.
    static int NotesInSong()
    {
        const midi::MidiData* song = brindle::AppContext::Instance()->GetMidiData();
        int notes = 0;
        for (int id : song->GetTrackIds())
            for (const midi::MidiEvent& event : song->GetTrack(id)->GetEvents())
                if ((event.message & 0xF0u) == midi::kNoteOn && ((event.message >> 16) & 0x7Fu) != 0)
                    ++notes;
        return notes;
    }
};

TEST_F(LoadingWhileTheSongWaitsTest, AChangeReportedJustBeforeAnOpeningLeavesTheLoadingWorkersAlone)
{
    shell_test::ScoreDocument document;
    for (int i = 0; i < 64; ++i)
        document.melody.push_back({1 + i % 7, 0});
    const fs::path file = folder_.Path() / "sixteen_bars.exl";
    ASSERT_TRUE(shell_test::WriteScoreDocument(file, document));

    // A new score: its first layout, run by the next paint, reports that what is played
    // changed. The report waits in the window's queue.
    dialogs_.AnswerModal([](platform::DialogBase& wizard) { wizard.ClickButton(platform::kIdOk); });
    ASSERT_TRUE(Commands().Execute(brindle::cmd::kFileNew));
    ASSERT_TRUE(View()->HasScore());
    (void)View()->viewport()->grab();

    // The document is opened before the window gets to that report, as a file dropped on
    // the window or picked from the recent-file list at once would be; the report is
    // handled while the workers read the document.
    ASSERT_TRUE(Open(file));

    // The song is the opened document's.
    ASSERT_TRUE(Commands().Execute(brindle::cmd::kPlay));
    EXPECT_TRUE(View()->IsPlaying());
    EXPECT_EQ(NotesInSong(), 64);
    ASSERT_TRUE(Commands().Execute(brindle::cmd::kStop));
}

}  // namespace
