// The title-block and instrument-name commands: each of the seven score texts is set and
// put back with the layout root laid out on both; deleting a header text blanks it and
// undo restores text and offset; instrument names attach to and detach from a track row.
#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "engine/commands/add_header_text_command.h"
#include "engine/commands/set_header_text_command.h"
#include "engine/commands/set_score_text_command.h"
#include "engine/layout/track_node.h"
#include "engine/model/header_text.h"
#include "engine/model/score.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_element.h"

namespace quaverly {
namespace {

struct TextCase {
    const char* name;
    std::function<std::shared_ptr<SetScoreTextCommand>()> make;
    std::u16string (Score::*get)() const;
    void (Score::*set)(std::u16string);
};

const TextCase kTexts[] = {
    {"Title", [] { return std::make_shared<SetTitleCommand>(); }, &Score::GetTitle,
     &Score::SetTitle},
    {"Subtitle", [] { return std::make_shared<SetSubtitleCommand>(); }, &Score::GetSubtitle,
     &Score::SetSubtitle},
    {"Composer", [] { return std::make_shared<SetComposerCommand>(); }, &Score::GetComposer,
     &Score::SetComposer},
    {"Poet", [] { return std::make_shared<SetPoetCommand>(); }, &Score::GetPoet,
     &Score::SetPoet},
    {"Singer", [] { return std::make_shared<SetSingerCommand>(); }, &Score::GetSinger,
     &Score::SetSinger},
    {"Adapter", [] { return std::make_shared<SetAdapterCommand>(); }, &Score::GetAdapter,
     &Score::SetAdapter},
    {"Rights", [] { return std::make_shared<SetRightsCommand>(); }, &Score::GetRights,
     &Score::SetRights},
};

// Every score text, in the order the table lists them.
std::vector<std::u16string> AllTexts(const Score& score)
{
    std::vector<std::u16string> texts;
    for (const auto& c : kTexts)
        texts.push_back((score.*c.get)());
    return texts;
}

class ScoreTextCommandTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(ScoreTextCommandTest, SetsOnlyItsTextAndLaysTheRootOutEachTime)
{
    auto score = std::make_shared<Score>();
    for (const auto& c : kTexts)
        (score.get()->*c.set)(u"旧 " + std::u16string(c.name, c.name + std::string(c.name).size()));
    auto log = std::make_shared<fakes::RecordingElement::Log>();
    auto root = std::make_shared<fakes::RecordingElement>("root", log);
    fakes::FakePainter painter;

    const auto& param = GetParam();
    auto command = param.make();
    command->SetScore(score);
    command->SetLayoutElement(root);
    command->SetOldText((*score.*param.get)());
    command->SetNewText(u"新的文字");
    command->SetPainter(&painter);

    const auto before = AllTexts(*score);
    command->Do();
    EXPECT_EQ((*score.*param.get)(), u"新的文字");
    auto expected = before;
    for (std::size_t i = 0; i < std::size(kTexts); ++i) {
        if (std::string(kTexts[i].name) == param.name)
            expected[i] = u"新的文字";
    }
    EXPECT_EQ(AllTexts(*score), expected);
    command->Undo();
    EXPECT_EQ(AllTexts(*score), before);
    command->Do();
    EXPECT_EQ(AllTexts(*score), expected);
    EXPECT_EQ(std::count(log->begin(), log->end(), "root.Layout"), 3);
}

INSTANTIATE_TEST_SUITE_P(All, ScoreTextCommandTest, ::testing::ValuesIn(kTexts),
                         [](const ::testing::TestParamInfo<TextCase>& param) {
                             return std::string(param.param.name);
                         });

TEST(SetHeaderTextCommandTest, DeletionBlanksAndUndoRestoresTextAndOffset)
{
    Score score;
    const auto poet = score.GetPoetText();
    poet->SetText(u"李白");
    poet->SetOffset({120, -40});

    SetHeaderTextCommand command;
    command.SetElement(poet);
    command.SetSavedText(poet->GetText());
    command.SetSavedOffset(poet->GetOffset());
    command.Do();
    EXPECT_EQ(score.GetPoet(), u"");
    EXPECT_EQ(poet->GetOffset(), (Point{0, 0}));
    command.Undo();
    EXPECT_EQ(score.GetPoet(), u"李白");
    EXPECT_EQ(poet->GetOffset(), (Point{120, -40}));
    command.Do();
    EXPECT_EQ(score.GetPoet(), u"");
}

TEST(AddHeaderTextCommandTest, AttachDetachAndTheInverse)
{
    auto track = std::make_shared<TrackNode>();
    auto name = std::make_shared<InstrumentNameText>();

    AddHeaderTextCommand add;
    add.SetTrackNode(track);
    add.SetInstrumentName(name);
    add.Do();
    EXPECT_EQ(track->GetInstrumentName(), name);
    add.Undo();
    EXPECT_EQ(track->GetInstrumentName(), nullptr);

    track->SetInstrumentName(name);
    RemoveHeaderTextCommand remove;
    remove.Target().SetTrackNode(track);
    remove.Target().SetInstrumentName(name);
    remove.Do();
    EXPECT_EQ(track->GetInstrumentName(), nullptr);
    remove.Undo();
    EXPECT_EQ(track->GetInstrumentName(), name);
}

// A row that showed a name gets that name back when a new one is undone, also after the
// new one was done twice.
TEST(AddHeaderTextCommandTest, UndoGivesTheRowItsEarlierName)
{
    auto track = std::make_shared<TrackNode>();
    auto earlier = std::make_shared<InstrumentNameText>();
    auto name = std::make_shared<InstrumentNameText>();
    track->SetInstrumentName(earlier);

    AddHeaderTextCommand add;
    add.SetTrackNode(track);
    add.SetInstrumentName(name);
    add.Do();
    add.Do();
    EXPECT_EQ(track->GetInstrumentName(), name);
    add.Undo();
    EXPECT_EQ(track->GetInstrumentName(), earlier);
    add.Do();
    EXPECT_EQ(track->GetInstrumentName(), name);
}

}  // namespace
}  // namespace quaverly
