// The whole-document operations through the exported factory: a new score, loading and
// saving a document, the exchange with a score-data record and laying the pages out
// again, with the notices the program sees.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/editor/editor_interface.h"
#include "engine/commands/no_op_command.h"
#include "engine/editor/new_score_settings.h"
#include "engine/editor/score_editor.h"
#include "engine/model/bar.h"
#include "engine/model/element_path.h"
#include "engine/model/time_signature.h"
#include "engine/model/header_text.h"
#include "engine/layout/layout_root.h"
#include "engine/layout/system_node.h"
#include "engine/layout/track_node.h"
#include "engine/xml/page_layout_result.h"
#include "scoredata/score_data.h"
#include "bench/benchmark_score.h"
#include "tests/engine/editor/editor_fixture.h"
#include "tests/platform/temp_folder.h"
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

// The meter table of an editor's score and, part by part and bar by bar over the bars
// asked for, whether the bar shows a meter.
struct MeterState {
    std::vector<TimeSignatureEntry> table;
    std::vector<bool> shown;
    friend bool operator==(const MeterState&, const MeterState&) = default;
};

MeterState MeterStateOf(api::ScoreEditor& editor, const std::vector<int>& bars)
{
    const Score& score = *static_cast<ScoreEditor&>(editor).score;
    MeterState state{score.GetTimeSignatures(), {}};
    for (int part = 0; part < score.GetChildCount(); ++part) {
        for (const int b : bars) {
            const auto bar = std::dynamic_pointer_cast<Bar>(GetElementAtPath3(score, part, 0, b));
            state.shown.push_back(bar && bar->GetTimeSignature());
        }
    }
    return state;
}

// The editor's document saved and loaded into a new editor, laid out there.
EditorHandle SavedAndLoaded(api::ScoreEditor& editor, fakes::FakePainter& painter,
                            const std::string& name)
{
    const fs::path path = TempPath(name);
    EXPECT_TRUE(editor.SaveMusicXml(path.u16string(), PageLayoutResult{}));
    EditorHandle loaded(create_quaverly_editor());
    loaded->SetPageContentSize(16000, kHeading + 5 * kLine + 100);
    PageLayoutResult info;
    EXPECT_TRUE(loaded->LoadMusicXml(path.u16string(), info));
    loaded->RunPendingCommands(&painter);
    fs::remove(path);
    return loaded;
}

// The meter table counts one record per part that shows the meter, in a score made here
// as in one loaded from a document: a new score with a meter set, saved and loaded again,
// holds the same table, and deleting the meter of one part and undoing that do the same
// in both.
TEST_F(EditorDocumentTest, AMeterSetHereAndLoadedBackBehavesAlike)
{
    NewScoreSettings settings = OneStaff(4);
    settings.staves = {{73, false, 0}, {0, false, 1}};
    handle->NewDocument(settings);
    Run();
    Editor().cursor = {};
    Editor().cursor.line = 2;  // bar 4
    ASSERT_EQ(handle->SetTimeSignature(3, 4), 0);
    Run();

    const EditorHandle loaded = SavedAndLoaded(*handle, painter, "meter.exl");
    const auto stateOf = [](api::ScoreEditor& editor) { return MeterStateOf(editor, {4}); };
    const MeterState set = stateOf(*handle);
    ASSERT_EQ(set.table.size(), 2u);
    EXPECT_EQ(set.table[1], (TimeSignatureEntry{2, 4, 3, 4, 1}));  // once per part
    EXPECT_EQ(set.shown, (std::vector<bool>{true, true}));
    EXPECT_EQ(stateOf(*loaded), set);

    // The first part's meter deleted: the second part's still holds the bar's meter.
    std::vector<MeterState> afterDelete;
    for (api::ScoreEditor* editor : {handle.get(), loaded.get()}) {
        const Score& score = *static_cast<ScoreEditor*>(editor)->score;
        const auto bar = std::dynamic_pointer_cast<Bar>(GetElementAtPath3(score, 0, 0, 4));
        ASSERT_NE(bar->GetTimeSignature(), nullptr);
        bar->GetTimeSignature()->DeleteSelected();
        editor->RunPendingCommands(&painter);
        afterDelete.push_back(stateOf(*editor));
        EXPECT_EQ(score.FindTimeSignature(4)->beats, 3);
        editor->Undo();
        editor->RunPendingCommands(&painter);
        EXPECT_EQ(stateOf(*editor), set);
        editor->Redo();
        editor->RunPendingCommands(&painter);
        EXPECT_EQ(stateOf(*editor), afterDelete.back());
    }
    EXPECT_EQ(afterDelete[0], afterDelete[1]);
    ASSERT_EQ(afterDelete[0].table.size(), 2u);
    EXPECT_EQ(afterDelete[0].table[1].count, 1);
    EXPECT_EQ(afterDelete[0].shown, (std::vector<bool>{false, true}));
}

