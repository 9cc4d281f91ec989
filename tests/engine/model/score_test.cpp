// The score root: header texts, the keyed tables (replace by key, sorted order whatever
// the insertion order, lookup by bar, removal by element and by key, counted time
// signatures), refused values, the document tree and the reset.
#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/bar.h"
#include "engine/model/container_element.h"
#include "engine/model/element_path.h"
#include "engine/model/page_text.h"
#include "engine/model/part.h"
#include "engine/model/part_group.h"
#include "engine/model/score.h"
#include "tests/support/fake_painter.h"

namespace quaverly {
namespace {

// --- Header texts ---

struct HeaderCase {
    const char* name;
    void (Score::*set)(std::u16string);
    std::u16string (Score::*get)() const;
    std::shared_ptr<HeaderText> (*element)(const Score&);
    int requestId;
};

const HeaderCase kHeaders[] = {
    {"title", &Score::SetTitle, &Score::GetTitle,
     [](const Score& s) -> std::shared_ptr<HeaderText> { return s.GetTitleText(); },
     notification_id::kEditTitle},
    {"subtitle", &Score::SetSubtitle, &Score::GetSubtitle,
     [](const Score& s) -> std::shared_ptr<HeaderText> { return s.GetSubtitleText(); },
     notification_id::kEditSubtitle},
    {"poet", &Score::SetPoet, &Score::GetPoet,
     [](const Score& s) -> std::shared_ptr<HeaderText> { return s.GetPoetText(); },
     notification_id::kEditPoet},
    {"composer", &Score::SetComposer, &Score::GetComposer,
     [](const Score& s) -> std::shared_ptr<HeaderText> { return s.GetComposerText(); },
     notification_id::kEditComposer},
    {"singer", &Score::SetSinger, &Score::GetSinger,
     [](const Score& s) -> std::shared_ptr<HeaderText> { return s.GetSingerText(); },
     notification_id::kEditSinger},
    {"adapter", &Score::SetAdapter, &Score::GetAdapter,
     [](const Score& s) -> std::shared_ptr<HeaderText> { return s.GetAdapterText(); },
     notification_id::kEditAdapter},
    {"rights", &Score::SetRights, &Score::GetRights,
     [](const Score& s) -> std::shared_ptr<HeaderText> { return s.GetRightsText(); },
     notification_id::kEditRights},
};

TEST(ScoreTest, EachHeaderTextHasItsOwnElementGetterAndSetter)
{
    Score score;
    std::vector<const HeaderText*> seen;
    for (const HeaderCase& c : kHeaders) {
        SCOPED_TRACE(c.name);
        const auto element = c.element(score);
        ASSERT_TRUE(element);
        EXPECT_EQ(element->GetRequestId(), c.requestId);
        EXPECT_TRUE((score.*c.get)().empty());
        EXPECT_EQ(std::count(seen.begin(), seen.end(), element.get()), 0);
        seen.push_back(element.get());

        (score.*c.set)(std::u16string(u"文字 ") + char16_t(c.name[0]));
        EXPECT_EQ(element->GetText(), (score.*c.get)());
        EXPECT_EQ(c.element(score), element);  // the same object after the change
    }
    // Every setter reached its own element only.
    for (const HeaderCase& c : kHeaders)
        EXPECT_EQ((score.*c.get)(), std::u16string(u"文字 ") + char16_t(c.name[0])) << c.name;
}

// --- The three element tables, one test body for all ---

struct KeyTable {
    using Element = KeySignature;
    static void Empty(Score& s) { s.RemoveKeySignatureAt(0); }
    static void Set(Score& s, int key, int value)
    {
        ASSERT_TRUE(s.SetKeySignature({key, value, 1}));
    }
    static int ValueOf(const Element& e) { return e.GetValue().fifths; }
    static std::shared_ptr<Element> Make(int key, int value)
    {
        auto e = std::make_shared<Element>();
        e->SetValue({key, value, 0});
        return e;
    }
    static std::vector<std::pair<int, int>> Entries(const Score& s)
    {
        std::vector<std::pair<int, int>> out;
        for (const auto& r : s.GetKeySignatures())
            out.emplace_back(r.bar, r.fifths);
        return out;
    }
    static const auto& List(const Score& s) { return s.GetKeySignatureList(); }
    static void Append(Score& s, std::shared_ptr<Element> e)
    {
        s.AppendKeySignature(std::move(e));
    }
    static void Remove(Score& s, const std::shared_ptr<Element>& e) { s.RemoveKeySignature(e); }
    static void RemoveAt(Score& s, int key) { s.RemoveKeySignatureAt(key); }
    static std::shared_ptr<Element> Find(const Score& s, int key)
    {
        return s.FindKeySignature(key);
    }
};

struct TempoTable {
    using Element = TempoMark;
    static void Empty(Score&) {}
    static void Set(Score& s, int key, int value) { s.SetTempoMark({key, 80640, value}); }
    static int ValueOf(const Element& e) { return e.GetValue().perMinute; }
    static std::shared_ptr<Element> Make(int key, int value)
    {
        auto e = std::make_shared<Element>();
        e->SetValue(key, 161280, value);
        return e;
    }
    static std::vector<std::pair<int, int>> Entries(const Score& s)
    {
        std::vector<std::pair<int, int>> out;
        for (const auto& r : s.GetTempoMarks())
            out.emplace_back(r.position, r.perMinute);
        return out;
    }
    static const auto& List(const Score& s) { return s.GetTempoMarkList(); }
    static void Append(Score& s, std::shared_ptr<Element> e) { s.AppendTempoMark(std::move(e)); }
    static void Remove(Score& s, const std::shared_ptr<Element>& e) { s.RemoveTempoMark(e); }
    static void RemoveAt(Score& s, int key) { s.RemoveTempoMarkAt(key); }
    static std::shared_ptr<Element> Find(const Score& s, int key) { return s.FindTempoMark(key); }
};

struct ExpressionTable {
    using Element = ExpressionText;
    static std::u16string Text(int value) { return std::u16string(1, char16_t(u'甲' + value)); }
    static void Empty(Score&) {}
    static void Set(Score& s, int key, int value) { s.SetExpressionText({key, Text(value)}); }
    static int ValueOf(const Element& e) { return e.GetValue().text[0] - u'甲'; }
    static std::shared_ptr<Element> Make(int key, int value)
    {
        auto e = std::make_shared<Element>();
        e->SetValue({key, Text(value)});
        return e;
    }
    static std::vector<std::pair<int, int>> Entries(const Score& s)
    {
        std::vector<std::pair<int, int>> out;
        for (const auto& r : s.GetExpressionTexts())
            out.emplace_back(r.position, r.text[0] - u'甲');
        return out;
    }
    static const auto& List(const Score& s) { return s.GetExpressionTextList(); }
    static void Append(Score& s, std::shared_ptr<Element> e)
    {
        s.AppendExpressionText(std::move(e));
    }
    static void Remove(Score& s, const std::shared_ptr<Element>& e) { s.RemoveExpressionText(e); }
    static void RemoveAt(Score& s, int key) { s.RemoveExpressionTextAt(key); }
    static std::shared_ptr<Element> Find(const Score& s, int key)
    {
        return s.FindExpressionText(key);
    }
};

using Entries = std::vector<std::pair<int, int>>;

template <class Table>
class KeyedTableTest : public testing::Test {
protected:
    void SetUp() override { Table::Empty(score); }
    Score score;
};

using Tables = testing::Types<KeyTable, TempoTable, ExpressionTable>;
TYPED_TEST_SUITE(KeyedTableTest, Tables);

TYPED_TEST(KeyedTableTest, SettingAKeyAgainReplacesItsValues)
{
    using T = TypeParam;
    Score& score = this->score;
    T::Set(score, 5, 1);
    const auto first = T::List(score).front();
    T::Set(score, 5, 2);
    EXPECT_EQ(T::Entries(score), (Entries{{5, 2}}));
    EXPECT_EQ(T::List(score).front(), first);  // the same element, new values
}

TYPED_TEST(KeyedTableTest, EntriesStaySortedWhateverTheInsertionOrder)
{
    using T = TypeParam;
    const std::vector<int> orders[] = {
        {0, 3, 7, 12}, {12, 7, 3, 0}, {7, 0, 12, 3}, {3, 12, 0, 7}};
    for (const auto& order : orders) {
        SCOPED_TRACE(testing::PrintToString(order));
        Score score;
        T::Empty(score);
        for (int key : order)
            T::Set(score, key, key % 7);
        EXPECT_EQ(T::Entries(score), (Entries{{0, 0}, {3, 3}, {7, 0}, {12, 5}}));
    }
}

TYPED_TEST(KeyedTableTest, LookupTakesTheLargestKeyNotAfterTheBarAskedFor)
{
    using T = TypeParam;
    Score& score = this->score;
    for (int key : {8, 2, 5})
        T::Set(score, key, key % 7);
    const struct {
        int bar;
        int foundKey;  // -1: none
    } cases[] = {{0, -1}, {1, -1}, {2, 2}, {4, 2}, {5, 5}, {7, 5}, {8, 8}, {1000, 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bar);
        const auto found = T::Find(score, c.bar);
        if (c.foundKey < 0) {
            EXPECT_FALSE(found);
        } else {
            ASSERT_TRUE(found);
            EXPECT_EQ(T::ValueOf(*found), c.foundKey % 7);
        }
    }
}

TYPED_TEST(KeyedTableTest, RemovingByKeyAndByElement)
{
    using T = TypeParam;
    Score& score = this->score;
    for (int key : {1, 4, 9})
        T::Set(score, key, key % 7);

    T::RemoveAt(score, 3);  // no entry there: nothing
    EXPECT_EQ(T::Entries(score), (Entries{{1, 1}, {4, 4}, {9, 2}}));
    T::Remove(score, T::Make(4, 4));  // an equal value but not the same element
    EXPECT_EQ(T::Entries(score).size(), 3u);

    const auto middle = T::List(score)[1];
    T::Remove(score, middle);
    EXPECT_EQ(T::Entries(score), (Entries{{1, 1}, {9, 2}}));
    T::Append(score, middle);  // undoing the removal puts it back at its place
    EXPECT_EQ(T::Entries(score), (Entries{{1, 1}, {4, 4}, {9, 2}}));
    EXPECT_EQ(T::List(score)[1], middle);

    T::RemoveAt(score, 9);
    T::RemoveAt(score, 1);
    EXPECT_EQ(T::Entries(score), (Entries{{4, 4}}));
}

TYPED_TEST(KeyedTableTest, AppendedDuplicatesFollowTheirKeyAndTheFirstIsTheOneInForce)
{
    using T = TypeParam;
    Score& score = this->score;
    T::Append(score, T::Make(6, 1));
    T::Append(score, T::Make(2, 2));
    T::Append(score, T::Make(6, 3));
    T::Append(score, nullptr);
    EXPECT_EQ(T::Entries(score), (Entries{{2, 2}, {6, 1}, {6, 3}}));
    EXPECT_EQ(T::ValueOf(*T::Find(score, 7)), 1);

    T::Set(score, 6, 4);  // the first entry for the key
    EXPECT_EQ(T::Entries(score), (Entries{{2, 2}, {6, 4}, {6, 3}}));
    T::RemoveAt(score, 6);
    EXPECT_EQ(T::Entries(score), (Entries{{2, 2}, {6, 3}}));
}

// --- Key signatures and time signatures ---

TEST(ScoreTest, NewScoreHasOneKeyOfCMajorFromBarZeroAndNothingElse)
{
    const Score score;
    EXPECT_EQ(score.GetKeySignatures(), (std::vector<KeySignatureRecord>{{0, 0, 1}}));
    EXPECT_TRUE(score.GetTimeSignatures().empty());
    EXPECT_FALSE(score.FindTimeSignature(0));
    EXPECT_TRUE(score.GetTempoMarks().empty());
    EXPECT_TRUE(score.GetExpressionTexts().empty());
    EXPECT_TRUE(score.GetPartGroups().empty());
    EXPECT_TRUE(score.GetPageTexts().empty());
    EXPECT_TRUE(score.GetDescription().empty());
    EXPECT_EQ(score.GetChildCount(), 0);
    EXPECT_TRUE(score.GetStartLineElement());
}

TEST(ScoreTest, KeysBeyondSevenSharpsOrFlatsAreRefused)
{
    Score score;
    ASSERT_TRUE(score.SetKeySignature({4, -2, 0}));
    for (int fifths : {8, -8, 100}) {
        SCOPED_TRACE(fifths);
        EXPECT_FALSE(score.SetKeySignature({4, fifths, 1}));  // replacing
        EXPECT_FALSE(score.SetKeySignature({6, fifths, 1}));  // adding
    }
    EXPECT_EQ(score.GetKeySignatures(),
              (std::vector<KeySignatureRecord>{{0, 0, 1}, {4, -2, 0}}));
}

TEST(ScoreTest, TimeSignatureEntriesAreCountedPerBar)
{
    Score score;
    ASSERT_TRUE(score.SetTimeSignature({0, 3, 4, 0}));
    ASSERT_TRUE(score.SetTimeSignature({0, 6, 8, 1}));
    EXPECT_EQ(score.GetTimeSignatures(),
              (std::vector<TimeSignatureEntry>{{2, 0, 6, 8, 1}}));

    score.RemoveTimeSignatureAt(0);  // count 2 -> 1: stays with its values
    EXPECT_EQ(score.GetTimeSignatures(),
              (std::vector<TimeSignatureEntry>{{1, 0, 6, 8, 1}}));
    score.RemoveTimeSignatureAt(5);  // no entry: nothing
    EXPECT_EQ(score.GetTimeSignatures().size(), 1u);
    score.RemoveTimeSignatureAt(0);
    EXPECT_TRUE(score.GetTimeSignatures().empty());
}

TEST(ScoreTest, TimeSignaturesStaySortedAndAreLookedUpByBar)
{
    Score score;
    for (int bar : {16, 0, 8})
        ASSERT_TRUE(score.SetTimeSignature({bar, bar / 4 + 2, 4, 0}));
    std::vector<int> bars;
    for (const TimeSignatureEntry& entry : score.GetTimeSignatures())
        bars.push_back(entry.bar);
    EXPECT_EQ(bars, (std::vector<int>{0, 8, 16}));

    const struct {
        int bar;
        int beats;
    } cases[] = {{0, 2}, {7, 2}, {8, 4}, {15, 4}, {16, 6}, {99, 6}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bar);
        const auto found = score.FindTimeSignature(c.bar);
        ASSERT_TRUE(found);
        EXPECT_EQ(found->beats, c.beats);
    }
    EXPECT_FALSE(score.FindTimeSignature(-1));
}

TEST(ScoreTest, TimeSignaturesWithoutBeatsOrBeatTypeAreRefused)
{
    Score score;
    ASSERT_TRUE(score.SetTimeSignature({0, 2, 4, 0}));
    const TimeSignatureRecord refused[] = {
        {0, 3, 0, 0}, {0, 3, -8, 0}, {0, 0, 4, 0}, {2, 3, 0, 0}, {2, -1, 4, 0}};
    for (const TimeSignatureRecord& value : refused) {
        SCOPED_TRACE(testing::Message() << value.bar << ": " << value.beats << "/"
                                        << value.beatType);
        EXPECT_FALSE(score.SetTimeSignature(value));
    }
    EXPECT_EQ(score.GetTimeSignatures(),
              (std::vector<TimeSignatureEntry>{{1, 0, 2, 4, 0}}));
}

TEST(ScoreTest, PartGroupsAndPageTextsAreRemovedByTheirFirstEntry)
{
    Score score;
    const auto brace = std::make_shared<PartGroup>();
    const auto bracket = std::make_shared<PartGroup>();
    for (const auto& group : {brace, bracket, brace, std::shared_ptr<PartGroup>()})
        score.AddPartGroup(group);
    score.RemovePartGroup(std::make_shared<PartGroup>());  // not held: nothing
    score.RemovePartGroup(brace);
    EXPECT_EQ(score.GetPartGroups(),
              (std::vector<std::shared_ptr<PartGroup>>{bracket, brace}));

    const auto text = std::make_shared<PageText>();
    score.AddPageText(text);
    score.AddPageText(nullptr);
    score.AddPageText(text);
    score.RemovePageText(text);
    EXPECT_EQ(score.GetPageTexts(), (std::vector<std::shared_ptr<PageText>>{text}));
}

// --- Document tree and reset ---

// A score of `parts` parts with `bars` bars each, as the builders make it.
void AddParts(Score& score, int parts, int bars)
{
    for (int p = 0; p < parts; ++p) {
        auto holder = std::make_shared<ContainerElement>();
        auto part = std::make_shared<Part>();
        for (int b = 0; b < bars; ++b)
            part->AppendChild(std::make_shared<Bar>(b));
        holder->AppendChild(part);
        score.AppendChild(holder);
    }
}

TEST(ScoreTest, BarBOfPartPIsReachedByItsPath)
{
    Score score;
    AddParts(score, 2, 3);
    const auto bar = GetElementAtPath3(score, 1, 0, 2);
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->GetIndex(), 2);
    EXPECT_TRUE(std::dynamic_pointer_cast<Bar>(bar));
    EXPECT_TRUE(std::dynamic_pointer_cast<Part>(GetElementAtPath2(score, 1, 0)));
    EXPECT_FALSE(GetElementAtPath3(score, 1, 0, 3));
}

