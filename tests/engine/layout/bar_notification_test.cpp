// Records of a laid-out bar's notes, tuplets and barline symbols climb through the bar
// and its part with their payload filled in, in a two-part score whose part containers
// take every record.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/barline.h"
#include "engine/model/symbol_mark.h"
#include "tests/engine/layout/layout_test_score.h"
#include "tests/support/recording_element.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
using fakes::RecordingElement;
using namespace layout_test;
namespace len = note_length;

class BarNotificationTest : public testing::Test {
public:
    void SetUp() override
    {
        score = std::make_shared<Score>();
        for (int p = 0; p < 2; ++p) {
            containers.push_back(std::make_shared<RecordingElement>("part", nullptr));
            containers.back()->HandleNotifications(0);
            auto part = std::make_shared<Part>();
            part->AppendChild(std::make_shared<Bar>(0));
            containers.back()->AppendChild(part);
            score->AppendChild(containers.back());
        }
        bar = BarOf(*score, 1, 0);
        tuplet = AddTuplet(*bar, 3, 2, len::kEighth);
        AddNote(*bar, len::kQuarter);
        AddNote(*bar, len::kHalf);
        symbol = std::make_shared<SymbolMark>();
        bar->GetBarline(0)->AddSymbol(symbol);
        AddNotes(*BarOf(*score, 0, 0), 4, len::kQuarter);
        Lay(score, painter, 0, 1);
        score->Layout(painter);
        // The barline view of the line parents the barline and its symbols.
        bar->GetBarline(0)->SetParent(bar.get());
        symbol->SetParent(bar->GetBarline(0).get());
    }

    std::vector<int> Ids() const
    {
        std::vector<int> ids;
        for (const auto& record : containers[1]->ReceivedRecords()) {
            if (record.id != notification_id::kSelectionChanged)
                ids.push_back(record.id);
        }
        return ids;
    }
    const RecordingElement::Received& Record(int id) const
    {
        for (const auto& record : containers[1]->ReceivedRecords()) {
            if (record.id == id)
                return record;
        }
        static const RecordingElement::Received none;
        return none;
    }

    FakePainter painter;
    std::shared_ptr<Score> score;
    std::vector<std::shared_ptr<RecordingElement>> containers;
    std::shared_ptr<Bar> bar;
    std::shared_ptr<Tuplet> tuplet;
    std::shared_ptr<SymbolMark> symbol;
};

TEST_F(BarNotificationTest, PayloadsArriveFilledByTheBar)
{
    struct Case {
        const char* what;
        void (*act)(BarNotificationTest&);
        std::vector<int> ids;
        int id;
        bool element;  // which slots the bar (or barline) filled
        bool owner;
        bool note;
    };
    const Case cases[] = {
        {"a note deleted", [](BarNotificationTest& t) { t.bar->GetNotes()[3]->DeleteSelected(); },
         {1029, 1001}, 1001, false, false, true},
        {"a note selected", [](BarNotificationTest& t) { t.bar->GetNotes()[4]->Select(); },
         {1056, 1055}, 1056, false, false, true},
        {"the tuplet deleted", [](BarNotificationTest& t) { t.tuplet->DeleteSelected(); },
         {1004}, 1004, true, false, true},
        // The tuplet stays: the note's removal command takes it off, for its undo.
        {"the tuplet's first note deleted",
         [](BarNotificationTest& t) { t.bar->GetNotes()[0]->DeleteSelected(); },
         {1029, 1001}, 1001, false, false, true},
        {"a tuplet nudged", [](BarNotificationTest& t) { t.tuplet->NudgeUp(); }, {1060}, 1060,
         true, false, false},
        {"a barline symbol deleted", [](BarNotificationTest& t) { t.symbol->DeleteSelected(); },
         {1022}, 1022, true, true, false},
        {"a barline symbol nudged", [](BarNotificationTest& t) { t.symbol->NudgeLeft(); },
         {1060}, 1060, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        containers[1]->ClearReceived();
        c.act(*this);
        EXPECT_EQ(Ids(), c.ids);
        const auto& record = Record(c.id);
        EXPECT_NE(record.sender, nullptr) << "the part passes the bar's record on";
        EXPECT_EQ(record.payload.element != nullptr, c.element);
        EXPECT_EQ(record.payload.owner != nullptr, c.owner);
        EXPECT_EQ(record.payload.note != nullptr, c.note);
    }
    EXPECT_TRUE(containers[0]->ReceivedRecords().empty()) << "the other part hears nothing";
}

TEST_F(BarNotificationTest, SlotsHoldTheSendersOwners)
{
    bar->GetNotes()[3]->DeleteSelected();
    EXPECT_EQ(Record(1001).payload.note, bar->GetNotes()[3]);
    tuplet->DeleteSelected();
    EXPECT_EQ(Record(1004).payload.element, tuplet);
    EXPECT_EQ(Record(1004).payload.note, tuplet->GetFirstNote());
    symbol->DeleteSelected();
    EXPECT_EQ(Record(1022).payload.element, symbol);
    EXPECT_EQ(Record(1022).payload.owner, bar->GetBarline(0));
}

}  // namespace
}  // namespace quaverly
