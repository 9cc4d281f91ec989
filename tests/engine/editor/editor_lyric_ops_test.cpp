// Reading the verses of a part through the exported factory.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/editor/score_editor.h"
#include "engine/model/lyric.h"
#include "engine/model/note.h"
#include "engine/model/note_time.h"
#include "tests/engine/editor/editor_fixture.h"
#include "tests/engine/layout/layout_test_score.h"

namespace quaverly {
namespace {

using editor_test::EditorHandle;

TEST(EditorLyricOps, GetLyricsGivesOneTextPerNoteOfTheFirstTrack)
{
    EditorHandle handle(create_quaverly_editor());
    auto& editor = *static_cast<ScoreEditor*>(handle.get());
    auto built = layout_test::MakeScore(2, 2);
    while (built->GetChildCount() > 0) {
        auto child = built->GetChild(0);
        built->RemoveChild(0);
        editor.score->AppendChild(child);
        child->SetParent(editor.score.get());
    }
    const auto sing = [](const std::shared_ptr<Note>& note, int verse, const std::u16string& text) {
        auto lyric = note->GetLyric(verse);
        ASSERT_NE(lyric, nullptr);
        lyric->SetText(text);
    };
    const auto a = layout_test::AddNote(*layout_test::BarOf(*editor.score, 0, 0), note_length::kHalf);
    layout_test::AddNote(*layout_test::BarOf(*editor.score, 0, 0), note_length::kHalf);
    const auto c = layout_test::AddNote(*layout_test::BarOf(*editor.score, 0, 1), note_length::kWhole);
    sing(a, 0, u"茉");
    sing(c, 0, u"花");
    sing(c, 2, u"三");

    EXPECT_EQ(handle->GetLyrics(0, 0), (std::vector<std::u16string>{u"茉", u"", u"花"}));
    EXPECT_EQ(handle->GetLyrics(0, 2), (std::vector<std::u16string>{u"", u"", u"三"}));
    EXPECT_TRUE(handle->GetLyrics(1, 0).empty());  // the second part has no notes
    for (const auto& [part, verse] : {std::pair{-1, 0}, {2, 0}, {0, -1}, {0, 5}})
        EXPECT_TRUE(handle->GetLyrics(part, verse).empty());
}

}  // namespace
}  // namespace quaverly
