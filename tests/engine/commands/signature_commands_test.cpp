// The key, time-signature, tempo and expression commands: do, undo and redo of each
// leave the score's tables exactly as they were, sorted by bar.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/commands/add_key_signature_command.h"
#include "engine/commands/add_tempo_mark_command.h"
#include "engine/commands/add_tempo_text_command.h"
#include "engine/commands/add_tempo_text_entry_command.h"
#include "engine/commands/add_time_signature_command.h"
#include "engine/commands/attach_bar_time_signature_command.h"
#include "engine/commands/set_key_signature_command.h"
#include "engine/commands/set_tempo_command.h"
#include "engine/model/bar.h"
#include "engine/model/score.h"
#include "tests/support/fake_painter.h"

namespace quaverly {
namespace {

// Everything the commands may touch, compared by value and by element identity.
struct Tables {
    std::vector<KeySignatureRecord> keys;
    std::vector<std::shared_ptr<KeySignature>> keyElements;
    std::vector<TempoMarkRecord> tempos;
    std::vector<std::shared_ptr<TempoMark>> tempoElements;
    std::vector<ExpressionRecord> texts;
    std::vector<std::shared_ptr<ExpressionText>> textElements;
    std::vector<TimeSignatureEntry> times;
    std::shared_ptr<TimeSignature> barTime;

    friend bool operator==(const Tables&, const Tables&) = default;
};

struct Fixture {
    std::shared_ptr<Score> score = std::make_shared<Score>();
    std::shared_ptr<Bar> bar = std::make_shared<Bar>(2);
    std::shared_ptr<TimeSignature> barTime = std::make_shared<TimeSignature>();

    Fixture()
    {
        score->SetKeySignature({3, 2, 1});   // D major from bar 3
        score->SetKeySignature({8, -1, 1});
        score->SetTempoMark({4, 161280, 90});
        score->SetTempoMark({9, 161280, 60});
        score->SetExpressionText({4, u"rit."});
        score->SetExpressionText({9, u"a tempo"});
        score->SetTimeSignature({0, 3, 4, 0});
        score->SetTimeSignature({5, 2, 4, 0});
        bar->SetTimeSignature(barTime);
    }

