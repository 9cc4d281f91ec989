// The whole-document operations of the editor: a new score, loading and saving a
// document, importing from and exporting to a score-data record, and laying the pages
// out anew. Each one that replaces or rebuilds the view queues the first-layout series
// irreversibly, so nothing before it can be undone; the series runs at the next
// RunPendingCommands, with the painter the program hands it.
#include <filesystem>
#include <memory>
#include <vector>

#include "engine/commands/build_score_command.h"
#include "engine/commands/do_step_command.h"
#include "engine/commands/initial_layout_command.h"
#include "engine/commands/move_final_barline_command.h"
#include "engine/commands/refresh_commands.h"
#include "engine/editor/score_data_exporter.h"
#include "engine/editor/score_data_importer.h"
#include "engine/editor/score_editor.h"
#include "engine/model/header_text.h"
#include "engine/layout/system_node.h"
#include "engine/layout/track_node.h"
#include "engine/xml/music_xml_file.h"

namespace quaverly {

namespace {

// The hand-made layout of the laid-out lines, as a document keeps it: the heading is
// line 0 with no bars, then one record per line with its rows.
std::vector<SystemRecord> CollectSystemRecords(const ScoreEditor& editor)
{
    std::vector<SystemRecord> records;
    for (std::size_t i = 0; i < editor.lines.size(); ++i) {
        const auto& element = editor.lines[i];
        if (!element)
            continue;
        SystemRecord record;
        record.number = static_cast<int>(i);
        record.show = element->IsVisible();
        record.offset = element->GetOffset();
        if (const auto line = std::dynamic_pointer_cast<SystemNode>(element)) {
            record.firstBar = line->GetBarRange().first;
            record.endBar = line->GetBarRange().end;
            record.rightOffset = line->GetRightOffset();
            for (int t = 0; t < line->GetChildCount(); ++t) {
                const auto track = line->GetTrack(t);
                if (!track)
                    continue;
                TrackRecord trackRecord;
                trackRecord.number = t;
                trackRecord.show = track->IsVisible();
                trackRecord.offset = track->GetOffset();
                if (const auto& name = track->GetInstrumentName()) {
                    trackRecord.instrumentName = name->GetText();
                    trackRecord.nameOffset = name->GetOffset();
                }
                record.tracks.push_back(std::move(trackRecord));
            }
        }
        records.push_back(std::move(record));
    }
    return records;
}

}  // namespace

void ScoreEditor::RecordStep(std::shared_ptr<EditCommand> command)
{
    RecordIrreversible(std::make_shared<DoStepCommand>(std::move(command)));
}

void ScoreEditor::RecordInitialLayout(std::shared_ptr<InitialLayoutCommand> initial,
                                      bool moveFinalBarline)
{
    RecordStep(initial ? std::move(initial) : std::make_shared<InitialLayoutCommand>(this));
    RecordStep(std::make_shared<RelayoutScoreCommand>(this));
    RecordStep(std::make_shared<ReflowLinesKeepCommand>(this));
    if (moveFinalBarline)
        RecordStep(std::make_shared<MoveFinalBarlineCommand>(this));
    RecordStep(std::make_shared<RelayoutViewCommand>(this));
    RecordStep(std::make_shared<PlaybackChangedNoticeCommand>(this));
}

void ScoreEditor::NewDocument(const NewScoreSettings& settings)
{
    auto build = std::make_shared<BuildScoreCommand>(this);
    ResetDocument();
    build->SetSettings(settings);
    RecordStep(build);
    RecordInitialLayout(nullptr, true);
    NotifyListener(EditorNoticeCode::ContentChanged);
}

bool ScoreEditor::LoadMusicXml(const std::u16string& path, PageLayoutResult& info)
{
    MusicXmlFile file;
    auto initial = std::make_shared<InitialLayoutCommand>(this);
    ResetDocument();
    file.SetScore(score.get());
    if (!file.Load(std::filesystem::path(path))) {
        // Whatever the reader got to stays out of the editor: the document is empty
        // again, nothing is queued and the caller's record is left alone.
        ResetDocument();
        return false;
    }
    info = file.GetPageResult();
    hideEmptyLines = info.hideEmptyTrack;
    initial->SetRecords(file.GetSystemRecords());
    RecordInitialLayout(initial, false);
    NotifyListener(EditorNoticeCode::ContentChanged);
    return true;
}

bool ScoreEditor::SaveMusicXml(const std::u16string& path, const PageLayoutResult& info)
{
    MusicXmlFile file;
    file.SetScore(score.get());
    PageLayoutResult saved = info;
    saved.hideEmptyTrack = hideEmptyLines;
    file.SetPageResult(saved);
    file.SetSystemRecords(CollectSystemRecords(*this));
    return file.Save(std::filesystem::path(path));
}

void ScoreEditor::ImportScoreData(tabulon::ScoreData* data)
{
    ResetDocument();
    ScoreDataImporter importer(score, data);
    importer.ImportScore();
    RecordInitialLayout(nullptr, true);
    NotifyListener(EditorNoticeCode::ContentChanged);
}

void ScoreEditor::ExportScoreData(tabulon::ScoreData* data)
{
    ScoreDataExporter exporter(score);
    exporter.ExportScore(data);
}

void ScoreEditor::Repaginate()
{
    cursor = CursorPosition{};
    currentPage = 0;
    lines.clear();
    layout->ClearChildren();
    deferredReflows.clear();
    documentLineRanges.clear();
    freshColumnsEnd = 0;
    cursorBarAfterReflow_ = -1;
    RecordInitialLayout(nullptr, true);
    NotifyListener(EditorNoticeCode::ContentChanged);
}

}  // namespace quaverly