// Meters that come in with score data are shown by the first part's bars, one table
// record each, so saving keeps them and loading gives the same table back.
TEST_F(EditorDocumentTest, ImportedMetersAreShownAndKeptBySaving)
{
    ScoreDataPtr data{create_score_data()};
    data->SetBarCount(4);
    for (int stave : {0, 1}) {
        data->AddStave(stave);
        data->GetStave(stave)->AddStaff(0, 0);
    }
    data->AddMeter({0, 3, 4, 1});
    data->AddMeter({2, 6, 8, 0});
    data->AddMeter({2, 6, 8, 0});  // twice: one bar shows it once
    handle->ImportScoreData(data.get());
    Run();

    const MeterState imported = MeterStateOf(*handle, {0, 1, 2, 3});
    EXPECT_EQ(imported.table, (std::vector<TimeSignatureEntry>{{1, 0, 3, 4, 1}, {1, 2, 6, 8, 0}}));
    EXPECT_EQ(imported.shown,
              (std::vector<bool>{true, false, true, false, false, false, false, false}));

    const EditorHandle loaded = SavedAndLoaded(*handle, painter, "imported_meters.exl");
    EXPECT_EQ(MeterStateOf(*loaded, {0, 1, 2, 3}), imported);
}

// What the laid-out view shows: each line's bar range and page, and what every page
// draws.
struct ViewState {
    std::vector<std::pair<int, int>> lineRanges;
    std::vector<int> linesPerPage;
    std::vector<fakes::PainterCall> drawn;
    friend bool operator==(const ViewState&, const ViewState&) = default;
};

ViewState StateOf(ScoreEditor& editor)
{
    ViewState state;
    for (std::size_t i = 1; i < editor.lines.size(); ++i) {
        const auto line = std::dynamic_pointer_cast<SystemNode>(editor.lines[i]);
        state.lineRanges.emplace_back(line ? line->GetBarRange().first : -1,
                                      line ? line->GetBarRange().end : -1);
    }
    fakes::FakePainter drawing;
    for (int p = 0; p < editor.layout->GetChildCount(); ++p) {
        const auto page = editor.layout->GetChild(p);
        state.linesPerPage.push_back(page->GetChildCount());
        page->Draw(drawing);
    }
    state.drawn = drawing.DrawCalls();
    return state;
}

