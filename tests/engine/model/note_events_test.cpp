// Notes in the element tree: drags move a note once per step, releases and nudges ask
// for one offset change, selection and deletion report to the controller, and records
// from the sub-elements get the sub-element filled in on their way up.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/accidental_sign.h"
#include "engine/model/augmentation_dots.h"
#include "engine/model/lyric.h"
#include "engine/model/note.h"
#include "engine/model/note_symbol.h"
#include "engine/model/note_time.h"
#include "engine/model/rest.h"
#include "engine/model/symbol_mark.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_element.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
using fakes::RecordingElement;
namespace id = notification_id;
namespace len = note_length;

// A note under a parent that takes every record. The note's symbol covers x 1050..1170
// and y 2030..2270.
class NoteEventsTest : public testing::Test {
protected:
    void SetUp() override { Attach(std::make_shared<Note>()); }

    void Attach(std::shared_ptr<Note> attached)
    {
        note = std::move(attached);
        parent = std::make_shared<RecordingElement>("parent", nullptr);
        parent->HandleNotifications(0);
        parent->AppendChild(note);
        note->SetPitchCode(3);
        note->SetStartTime(80640);
        note->SetOrigin({1000, 2000});
        note->SetPosition({50, 30});
        parent->Layout(painter);
    }

    // The ids that reached the parent, without the selection notices (every lyric of
    // the note reports its deselection when a press misses it).
    std::vector<int> Ids() const
    {
        std::vector<int> ids;
        for (const auto& record : Records())
            ids.push_back(record.id);
        return ids;
    }
    std::vector<RecordingElement::Received> Records() const
    {
        std::vector<RecordingElement::Received> records;
        for (const auto& record : parent->ReceivedRecords()) {
            if (record.id != id::kSelectionChanged)
                records.push_back(record);
        }
        return records;
    }
    const RecordingElement::Received& Last() const { return parent->ReceivedRecords().back(); }
    void Forget() { parent->ClearReceived(); }

    FakePainter painter;
    std::shared_ptr<RecordingElement> parent;
    std::shared_ptr<Note> note;
};

TEST_F(NoteEventsTest, ScriptedDragMovesTheNoteOncePerStep)
{
    int handled = 0;
    parent->OnButtonDown({1060, 2050}, 0, handled);
    parent->OnPointerMove({1065, 2053}, 0);
    parent->OnPointerMove({1075, 2048}, 0);
    parent->OnButtonUp({1075, 2048}, 0);

    EXPECT_EQ(note->GetOffset(), (Point{15, -2}));
    // Press: selection; two steps: one note drag each, no generic move, no second
    // move; release: the generic move request and the note's own offset change.
    EXPECT_EQ(Ids(),
              (std::vector<int>{id::kNoteSelected, id::kNoteSelectedInfo, id::kNoteOffsetDrag,
                                id::kNoteOffsetDrag, id::kMoveRequest, id::kNoteOffsetChange}));
    const auto records = Records();
    EXPECT_EQ(records[2].payload.oldOffset, (Point{0, 0}));
    EXPECT_EQ(records[2].payload.newOffset, (Point{5, 3}));
    EXPECT_EQ(records[3].payload.oldOffset, (Point{5, 3}));
    EXPECT_EQ(records[3].payload.newOffset, (Point{15, -2}));
    EXPECT_EQ(records[5].payload.oldOffset, (Point{0, 0}));
    EXPECT_EQ(records[5].payload.newOffset, (Point{15, -2}));
    for (const auto& record : records)
        EXPECT_EQ(record.sender, note.get());
}

TEST_F(NoteEventsTest, SelectingReportsTheNoteAndColoursItsSignAndDots)
{
    note->SetDuration(len::kEighth);
    note->SetDots(1);
    note->SetOctave(-1);
    note->SetAccidental(accidental_code::kFlat);
    note->Select();

    EXPECT_EQ(parent->ReceivedRecords()[0].id, id::kSelectionChanged);
    EXPECT_EQ(Ids(), (std::vector<int>{id::kNoteSelected, id::kNoteSelectedInfo}));
    const NoteProperties& info = Last().payload.noteProperties;
    EXPECT_EQ(info.startTime, 80640);
    EXPECT_EQ(info.duration, len::kEighth);
    EXPECT_EQ(info.octave, -1);
    EXPECT_EQ(info.dots, 1);
    EXPECT_EQ(info.accidental, -1);
    EXPECT_EQ(note->GetAccidentalSign()->GetColor(), color_index::kSelected);
    EXPECT_EQ(note->GetDotsElement()->GetColor(), color_index::kSelected);

    note->Deselect();
    EXPECT_EQ(Last().id, id::kNoteDeselected);
    EXPECT_EQ(note->GetAccidentalSign()->GetColor(), color_index::kNormal);
    EXPECT_EQ(note->GetDotsElement()->GetColor(), color_index::kNormal);
}

