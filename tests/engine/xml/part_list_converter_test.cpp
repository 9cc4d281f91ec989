// The part list: ids, names, instruments and MIDI settings of the parts, part groups and
// staff pairs, both ways; reading the odd cases of other documents; and joining a second
// staff to its own part.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/part_group.h"
#include "engine/xml/score_partwise_converter.h"
#include "tests/engine/xml/xml_test_util.h"

namespace quaverly::xml_test {
namespace {

using PartListConverterTest = XmlDocumentTest;

struct GroupValue {
    int type;
    int first;
    int last;
    Point offset;
    friend bool operator==(const GroupValue&, const GroupValue&) = default;
};

std::vector<GroupValue> Groups(const Score& score)
{
    std::vector<GroupValue> values;
    for (const auto& group : score.GetPartGroups())
        values.push_back({group->GetType(), group->GetFirstPart(), group->GetLastPart(),
                          group->GetOffset()});
    return values;
}

std::vector<int> Links(const Score& score)
{
    std::vector<int> links;
    for (int i = 0; i < score.GetChildCount(); ++i)
        links.push_back(PartOf(score, i)->GetStaffLink());
    return links;
}

void AddGroup(Score& score, int type, int first, int last, Point offset = {})
{
    auto group = std::make_shared<PartGroup>();
    group->SetType(type);
    group->SetFirstPart(first);
    group->SetLastPart(last);
    group->SetOffset(offset);
    score.AddPartGroup(group);
}

std::size_t Find(const std::string& text, const std::string& what, std::size_t from = 0)
{
    const std::size_t at = text.find(what, from);
    EXPECT_NE(at, std::string::npos) << what;
    return at;
}

TEST_F(PartListConverterTest, ThreePartsWithABracketAndAStaffPairComeBackTheSame)
{
    const auto flute = AddPart(*score, u"flute-id", u"笛子");
    flute->SetInstrumentName(u"竹笛");
    flute->SetProgram(73);
    flute->SetChannel(0);
    const auto upper = AddPart(*score, u"x", u"钢琴");
    upper->SetInstrumentName(u"钢琴");
    upper->SetProgram(0);
    upper->SetChannel(1);
    upper->SetStaffLink(staff_link::kFirstOfPair);
    const auto lower = AddPart(*score, u"", u"");
    lower->SetInstrumentName(u"钢琴");
    lower->SetChannel(15);
    lower->SetProgram(127);
    lower->SetStaffLink(staff_link::kSecondOfPair);
    AddGroup(*score, part_group_type::kBracket, 1, 2, {-30, 4});

    const std::string text = SaveText();
    // The ids are P1 to P3 whatever the parts had; the group opens before the second
    // score part and closes after the third, with one number; the pair comes last.
    const std::size_t p1 = Find(text, "<score-part id=\"P1\">");
    const std::size_t start = Find(text, "<part-group number=\"1\"", p1);
    Find(text, "type=\"start\"", start);
    const std::size_t p2 = Find(text, "<score-part id=\"P2\">", start);
    const std::size_t p3 = Find(text, "<score-part id=\"P3\">", p2);
    const std::size_t stop = Find(text, "<part-group number=\"1\" type=\"stop\"/>", p3);
    const std::size_t pair = Find(text, "<staff-group number=\"2\">", stop);
    Find(text, "<start>2</start>", pair);
    Find(text, "<stop>3</stop>", pair);
    Find(text, "<group-symbol>bracket</group-symbol>", start);
    for (const char* id : {"<part id=\"P1\"", "<part id=\"P2\"", "<part id=\"P3\""})
        Find(text, id);

    ASSERT_TRUE(LoadText(text)) << lastError;
    ASSERT_EQ(loaded->GetChildCount(), 3);
    const std::u16string ids[] = {u"P1", u"P2", u"P3"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const auto before = PartOf(*score, i);
        const auto after = PartOf(*loaded, i);
        EXPECT_EQ(after->GetId(), ids[i]);
        EXPECT_EQ(after->GetName(), before->GetName());
        EXPECT_EQ(after->GetInstrumentName(), before->GetInstrumentName());
        EXPECT_EQ(after->GetProgram(), before->GetProgram());
        EXPECT_EQ(after->GetChannel(), before->GetChannel());
    }
    EXPECT_EQ(Groups(*loaded), Groups(*score));
    EXPECT_EQ(Links(*loaded), (std::vector<int>{4, 0, 1}));
}

TEST_F(PartListConverterTest, MidiSettingsAreOneBasedInTheFile)
{
    const auto part = AddPart(*score);
    const std::string text = SaveText();
    Find(text, "<midi-channel>1</midi-channel>");
    Find(text, "<midi-program>1</midi-program>");
    ASSERT_TRUE(LoadText(text)) << lastError;
    EXPECT_EQ(PartOf(*loaded, 0)->GetChannel(), 0);
    EXPECT_EQ(PartOf(*loaded, 0)->GetProgram(), 0);
}

TEST_F(PartListConverterTest, MidiValuesOutsideTheirRangeAreNotTaken)
{
    struct Case {
        const char* channel;
        const char* program;
        int expectChannel;
        int expectProgram;
    };
    const Case cases[] = {
        {"16", "128", 15, 127}, {"0", "0", 0, 0},         {"17", "129", 0, 0},
        {"-3", "-1", 0, 0},     {"x", "", 0, 0},          {"10", "57", 9, 56},
        {"99999999999", "2147483648", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.channel);
        ASSERT_TRUE(LoadText(Document(std::string("<part-list><score-part id=\"A\">"
                                                  "<part-name>n</part-name>"
                                                  "<midi-instrument id=\"A-I1\"><midi-channel>") +
                                      c.channel + "</midi-channel><midi-program>" + c.program +
                                      "</midi-program></midi-instrument></score-part></part-list>")))
            << lastError;
        ASSERT_EQ(loaded->GetChildCount(), 1);
        EXPECT_EQ(PartOf(*loaded, 0)->GetChannel(), c.expectChannel);
        EXPECT_EQ(PartOf(*loaded, 0)->GetProgram(), c.expectProgram);
    }
}

TEST_F(PartListConverterTest, PartGroupsPairStartsAndStopsByNumber)
{
    struct Case {
        const char* name;
        std::string list;
        std::vector<GroupValue> groups;
    };
    const std::string a = "<score-part id=\"A\"><part-name/></score-part>";
    const std::string b = "<score-part id=\"B\"><part-name/></score-part>";
    const std::string c = "<score-part id=\"C\"><part-name/></score-part>";
    const auto start = [](const char* number, const char* symbol, const char* extra = "") {
        return std::string("<part-group type=\"start\"") + number + extra + ">" +
               (symbol[0] ? std::string("<group-symbol>") + symbol + "</group-symbol>" : "") +
               "</part-group>";
    };
    const auto stop = [](const char* number) {
        return std::string("<part-group type=\"stop\"") + number + "/>";
    };
    const Case cases[] = {
        {"brace over all three", start(" number=\"1\"", "brace") + a + b + c + stop(" number=\"1\""),
         {{0, 0, 2, {}}}},
        {"offset", a + start(" number=\"2\"", "bracket", " relative-x=\"7\" relative-y=\"-3\"") +
                       b + c + stop(" number=\"2\""),
         {{1, 1, 2, {7, -3}}}},
        {"no number is slot 0", start("", "brace") + a + stop(""), {{0, 0, 0, {}}}},
        {"other symbol is a bracket", start(" number=\"1\"", "square") + a + b + stop(" number=\"1\""),
         {{1, 0, 1, {}}}},
        {"stop without start", a + stop(" number=\"1\""), {}},
        {"start never stopped", start(" number=\"1\"", "brace") + a + b, {}},
        {"second stop adds nothing",
         start(" number=\"1\"", "brace") + a + stop(" number=\"1\"") + b + stop(" number=\"1\""),
         {{0, 0, 0, {}}}},
        {"second start replaces the first",
         start(" number=\"1\"", "brace") + a + start(" number=\"1\"", "bracket") + b + c +
             stop(" number=\"1\""),
         {{1, 1, 2, {}}}},
        {"overlapping numbers", start(" number=\"1\"", "bracket") + a + start(" number=\"2\"", "brace") +
                                    b + stop(" number=\"1\"") + c + stop(" number=\"2\""),
         {{1, 0, 1, {}}, {0, 1, 2, {}}}},
        {"odd type is a start",
         std::string("<part-group number=\"1\" type=\"Start\"><group-symbol>brace</group-symbol>"
                     "</part-group>") +
             a + stop(" number=\"1\""),
         {{0, 0, 0, {}}}},
        {"huge numbers", start(" number=\"-2147483648\"", "brace") + a + stop(" number=\"-2147483648\""),
         {{0, 0, 0, {}}}},
    };
    for (const Case& c2 : cases) {
        SCOPED_TRACE(c2.name);
        ASSERT_TRUE(LoadText(Document("<part-list>" + c2.list + "</part-list>"))) << lastError;
        EXPECT_EQ(Groups(*loaded), c2.groups);
    }
}

TEST_F(PartListConverterTest, StaffGroupsSetTheLinksOfPartsInRange)
{
    const std::string parts = "<score-part id=\"A\"><part-name/></score-part>"
                              "<score-part id=\"B\"><part-name/></score-part>";
    struct Case {
        const char* group;
        std::vector<int> links;
    };
    const Case cases[] = {
        {"<staff-group number=\"1\"><start>1</start><stop>2</stop></staff-group>", {0, 1}},
        {"<staff-group><start>2</start></staff-group>", {4, 0}},
        {"<staff-group><start>0</start><stop>3</stop></staff-group>", {4, 4}},
        {"<staff-group><start>-1</start><stop>abc</stop></staff-group>", {4, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.group);
        ASSERT_TRUE(LoadText(Document("<part-list>" + parts + c.group + "</part-list>")))
            << lastError;
        EXPECT_EQ(Links(*loaded), c.links);
    }
}

TEST_F(PartListConverterTest, PartsAreMatchedByIdAndUnmatchedPartsIgnored)
{
    ASSERT_TRUE(LoadText(Document("<part-list><score-part id=\"P7\"><part-name>七</part-name>"
                                  "<score-instrument id=\"P7-I1\"><instrument-name>二胡"
                                  "</instrument-name></score-instrument></score-part>"
                                  "</part-list><part id=\"P8\"/><part id=\"P7\"/>")))
        << lastError;
    ASSERT_EQ(loaded->GetChildCount(), 1);
    EXPECT_EQ(PartOf(*loaded, 0)->GetId(), u"P7");
    EXPECT_EQ(PartOf(*loaded, 0)->GetName(), u"七");
    EXPECT_EQ(PartOf(*loaded, 0)->GetInstrumentName(), u"二胡");
}

// Joining a second staff: it lands right after its own part wherever that part stands,
// plays with its instrument and MIDI settings, and the groups move with the parts.
TEST(JoinSecondStaffTest, TheSecondStaffFollowsItsOwnPart)
{
    struct Case {
        int own;
        std::vector<GroupValue> groupsBefore;
        std::vector<GroupValue> groupsAfter;  // the new brace last
    };
    const Case cases[] = {
        {0, {}, {{0, 0, 1, {}}}},
        {2, {}, {{0, 2, 3, {}}}},
        {1, {{1, 2, 3, {}}}, {{1, 3, 4, {}}, {0, 1, 2, {}}}},  // a later group moves on
        {1, {{1, 0, 1, {}}}, {{1, 0, 2, {}}, {0, 1, 2, {}}}},  // one ending here takes it in
        {1, {{1, 0, 0, {}}}, {{1, 0, 0, {}}, {0, 1, 2, {}}}},  // an earlier one stays
        {1, {{1, 1, 3, {}}}, {{1, 1, 4, {}}, {0, 1, 2, {}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.own);
        Score score;
        for (int i = 0; i < 4; ++i) {
            const auto part = AddPart(score, u"P" + std::u16string(1, u'1' + i));
            part->SetInstrumentName(u"乐器" + std::u16string(1, u'A' + i));
            part->SetProgram(10 + i);
            part->SetChannel(i);
        }
        for (const GroupValue& g : c.groupsBefore)
            AddGroup(score, g.type, g.first, g.last);
        auto pending = std::make_shared<ContainerElement>();
        auto second = std::make_shared<Part>();
        second->SetInstrumentName(u"wrong");
        second->SetProgram(99);
        second->SetChannel(9);
        pending->AppendChild(second);

        ScorePartwiseConverter::JoinSecondStaff(score, c.own, pending);
        ASSERT_EQ(score.GetChildCount(), 5);
        EXPECT_EQ(score.GetChild(c.own + 1), pending);
        const auto own = PartOf(score, c.own);
        EXPECT_EQ(own->GetStaffLink(), staff_link::kFirstOfPair);
        EXPECT_EQ(second->GetStaffLink(), staff_link::kSecondOfPair);
        EXPECT_EQ(second->GetInstrumentName(), own->GetInstrumentName());
        EXPECT_EQ(second->GetProgram(), own->GetProgram());
        EXPECT_EQ(second->GetChannel(), own->GetChannel());
        EXPECT_EQ(Groups(score), c.groupsAfter);
    }
}

TEST(JoinSecondStaffTest, NothingHappensWithoutAnOwnPart)
{
    Score score;
    AddPart(score);
    auto pending = std::make_shared<ContainerElement>();
    pending->AppendChild(std::make_shared<Part>());
    ScorePartwiseConverter::JoinSecondStaff(score, 1, pending);
    ScorePartwiseConverter::JoinSecondStaff(score, -1, pending);
    ScorePartwiseConverter::JoinSecondStaff(score, 0, std::make_shared<ContainerElement>());
    EXPECT_EQ(score.GetChildCount(), 1);
    EXPECT_TRUE(score.GetPartGroups().empty());
}

}  // namespace
}  // namespace quaverly::xml_test
