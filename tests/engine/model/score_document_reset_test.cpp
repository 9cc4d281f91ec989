// The editor holds one Score for the whole life of the document: resetting the
// document resets the score in place, header text elements included.
#include <memory>

#include <gtest/gtest.h>

#include "engine/editor/score_editor.h"
#include "engine/model/container_element.h"
#include "engine/model/part.h"

namespace quaverly {
namespace {

TEST(ScoreDocumentResetTest, ResetDocumentResetsTheEditorsScoreInPlace)
{
    ScoreEditor editor;
    const std::shared_ptr<Score> score = editor.score;
    const auto title = score->GetTitleText();
    score->SetTitle(u"茉莉花");
    ASSERT_TRUE(score->SetKeySignature({0, 2, 1}));
    ASSERT_TRUE(score->SetTimeSignature({0, 2, 4, 0}));
    score->SetTempoMark({0, 161280, 96});
    auto holder = std::make_shared<ContainerElement>();
    holder->AppendChild(std::make_shared<Part>());
    score->AppendChild(holder);

    editor.ResetDocument();

    EXPECT_EQ(editor.score, score);
    EXPECT_EQ(score->GetTitleText(), title);
    EXPECT_TRUE(score->GetTitle().empty());
    EXPECT_EQ(score->GetKeySignatures(), (std::vector<KeySignatureRecord>{{0, 0, 1}}));
    EXPECT_TRUE(score->GetTimeSignatures().empty());
    EXPECT_TRUE(score->GetTempoMarks().empty());
    EXPECT_EQ(score->GetChildCount(), 0);
    EXPECT_EQ(editor.GetBarCount(), 0);
}

}  // namespace
}  // namespace quaverly