    Tables Snapshot() const
    {
        return {score->GetKeySignatures(),  score->GetKeySignatureList(),
                score->GetTempoMarks(),     score->GetTempoMarkList(),
                score->GetExpressionTexts(), score->GetExpressionTextList(),
                score->GetTimeSignatures(), bar->GetTimeSignature()};
    }
};

template <class T, class Key>
bool SortedBy(const std::vector<T>& list, Key key)
{
    for (std::size_t i = 1; i < list.size(); ++i) {
        if (key(list[i]) < key(list[i - 1]))
            return false;
    }
    return true;
}

void ExpectSorted(const Tables& t)
{
    EXPECT_TRUE(SortedBy(t.keys, [](const auto& r) { return r.bar; }));
    EXPECT_TRUE(SortedBy(t.tempos, [](const auto& r) { return r.position; }));
    EXPECT_TRUE(SortedBy(t.texts, [](const auto& r) { return r.position; }));
    EXPECT_TRUE(SortedBy(t.times, [](const auto& r) { return r.bar; }));
}

struct Case {
    const char* name;
    std::function<std::shared_ptr<EditCommand>(Fixture&)> build;
    std::function<void(const Fixture&)> checkDone;  // what Do must have changed
};

const Case kCases[] = {
    {"KeyOnBarWithKey",
     [](Fixture& f) {
         auto c = std::make_shared<SetKeySignatureCommand>();
         c->SetNewRecord({3, 5, 1});
         c->SetOldRecord({3, 2, 1});
         c->SetScore(f.score);
         return c;
     },
     [](const Fixture& f) { EXPECT_EQ(f.score->FindKeySignature(3)->GetValue().fifths, 5); }},
    {"FirstKeyOnBar",
     [](Fixture& f) {
         auto c = std::make_shared<SetKeySignatureCommand>();
         c->SetNewRecord({6, -3, 1});
         c->SetScore(f.score);  // old record left at bar -1: the bar had none
         return c;
     },
     [](const Fixture& f) { EXPECT_EQ(f.score->FindKeySignature(6)->GetValue().bar, 6); }},
    {"TimeSignatureNewBar",
     [](Fixture& f) {
         auto c = std::make_shared<AddTimeSignatureCommand>();
         c->SetRecord({7, 6, 8, 1});
         c->SetScore(f.score);
         return c;
     },
     [](const Fixture& f) { EXPECT_EQ(f.score->FindTimeSignature(7)->beats, 6); }},
    {"TimeSignatureOverwritesBar",
     [](Fixture& f) {
         auto c = std::make_shared<AddTimeSignatureCommand>();
         c->SetRecord({5, 5, 4, 1});
         c->SetScore(f.score);
         return c;
     },
     [](const Fixture& f) { EXPECT_EQ(f.score->FindTimeSignature(5)->beats, 5); }},
    {"TimeSignatureRemoved",
     [](Fixture& f) {
         auto c = std::make_shared<RemoveTimeSignatureCommand>();
         c->Target().SetRecord({5, 2, 4, 0});
         c->Target().SetScore(f.score);
         return c;
     },
     [](const Fixture& f) { EXPECT_EQ(f.score->FindTimeSignature(5)->bar, 0); }},
    {"TempoNewPosition",
     [](Fixture& f) {
         auto c = std::make_shared<SetTempoCommand>();
         c->SetRecord({6, 161280, 144});
         c->SetScore(f.score);
         return c;
     },
     [](const Fixture& f) { EXPECT_EQ(f.score->FindTempoMark(6)->GetValue().perMinute, 144); }},
    {"TempoOverPreviousTempo",
     [](Fixture& f) {
         auto c = std::make_shared<SetTempoCommand>();
         c->SetRecord({4, 80640, 72});
         c->SetScore(f.score);
         return c;
     },
     [](const Fixture& f) { EXPECT_EQ(f.score->FindTempoMark(4)->GetValue().perMinute, 72); }},
    {"TempoTextNewPosition",
     [](Fixture& f) {
         auto c = std::make_shared<AddTempoTextCommand>();
         c->SetRecord({1, u"dolce"});
         c->SetScore(f.score);
         return c;
     },
     [](const Fixture& f) { EXPECT_EQ(f.score->FindExpressionText(1)->GetValue().text, u"dolce"); }},
    {"TempoTextOverPreviousText",
     [](Fixture& f) {
         auto c = std::make_shared<AddTempoTextCommand>();
         c->SetRecord({9, u"accel."});
         c->SetScore(f.score);
         return c;
     },
     [](const Fixture& f) { EXPECT_EQ(f.score->FindExpressionText(9)->GetValue().text, u"accel."); }},
    {"KeyElementRemoved",
     [](Fixture& f) {
         auto c = std::make_shared<RemoveKeySignatureCommand>();
         c->Target().SetElement(f.score->GetKeySignatureList()[1]);
         c->Target().SetScore(f.score);
         return c;
     },
     [](const Fixture& f) { EXPECT_EQ(f.score->FindKeySignature(4)->GetValue().bar, 0); }},
    {"TempoElementRemoved",
     [](Fixture& f) {
         auto c = std::make_shared<RemoveTempoMarkCommand>();
         c->Target().SetElement(f.score->GetTempoMarkList()[0]);
         c->Target().SetScore(f.score);
         return c;
     },
     [](const Fixture& f) { EXPECT_EQ(f.score->GetTempoMarkList().size(), 1u); }},
    {"TextElementRemoved",
     [](Fixture& f) {
         auto c = std::make_shared<RemoveTempoTextCommand>();
         c->Target().SetElement(f.score->GetExpressionTextList()[0]);
         c->Target().SetScore(f.score);
         return c;
     },
     [](const Fixture& f) { EXPECT_EQ(f.score->GetExpressionTextList().size(), 1u); }},
    {"KeyElementAdded",
     [](Fixture& f) {
         auto key = std::make_shared<KeySignature>();
         key->SetValue(5, 4, 1);
         auto c = std::make_shared<AddKeySignatureCommand>();
         c->SetElement(key);
         c->SetScore(f.score);
         return c;
     },
     [](const Fixture& f) { EXPECT_EQ(f.score->FindKeySignature(5)->GetValue().fifths, 4); }},
    {"BarTimeSignatureDetached",
     [](Fixture& f) {
         auto c = std::make_shared<DetachBarTimeSignatureCommand>();
         c->Target().SetElement(f.barTime);
         c->Target().SetBar(f.bar);
         return c;
     },
     [](const Fixture& f) { EXPECT_EQ(f.bar->GetTimeSignature(), nullptr); }},
    {"BarTimeSignatureAttached",
     [](Fixture& f) {
         f.bar->ClearTimeSignature();
         auto c = std::make_shared<AttachBarTimeSignatureCommand>();
         c->SetElement(f.barTime);
         c->SetBar(f.bar);
         return c;
     },
     [](const Fixture& f) { EXPECT_EQ(f.bar->GetTimeSignature(), f.barTime); }},
    // The bar showed another time signature: undo gives it back, not an empty bar.
    {"BarTimeSignatureAttachedOverAnother",
     [](Fixture& f) {
         auto c = std::make_shared<AttachBarTimeSignatureCommand>();
         c->SetElement(std::make_shared<TimeSignature>());
         c->SetBar(f.bar);
         return c;
     },
     [](const Fixture& f) {
         EXPECT_NE(f.bar->GetTimeSignature(), nullptr);
         EXPECT_NE(f.bar->GetTimeSignature(), f.barTime);
     }},
};

class SignatureCommandTest : public ::testing::TestWithParam<Case> {};

TEST_P(SignatureCommandTest, DoUndoRedoRestoreTheTables)
{
    Fixture f;
    fakes::FakePainter painter;
    auto command = GetParam().build(f);
    const Tables before = f.Snapshot();

    command->SetPainter(&painter);
    command->Do();
    GetParam().checkDone(f);
    const Tables done = f.Snapshot();
    EXPECT_NE(done, before);
    ExpectSorted(done);

    command->Undo();
    EXPECT_EQ(f.Snapshot(), before);
    ExpectSorted(f.Snapshot());

    command->Do();
    EXPECT_EQ(f.Snapshot().keys, done.keys);
    EXPECT_EQ(f.Snapshot().tempos, done.tempos);
    EXPECT_EQ(f.Snapshot().texts, done.texts);
    EXPECT_EQ(f.Snapshot().times, done.times);
    EXPECT_EQ(f.Snapshot().barTime, done.barTime);

    command->Undo();
    EXPECT_EQ(f.Snapshot().keys, before.keys);
    EXPECT_EQ(f.Snapshot().tempos, before.tempos);
    EXPECT_EQ(f.Snapshot().texts, before.texts);
    EXPECT_EQ(f.Snapshot().times, before.times);
}

INSTANTIATE_TEST_SUITE_P(All, SignatureCommandTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& param) { return std::string(param.param.name); });

// The time-signature operation adds one command per part for the same bar; undoing them
// in reverse releases the counts one by one and leaves the bar's earlier values.
TEST(TimeSignaturePairTest, OnePerPartUndoesToTheEarlierEntry)
{
    Fixture f;
    const auto before = f.score->GetTimeSignatures();
    std::vector<std::shared_ptr<AddTimeSignatureCommand>> perPart;
    for (int part = 0; part < 2; ++part) {
        auto c = std::make_shared<AddTimeSignatureCommand>();
        c->SetRecord({5, 7, 8, 1});
        c->SetScore(f.score);
        c->Do();
        perPart.push_back(c);
    }
    ASSERT_EQ(f.score->GetTimeSignatures()[1].count, 3);
    perPart[1]->Undo();
    EXPECT_EQ(f.score->GetTimeSignatures()[1].count, 2);
    perPart[0]->Undo();
    EXPECT_EQ(f.score->GetTimeSignatures(), before);
}

// A refused record changes nothing, and its undo must not take a count off the bar.
TEST(TimeSignaturePairTest, RefusedRecordUndoesNothing)
{
    Fixture f;
    const auto before = f.score->GetTimeSignatures();
    AddTimeSignatureCommand c;
    c.SetRecord({5, 0, 4, 1});
    c.SetScore(f.score);
    c.Do();
    c.Undo();
    EXPECT_EQ(f.score->GetTimeSignatures(), before);
}

// Deleting a selected tempo mark and undoing puts the same element back.
TEST(TempoMarkDeletionTest, UndoPutsTheSameElementBack)
{
    Fixture f;
    const auto mark = f.score->GetTempoMarkList()[1];
    RemoveTempoMarkCommand remove;
    remove.Target().SetElement(mark);
    remove.Target().SetScore(f.score);
    remove.Do();
    remove.Undo();
    ASSERT_EQ(f.score->GetTempoMarkList().size(), 2u);
    EXPECT_EQ(f.score->GetTempoMarkList()[1], mark);
}

}  // namespace
}  // namespace quaverly