TEST_F(EditorDocumentTest, AHandLaidOutDocumentComesBackAsItWasSaved)
{
    // Two staves, as many bars a line as the width takes: six.
    constexpr int kWidth = 19500;
    constexpr int kHeight = kHeading + 5 * kLine + 100;
    handle->SetPageContentSize(kWidth, kHeight);
    NewScoreSettings settings = OneStaff(0);
    settings.staves.push_back({0, false, 1});
    handle->NewDocument(settings);
    Run();
    ScoreEditor& editor = Editor();
    const int bars = handle->GetBarCount();
    const auto widthLine = std::dynamic_pointer_cast<SystemNode>(editor.lines.at(1));
    const int byWidth = widthLine->GetBarRange().Count();
    ASSERT_EQ(byWidth, 6);
    ASSERT_GE(editor.layout->GetChild(0)->GetChildCount(), 4);

    // Laid out by hand: four bars a line, two lines on the first page, a name on every
    // row of every line.
    editor.lines.resize(1);
    for (int first = 0, i = 1; first < bars; first += 4, ++i) {
        auto line = std::make_shared<SystemNode>(editor.score);
        line->SetIndex(i);
        line->SetBarRange(first, std::min(first + 4, bars));
        line->SetOffset({10 * i, 0});
        line->CreateTracks();
        for (int t = 0; t < line->GetChildCount(); ++t) {
            auto name = std::make_shared<InstrumentNameText>();
            name->SetText(u"第" + std::u16string(1, static_cast<char16_t>(u'0' + i)) + u"行");
            name->SetOffset({-20 * t, 5 * i});
            line->GetTrack(t)->SetInstrumentName(name);
            line->GetTrack(t)->SetOffset({0, 30 * t});
        }
        editor.lines.push_back(line);
    }
    editor.score->GetLinesPerPage()[0] = 2;
    const fs::path saved = TempPath("hand_laid_out.exl");
    ASSERT_TRUE(handle->SaveMusicXml(saved.u16string(), PageLayoutResult{}));

    // Opened, laid out as the view does after a load, and saved: the same file, twice.
    const auto openAndSave = [&](const fs::path& from, const fs::path& to, ViewState& state) {
        EditorHandle other(create_quaverly_editor());
        other->SetPageContentSize(kWidth, kHeight);
        PageLayoutResult info;
        ASSERT_TRUE(other->LoadMusicXml(from.u16string(), info));
        other->RunPendingCommands(&painter);
        state = StateOf(*static_cast<ScoreEditor*>(other.get()));
        ASSERT_TRUE(other->SaveMusicXml(to.u16string(), info));
    };
    const fs::path once = TempPath("hand_laid_out_once.exl");
    const fs::path twice = TempPath("hand_laid_out_twice.exl");
    ViewState first;
    ViewState second;
    openAndSave(saved, once, first);
    openAndSave(once, twice, second);
    const std::string original = TempFolder::Read(saved);
    EXPECT_EQ(TempFolder::Read(once), original);
    EXPECT_EQ(TempFolder::Read(twice), original);
    EXPECT_EQ(second, first);
    ASSERT_FALSE(first.lineRanges.empty());
    for (const auto& [from, end] : first.lineRanges)
        EXPECT_EQ(end - from, std::min(4, bars - from));
    ASSERT_FALSE(first.linesPerPage.empty());
    EXPECT_EQ(first.linesPerPage[0], 2);
    EXPECT_NE(original.find("第2行"), std::string::npos);

    // The same document without its line records is laid out by the width.
    std::string plain = original;
    const std::size_t begin = plain.find("<system-layout>");
    const std::size_t end = plain.find("</system-layout>");
    ASSERT_NE(begin, std::string::npos);
    ASSERT_NE(end, std::string::npos);
    plain.erase(begin, end + std::string("</system-layout>").size() - begin);
    const fs::path withoutRecords = TempPath("hand_laid_out_plain.exl");
    TempFolder::Write(withoutRecords, plain);
    EditorHandle other(create_quaverly_editor());
    other->SetPageContentSize(kWidth, kHeight);
    PageLayoutResult info;
    ASSERT_TRUE(other->LoadMusicXml(withoutRecords.u16string(), info));
    other->RunPendingCommands(&painter);
    const ViewState byWidthState = StateOf(*static_cast<ScoreEditor*>(other.get()));
    ASSERT_FALSE(byWidthState.lineRanges.empty());
    EXPECT_EQ(byWidthState.lineRanges[0], std::make_pair(0, byWidth));
    EXPECT_EQ(byWidthState.linesPerPage[0], 2);
    for (const fs::path& path : {saved, once, twice, withoutRecords})
        fs::remove(path);
}

TEST_F(EditorDocumentTest, OpeningLaysTheScoreOutInOneWalkWithTheResultOfTwo)
{
    // A saved document of four parts with mixed values, ties across bars and lyrics.
    ScoreEditor& editor = Editor();
    editor.score->SetTimeSignature({0, 4, 4, 1});
    bench::AppendParts(*editor.score, 48, bench::BarTies::EveryFourthBar);
    editor.score->GetLineBreaks().insert(10);
    editor.RelayoutFrom(painter, 1, 1);
    editor.RepaginateFrom(painter, 0);
    editor.layout->Layout(painter);
    const fs::path path = TempPath("one_walk.exl");
    ASSERT_TRUE(handle->SaveMusicXml(path.u16string(), PageLayoutResult{}));
    const ViewState before = StateOf(editor);

    PageLayoutResult info;
    ASSERT_TRUE(handle->LoadMusicXml(path.u16string(), info));
    Run();
    const ViewState opened = StateOf(editor);
    EXPECT_GT(opened.linesPerPage.size(), 1u);
    EXPECT_EQ(opened, before);
    // A second walk over every line, as opening made before, changes nothing.
    editor.ReflowLinesFrom(painter, 0, false, false);
    editor.layout->Layout(painter);
    EXPECT_EQ(StateOf(editor), opened);
    fs::remove(path);
}

}  // namespace
}  // namespace quaverly