TEST_F(NoteEventsTest, RestIsDraggedAlongXOnly)
{
    Attach(std::make_shared<Rest>());
    note->SetOffset({0, 0});
    int handled = 0;
    parent->OnButtonDown({1060, 2050}, 0, handled);  // the rest's offset counts: 0 here
    parent->OnPointerMove({1070, 2090}, 0);
    EXPECT_EQ(note->GetOffset(), (Point{10, 0}));
    EXPECT_EQ(Last().id, id::kNoteOffsetDrag);
    EXPECT_EQ(Last().payload.newOffset, (Point{10, 0}));
}

TEST_F(NoteEventsTest, MovingByADeltaAsksForARelayoutExceptForRests)
{
    note->MoveBy({4, 6}, 0);
    EXPECT_EQ(note->GetOffset(), (Point{4, 6}));
    EXPECT_EQ(Ids(), (std::vector<int>{id::kMoveDragStep, id::kNoteDragStep}));

    Attach(std::make_shared<Rest>());
    note->MoveBy({4, 6}, 0);
    EXPECT_EQ(note->GetOffset(), (Point{4, 0}));
    EXPECT_EQ(Ids(), (std::vector<int>{id::kMoveDragStep}));
}

// The note moves at once, so a second key before the first change was drawn goes on
// from there.
TEST_F(NoteEventsTest, ArrowKeysAskForAnOffsetChangeOf31)
{
    struct Case {
        int key;
        Point to;  // from (10, 20)
    };
    const Case cases[] = {{key_code::kLeft, {-21, 20}},
                          {key_code::kRight, {41, 20}},
                          {key_code::kUp, {10, -11}},
                          {key_code::kDown, {10, 51}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        Forget();
        note->SetOffset({10, 20});
        note->SetState(element_state::kSelected);
        parent->OnKeyDown(c.key, input_flag::kKeepSelection);
        EXPECT_EQ(note->GetOffset(), (Point{10, 20}));  // moved by the command only
        EXPECT_EQ(Ids(), (std::vector<int>{id::kNoteOffsetChange}));
        EXPECT_EQ(Last().payload.oldOffset, (Point{10, 20}));
        EXPECT_EQ(Last().payload.newOffset, c.to);
        EXPECT_TRUE(Last().payload.nudge);
    }
}

TEST_F(NoteEventsTest, DeleteReportsTheNoteGoingAwayThenItsRemoval)
{
    note->SetState(element_state::kSelected);
    parent->OnKeyDown(key_code::kDelete, 0);
    ASSERT_EQ(Ids(), (std::vector<int>{id::kNoteGoingAway, id::kNoteDelete}));
    EXPECT_EQ(parent->ReceivedRecords()[0].payload.subject, note.get());
    EXPECT_FALSE(parent->ReceivedRecords()[1].payload.element);
}

TEST_F(NoteEventsTest, RecordsFromSubElementsCarryTheSubElement)
{
    auto ornament = std::make_shared<NoteSymbol>(3, 2);
    auto symbol = std::make_shared<SymbolMark>();
    note->AddOrnament(ornament);
    note->AddSymbol(symbol);
    note->SetDuration(len::kHalf);  // one dash
    note->SetLyricText(3, u"云");
    parent->Layout(painter);  // the note becomes the parent of its sub-elements

    // Removals go through the sub-element's own Notify, moves start at the note.
    struct Case {
        const char* name;
        std::shared_ptr<ScoreElement> element;
        int sent;
        bool fromParent;
    };
    const Case cases[] = {
        {"lyric deleted", note->GetLyric(3), id::kLyricDelete, false},
        {"ornament deleted", ornament, id::kNoteSymbolDelete, false},
        {"symbol deleted", symbol, id::kSymbolMarkDelete, false},
        {"lyric dragged", note->GetLyric(3), id::kMoveDragStep, true},
        {"ornament moved", ornament, id::kMoveRequest, true},
        {"symbol moved", symbol, id::kMoveRequest, true},
        {"dash moved", note->GetExtensionGlyphs()[0], id::kMoveRequest, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Forget();
        NotificationPayload payload;
        if (c.fromParent)
            c.element->NotifyParent(c.sent, &payload);
        else
            c.element->NotifySelf(c.sent, &payload);
        ASSERT_EQ(Ids(), (std::vector<int>{c.sent}));
        EXPECT_EQ(Last().sender, note.get());
        EXPECT_EQ(Last().payload.element, c.element);
    }
}

TEST_F(NoteEventsTest, TheNotesOwnMovesBecomeItsOffsetRecords)
{
    struct Case {
        int received;
        int sent;
    };
    const Case cases[] = {{id::kMoveDragStep, id::kNoteOffsetDrag},
                          {id::kMoveRequest, id::kNoteOffsetChange}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.received);
        Forget();
        NotificationPayload payload;
        payload.oldOffset = {1, 2};
        payload.newOffset = {3, 4};
        note->NotifySelf(c.received, &payload);
        ASSERT_EQ(Ids(), (std::vector<int>{c.sent}));
        EXPECT_EQ(Last().payload.oldOffset, (Point{1, 2}));
        EXPECT_EQ(Last().payload.newOffset, (Point{3, 4}));
    }
}

TEST_F(NoteEventsTest, DoubleClickOnALyricAsksForItsEditWithVerseAndTime)
{
    note->SetLyricText(3, u"云");
    parent->Layout(painter);
    const auto lyric = note->GetLyric(3);
    lyric->SetPosition({0, 400});  // the bar places lyrics under the note
    int handled = 0;
    parent->OnDoubleClick({1010, 2410}, 0, handled);

    ASSERT_EQ(Ids(), (std::vector<int>{id::kEditLyric}));
    EXPECT_EQ(Last().payload.verse, 3);
    EXPECT_EQ(Last().payload.time, 80640);
    EXPECT_EQ(Last().payload.text, u"云");
    EXPECT_EQ(Last().payload.rect, (Rect{1000, 2400, 1100, 2680}));
    EXPECT_EQ(handled, 0);

    parent->OnDoubleClick({1060, 2040}, 0, handled);  // on the note itself
    EXPECT_EQ(handled, kEventTaken);
}

TEST_F(NoteEventsTest, PressOnALyricSelectsItAndNotTheNote)
{
    note->SetLyricText(0, u"雨");
    parent->Layout(painter);
    note->GetLyric(0)->SetPosition({0, 400});
    note->Select();
    int handled = 0;
    parent->OnButtonDown({1010, 2410}, 0, handled);
    EXPECT_EQ(note->GetLyric(0)->GetState(), element_state::kSelected);
    EXPECT_EQ(note->GetState(), element_state::kNormal);
}

TEST_F(NoteEventsTest, DraggingAContinuationDashMovesOnlyTheDash)
{
    note->SetDuration(len::kHalf);
    parent->Layout(painter);
    const auto dash = note->GetExtensionGlyphs()[0];
    dash->SetPosition({300, 30});  // the bar places it at the next beat: x 1300..1420
    Forget();

    int handled = 0;
    parent->OnButtonDown({1310, 2050}, 0, handled);
    Forget();
    parent->OnPointerMove({1320, 2070}, 0);
    parent->OnButtonUp({1320, 2070}, 0);

    EXPECT_EQ(dash->GetOffset(), (Point{10, 0}));
    EXPECT_EQ(note->GetOffset(), (Point{0, 0}));
    ASSERT_EQ(Ids(), (std::vector<int>{id::kMoveDragStep, id::kMoveRequest}));
    for (const auto& record : Records()) {
        EXPECT_EQ(record.payload.element, dash);
        EXPECT_EQ(record.payload.newOffset, (Point{10, 0}));
    }
}

}  // namespace
}  // namespace quaverly