TEST(ScoreTest, ClearChildrenResetsEverythingButKeepsTheHeaderTextObjects)
{
    Score score;
    std::vector<std::shared_ptr<HeaderText>> elements;
    for (const HeaderCase& c : kHeaders) {
        elements.push_back(c.element(score));
        (score.*c.set)(u"旧文字");
    }
    score.SetDescription(u"说明");
    ASSERT_TRUE(score.SetKeySignature({0, 3, 0}));
    ASSERT_TRUE(score.SetKeySignature({6, -1, 1}));
    ASSERT_TRUE(score.SetTimeSignature({0, 3, 4, 0}));
    score.SetTempoMark({2, 161280, 90});
    score.SetExpressionText({3, u"渐快"});
    score.GetLineBreaks().insert(4);
    score.GetBarsPerLine()[1] = 3;
    score.GetLinesPerPage()[0] = 5;
    score.AddPartGroup(std::make_shared<PartGroup>());
    score.AddPageText(std::make_shared<PageText>());
    AddParts(score, 2, 2);
    fakes::FakePainter painter;
    score.Layout(painter);
    const auto firstPart = score.GetChild(0);
    const auto oldStartLine = score.GetStartLineElement();

    score.ClearChildren();

    for (std::size_t i = 0; i < std::size(kHeaders); ++i) {
        SCOPED_TRACE(kHeaders[i].name);
        EXPECT_EQ(kHeaders[i].element(score), elements[i]);
        EXPECT_TRUE((score.*kHeaders[i].get)().empty());
    }
    EXPECT_TRUE(score.GetDescription().empty());
    EXPECT_EQ(score.GetKeySignatures(), (std::vector<KeySignatureRecord>{{0, 0, 1}}));
    EXPECT_TRUE(score.GetTimeSignatures().empty());
    EXPECT_TRUE(score.GetTempoMarks().empty());
    EXPECT_TRUE(score.GetExpressionTexts().empty());
    EXPECT_TRUE(score.GetLineBreaks().empty());
    EXPECT_TRUE(score.GetBarsPerLine().empty());
    EXPECT_TRUE(score.GetLinesPerPage().empty());
    EXPECT_TRUE(score.GetPartGroups().empty());
    EXPECT_TRUE(score.GetPageTexts().empty());
    EXPECT_EQ(score.GetChildCount(), 0);
    EXPECT_EQ(firstPart->GetParent(), nullptr);  // a released part no longer climbs here
    EXPECT_TRUE(score.GetStartLineElement());
    EXPECT_NE(score.GetStartLineElement(), oldStartLine);
}

}  // namespace
}  // namespace quaverly
