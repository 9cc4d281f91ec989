// The whole-document operations through the exported factory: a new score, loading and
// saving a document, the exchange with a score-data record and laying the pages out
// again, with the notices the program sees.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "engine/editor/editor_interface.h"
#include "engine/commands/no_op_command.h"
#include "engine/editor/new_score_settings.h"
#include "engine/editor/score_editor.h"
#include "engine/xml/page_layout_result.h"
#include "scoredata/score_data.h"
#include "tests/engine/editor/editor_fixture.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_listener.h"

namespace quaverly {
namespace {

namespace fs = std::filesystem;

struct ReleaseScoreData {
    void operator()(tabulon::ScoreData* data) const { data->Release(); }
};
using ScoreDataPtr = std::unique_ptr<tabulon::ScoreData, ReleaseScoreData>;

using editor_test::EditorHandle;
using editor_test::kHeading;
using editor_test::kLine;

NewScoreSettings OneStaff(int barsPerLine)
{
    NewScoreSettings settings;
    settings.title = u"茉莉花";
    settings.composer = u"民歌";
    settings.staves = {{73, false, 0}};
    settings.barsPerLine = barsPerLine;
    return settings;
}

fs::path TempPath(const std::string& name)
{
    return fs::temp_directory_path() / ("brindle_editor_document_" + name);
}

class EditorDocumentTest : public editor_test::EditorFixture {
protected:
    // A new score of one staff, four bars a line, five lines on the first page, laid out.
    void NewScore()
    {
        handle->NewDocument(OneStaff(4));
        Run();
    }
};

TEST_F(EditorDocumentTest, NewDocumentThenRunGivesPagesAndNoUndo)
{
    handle->SetTitle(u"old");  // whatever the document held goes
    listener.codes.clear();
    handle->NewDocument(OneStaff(4));
    EXPECT_EQ(listener.codes, (std::vector<int>{EditorNoticeCode::ContentChanged}));
    // Until the queue runs there is no layout.
    EXPECT_EQ(Editor().layout->GetChildCount(), 0);
    EXPECT_FALSE(handle->CanUndo());

    handle->RunPendingCommands(&painter);
    EXPECT_EQ(handle->GetPartCount(), 1);
    EXPECT_EQ(handle->GetBarCount(), 20);
    EXPECT_EQ(handle->GetTitle(), u"茉莉花");
    EXPECT_EQ(handle->GetLastPageIndex(), 1);
    EXPECT_EQ(Editor().lines.size(), 6u);
    EXPECT_FALSE(handle->CanUndo());
    EXPECT_FALSE(handle->CanRedo());
    EXPECT_NE(std::find(listener.codes.begin(), listener.codes.end(),
                        EditorNoticeCode::PlaybackChanged),
              listener.codes.end());
    EXPECT_EQ(listener.codes.back(), EditorNoticeCode::PendingCommandsRun);
}

TEST_F(EditorDocumentTest, AFailedLoadLeavesAnEmptyDocumentAndQueuesNothing)
{
    NewScore();
    const fs::path damaged = TempPath("damaged.exl");
    {
        std::FILE* file = std::fopen(damaged.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fputs("<?xml version=\"1.0\"?><score-partwise><part-list>", file);
        std::fclose(file);
    }
    for (const fs::path& path : {TempPath("missing.exl"), damaged}) {
        SCOPED_TRACE(path.string());
        PageLayoutResult info;
        info.tempo = 77;
        EXPECT_FALSE(handle->LoadMusicXml(path.u16string(), info));
        EXPECT_EQ(info.tempo, 77);  // the caller's record is left alone
        EXPECT_EQ(handle->GetPartCount(), 0);
        EXPECT_EQ(handle->GetBarCount(), 0);
        EXPECT_TRUE(listener.codes.empty());
        handle->RunPendingCommands(&painter);
        EXPECT_EQ(listener.codes, (std::vector<int>{EditorNoticeCode::PendingCommandsRun}));
        EXPECT_EQ(Editor().layout->GetChildCount(), 0);
        listener.codes.clear();
    }
    fs::remove(damaged);
}

TEST_F(EditorDocumentTest, ASavedDocumentLoadsBackWithItsLinesAndPageRecord)
{
    NewScore();
    const fs::path path = TempPath("round_trip.exl");
    PageLayoutResult info;
    info.tempo = 96;
    info.page.paperName = u"A4";
    info.page.pageWidth = 210;
    info.page.pageHeight = 297;
    EXPECT_TRUE(handle->SaveMusicXml(path.u16string(), info));
    EXPECT_TRUE(listener.codes.empty());  // saving changes nothing

    EditorHandle other(create_quaverly_editor());
    fakes::RecordingListener otherListener;
    other->SetListener(&otherListener);
    other->SetPageContentSize(16000, kHeading + 5 * kLine + 100);
    PageLayoutResult loaded;
    ASSERT_TRUE(other->LoadMusicXml(path.u16string(), loaded));
    EXPECT_EQ(loaded.tempo, 96);
    EXPECT_EQ(loaded.page, info.page);
    EXPECT_EQ(otherListener.codes, (std::vector<int>{EditorNoticeCode::ContentChanged}));
    other->RunPendingCommands(&painter);
    EXPECT_FALSE(other->CanUndo());
    EXPECT_EQ(other->GetPartCount(), 1);
    EXPECT_EQ(other->GetBarCount(), 20);
    EXPECT_EQ(other->GetTitle(), u"茉莉花");
    const auto& lines = static_cast<ScoreEditor*>(other.get())->lines;
    EXPECT_EQ(lines.size(), 6u);
    fs::remove(path);
}

TEST_F(EditorDocumentTest, AHideEmptyLinesDocumentKeepsTheSwitchOnLoad)
{
    NewScore();
    Editor().hideEmptyLines = true;
    const fs::path path = TempPath("hidden.exl");
    ASSERT_TRUE(handle->SaveMusicXml(path.u16string(), PageLayoutResult{}));
    PageLayoutResult loaded;
    ASSERT_TRUE(handle->LoadMusicXml(path.u16string(), loaded));
    EXPECT_TRUE(loaded.hideEmptyTrack);
    EXPECT_TRUE(Editor().hideEmptyLines);
    fs::remove(path);
}

TEST_F(EditorDocumentTest, ASaveThatCannotWriteReportsFailure)
{
    NewScore();
    const fs::path path = TempPath("no_such_folder") / "score.exl";
    EXPECT_FALSE(handle->SaveMusicXml(path.u16string(), PageLayoutResult{}));
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(handle->GetBarCount(), 20);  // the document stays
}

TEST_F(EditorDocumentTest, APageSizeChangeThenRepaginateChangesThePageCount)
{
    NewScore();
    ASSERT_EQ(handle->GetLastPageIndex(), 1);
    Editor().AddCommand(std::make_unique<NoOpCommand>());  // an undoable edit
    handle->RunPendingCommands(&painter);
    ASSERT_TRUE(handle->CanUndo());
    listener.codes.clear();

    handle->SetPageContentSize(16000, kHeading + 2 * kLine + 100);
    handle->Repaginate();
    EXPECT_EQ(listener.codes, (std::vector<int>{EditorNoticeCode::ContentChanged}));
    EXPECT_FALSE(handle->CanUndo());  // the edit before cannot be undone any more
    EXPECT_EQ(Editor().lines.size(), 0u);
    handle->RunPendingCommands(&painter);
    EXPECT_GT(handle->GetLastPageIndex(), 1);
    EXPECT_EQ(handle->GetBarCount(), 20);
    EXPECT_EQ(handle->GetCurrentPage(), 0);
}

TEST_F(EditorDocumentTest, ExportedScoreDataImportsIntoAnotherEditor)
{
    NewScore();
    ScoreDataPtr data{create_score_data()};
    ASSERT_NE(data, nullptr);
    handle->ExportScoreData(data.get());
    EXPECT_TRUE(listener.codes.empty());

    EditorHandle other(create_quaverly_editor());
    fakes::RecordingListener otherListener;
    other->SetListener(&otherListener);
    other->SetPageContentSize(16000, kHeading + 5 * kLine + 100);
    other->ImportScoreData(data.get());
    EXPECT_EQ(otherListener.codes, (std::vector<int>{EditorNoticeCode::ContentChanged}));
    other->RunPendingCommands(&painter);
    EXPECT_EQ(other->GetPartCount(), 1);
    EXPECT_EQ(other->GetBarCount(), 20);
    EXPECT_EQ(other->GetTitle(), u"茉莉花");
    EXPECT_GT(other->GetLastPageIndex(), 0);
    EXPECT_FALSE(other->CanUndo());
}

}  // namespace
}  // namespace quaverly
