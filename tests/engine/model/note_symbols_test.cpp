// The ten note-symbol classes, the symbol factory and the notation names: each class
// carries its code and stacking order, the note stacks them in that order, and a
// deleted symbol asks for its removal.
#include <algorithm>
#include <memory>
#include <typeinfo>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/note.h"
#include "engine/model/note_symbol_factory.h"
#include "engine/model/note_symbols.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_element.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
using fakes::RecordingElement;
namespace m = fakes::fake_metrics;

struct SymbolRow {
    int code;
    const std::type_info* type;
    const char16_t* name;
    int order;
};

const SymbolRow kRows[] = {
    {6, &typeid(StaccatissimoSymbol), u"staccatissimo", 0},
    {4, &typeid(TenutoSymbol), u"tenuto", 1},
    {3, &typeid(StaccatoSymbol), u"staccato", 2},
    {2, &typeid(StrongAccentSymbol), u"strong-accent", 3},
    {19, &typeid(TrillMarkSymbol), u"trill-mark", 4},
    {25, &typeid(InvertedMordentSymbol), u"inverted-mordent", 5},
    {24, &typeid(MordentSymbol), u"mordent", 6},
    {20, &typeid(TurnSymbol), u"turn", 7},
    {21, &typeid(DelayedTurnSymbol), u"delayed-turn", 8},
    {14, &typeid(FermataSymbol), u"fermata", 9},
};

TEST(NoteSymbolsTest, TheFactoryMakesTheClassOfEachCode)
{
    for (const SymbolRow& row : kRows) {
        SCOPED_TRACE(row.code);
        const auto symbol = CreateNoteSymbol(row.code);
        ASSERT_TRUE(symbol);
        EXPECT_EQ(typeid(*symbol), *row.type);
        EXPECT_EQ(symbol->GetSymbolCode(), row.code);
        EXPECT_EQ(symbol->GetOrder(), row.order);
        EXPECT_EQ(GetNotationName(row.code), row.name);
        EXPECT_EQ(FindNotationCode(row.name), row.code);
        EXPECT_NE(CreateNoteSymbol(row.code), symbol) << "a new symbol every time";
    }
}

TEST(NoteSymbolsTest, CodesWithoutAClassMakeNothing)
{
    int made = 0;
    for (int code = -2; code <= kNotationNameCount + 1; ++code) {
        SCOPED_TRACE(code);
        const bool hasClass = std::any_of(std::begin(kRows), std::end(kRows),
                                          [code](const SymbolRow& row) { return row.code == code; });
        EXPECT_EQ(CreateNoteSymbol(code) != nullptr, hasClass);
        made += hasClass ? 1 : 0;
    }
    EXPECT_EQ(made, 10);
    EXPECT_EQ(CreateNoteSymbol(1), nullptr) << "accent";
    EXPECT_EQ(CreateNoteSymbol(0), nullptr);
}

TEST(NoteSymbolsTest, NotationNames)
{
    struct Case {
        int code;
        const char16_t* name;
    } const cases[] = {
        {0, u""},           {1, u"accent"},           {5, u"detached-legato"},
        {12, u"breath-mark"}, {17, u"arpeggiate"},    {18, u"non-arpeggiate"},
        {23, u"wavy-line"}, {26, u"schleifer"},       {27, u"tremolo"},
        {28, u""},          {-1, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(GetNotationName(c.code), c.name);
    }
    EXPECT_EQ(FindNotationCode(u"accent"), 1);
    EXPECT_EQ(FindNotationCode(u"tremolo"), 27);
    EXPECT_EQ(FindNotationCode(u""), -1);
    EXPECT_EQ(FindNotationCode(u"Fermata"), -1) << "names are exact";
    EXPECT_EQ(FindNotationCode(u"pizzicato"), -1);
}

TEST(NoteSymbolsTest, SymbolsStackInTheirOrderWhateverTheInsertionOrder)
{
    const std::vector<std::vector<int>> insertionOrders = {
        {14, 3},                                  // a fermata, then a staccato
        {3, 14},
        {14, 21, 20, 24, 25, 19, 2, 3, 4, 6},     // all ten, top first
        {19, 6, 21, 3, 14, 25, 4, 20, 2, 24},     // all ten, mixed
    };
    for (const std::vector<int>& codes : insertionOrders) {
        SCOPED_TRACE(testing::PrintToString(codes));
        Note note;
        for (const int code : codes)
            note.AddOrnament(CreateNoteSymbol(code));
        ASSERT_EQ(note.GetOrnaments().size(), codes.size());
        for (std::size_t i = 1; i < codes.size(); ++i)
            EXPECT_LT(note.GetOrnaments()[i - 1]->GetOrder(), note.GetOrnaments()[i]->GetOrder());
    }
    Note note;
    note.AddOrnament(CreateNoteSymbol(14));
    note.AddOrnament(CreateNoteSymbol(3));
    EXPECT_EQ(note.GetOrnaments().front()->GetSymbolCode(), 3) << "staccato below the fermata";
}

TEST(NoteSymbolsTest, DrawsAtItsOwnPointAfterLayout)
{
    FakePainter painter;
    const auto symbol = CreateNoteSymbol(note_symbol_code::kTurn);
    symbol->SetOrigin({1000, 2000});
    symbol->SetPosition({10, -300});
    symbol->SetOffset({5, -7});
    symbol->Layout(painter);
    EXPECT_EQ(symbol->GetRect(), (Rect{0, 0, m::kNoteSymbolSize.cx, m::kNoteSymbolSize.cy}));
    EXPECT_EQ(painter.CallsNamed("MeasureNoteSymbol")[0].ints, (std::vector<int>{20}));

    symbol->Select();
    painter.Clear();
    symbol->Draw(painter);
    ASSERT_EQ(painter.DrawCalls().size(), 1u);
    EXPECT_EQ(painter.DrawCalls()[0].name, "DrawNoteSymbol");
    EXPECT_EQ(painter.DrawCalls()[0].ints,
              (std::vector<int>{1015, 1693, 20, color_index::kSelected}));
}

TEST(NoteSymbolsTest, DeleteAsksForItsRemoval)
{
    const auto parent = std::make_shared<RecordingElement>("note", nullptr);
    parent->HandleNotifications(0);
    const auto symbol = CreateNoteSymbol(note_symbol_code::kMordent);
    symbol->SetParent(parent.get());
    symbol->SetState(element_state::kSelected);
    symbol->OnKeyDown(key_code::kDelete, 0);
    ASSERT_EQ(parent->ReceivedRecords().size(), 1u);
    const auto& record = parent->ReceivedRecords()[0];
    EXPECT_EQ(record.id, notification_id::kNoteSymbolDelete);
    EXPECT_EQ(record.sender, symbol.get());
    EXPECT_FALSE(record.payload.element);
    EXPECT_FALSE(record.payload.note);
}

}  // namespace
}  // namespace quaverly
