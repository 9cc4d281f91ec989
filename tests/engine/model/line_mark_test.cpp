// Line marks: the thirteen kinds with their starting values and document words, the
// factory by kind, reset, and that a line mark itself neither draws nor deletes.
#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "engine/model/line_mark.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_element.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
using fakes::RecordingElement;
namespace kind = line_mark_kind;

struct KindCase {
    const char* name;
    std::function<std::shared_ptr<LineMark>()> make;
    int kind;
    float radian;
    std::u16string word;
};

const KindCase kKinds[] = {
    {"cresc", [] { return std::make_shared<CrescLine>(); }, kind::kCresc, 0.0f, u"cresc"},
    {"decresc", [] { return std::make_shared<DecrescLine>(); }, kind::kDecresc, 0.0f,
     u"decresc"},
    {"flat slur", [] { return std::make_shared<FlatSlurLine>(); }, kind::kFlatSlur, 0.0f,
     u"flat-slur"},
    {"smooth slur", [] { return std::make_shared<SmoothSlurLine>(); }, kind::kSmoothSlur,
     -300.0f, u"smooth-slur"},
    {"trill", [] { return std::make_shared<TrillLine>(); }, kind::kTrill, 0.0f, u"trill"},
    {"high octave", [] { return std::make_shared<HighOctaveLine>(); }, kind::kHighOctave,
     0.0f, u"high-octive"},
    {"low octave", [] { return std::make_shared<LowOctaveLine>(); }, kind::kLowOctave, 0.0f,
     u"low-octive"},
    {"first ending", [] { return std::make_shared<FirstEndingLine>(); }, kind::kFirstEnding,
     0.0f, u"first-ending"},
    {"second ending", [] { return std::make_shared<SecondEndingLine>(); },
     kind::kSecondEnding, 0.0f, u"second-ending"},
    {"arpeggio", [] { return std::make_shared<ArpeggioLine>(); }, kind::kArpeggio, 500.0f,
     u"arpeggio"},
    {"arpeggio up", [] { return std::make_shared<ArpeggioUpLine>(); }, kind::kArpeggioUp,
     500.0f, u"arpeggio-upwards"},
    {"arpeggio down", [] { return std::make_shared<ArpeggioDownLine>(); },
     kind::kArpeggioDown, 500.0f, u"arpeggio-downwards"},
    {"glissando", [] { return std::make_shared<GlissandoLine>(); }, kind::kGlissando, 0.0f,
     u"glissandi"},
};

TEST(LineMarkTest, EveryKindStartsAQuarterNoteLongAtBarZeroWithItsRadianAndWord)
{
    ASSERT_EQ(std::size(kKinds), static_cast<std::size_t>(kind::kCount));
    for (const KindCase& c : kKinds) {
        SCOPED_TRACE(c.name);
        for (const auto& mark : {c.make(), CreateLineMark(c.kind)}) {
            ASSERT_TRUE(mark);
            EXPECT_EQ(mark->GetKind(), c.kind);
            EXPECT_EQ(mark->GetBar(), 0);
            EXPECT_EQ(mark->GetTimePosition(), 0);
            EXPECT_EQ(mark->GetDuration(), 161280);
            EXPECT_EQ(mark->GetRadian(), c.radian);
        }
        EXPECT_EQ(GetLineMarkWord(c.kind), c.word);
        EXPECT_EQ(FindLineMarkKind(c.word), c.kind);
    }
}

TEST(LineMarkTest, KindsAndWordsOutsideTheTableMakeNothing)
{
    for (int bad : {-1, kind::kCount, 1000}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(CreateLineMark(bad));
        EXPECT_TRUE(GetLineMarkWord(bad).empty());
    }
    for (const std::u16string word : {u"", u"high-octave", u"Cresc", u"glissando", u"slur"}) {
        EXPECT_EQ(FindLineMarkKind(word), -1);
    }
}

TEST(LineMarkTest, SettersStoreAndResetRestoresAllButTheKind)
{
    SmoothSlurLine mark;
    mark.SetBar(7);
    EXPECT_EQ(mark.SetTimePosition(80640), 80640);
    EXPECT_EQ(mark.SetDuration(483840), 483840);
    mark.SetRadian(-120.5f);
    mark.SetPosition({5, 6});  // the element's place on the page is separate
    EXPECT_EQ(mark.GetBar(), 7);
    EXPECT_EQ(mark.GetTimePosition(), 80640);
    EXPECT_EQ(mark.GetDuration(), 483840);
    EXPECT_EQ(mark.GetRadian(), -120.5f);
    EXPECT_EQ(mark.GetPosition(), (Point{5, 6}));

    mark.Reset();
    EXPECT_EQ(mark.GetKind(), kind::kSmoothSlur);
    EXPECT_EQ(mark.GetBar(), 0);
    EXPECT_EQ(mark.GetTimePosition(), 0);
    EXPECT_EQ(mark.GetDuration(), 161280);
    EXPECT_EQ(mark.GetRadian(), 0.0f);
}

TEST(LineMarkTest, ALineMarkItselfNeitherDrawsNorAnswersDelete)
{
    FakePainter painter;
    auto parent = std::make_shared<RecordingElement>("parent", nullptr);
    parent->HandleNotifications(0);
    const auto mark = std::make_shared<TrillLine>();
    mark->SetRect({0, 0, 100, 100});
    parent->AppendChild(mark);
    parent->Layout(painter);

    mark->Select();
    mark->OnKeyDown(key_code::kDelete, 0);
    mark->Draw(painter);
    // The selection report only; no removal request and no painter call.
    ASSERT_EQ(parent->ReceivedRecords().size(), 1u);
    EXPECT_EQ(parent->ReceivedRecords()[0].id, notification_id::kSelectionChanged);
    EXPECT_TRUE(painter.Calls().empty());
    EXPECT_EQ(mark->GetRect(), (Rect{0, 0, 100, 100}));
}

}  // namespace
}  // namespace quaverly
