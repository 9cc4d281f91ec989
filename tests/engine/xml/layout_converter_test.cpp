// The layout that travels beside the score: the hand-made lines with their rows, the
// bars per line, the paper, the lines per page, and the free page texts in Base64.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/page_text.h"
#include "tests/engine/xml/xml_test_util.h"

namespace quaverly::xml_test {
namespace {

class LayoutConverterTest : public XmlDocumentTest {
protected:
    // Saves `score` with the records and page, then loads the file into `loaded`.
    std::string Save()
    {
        const std::filesystem::path path = folder / "layout.exl";
        MusicXmlFile file;
        file.SetScore(score.get());
        file.SetSystemRecords(records);
        file.SetPageResult(page);
        if (!file.Save(path)) {
            ADD_FAILURE() << file.GetError();
            return {};
        }
        return TempFolder::Read(path);
    }
    bool Load(std::string_view text)
    {
        const std::filesystem::path path = folder / "layout-in.exl";
        TempFolder::Write(path, text);
        MusicXmlFile file;
        file.SetScore(loaded.get());
        const bool ok = file.Load(path);
        lastError = file.GetError();
        validityErrors = file.GetValidityErrorCount();
        loadedRecords = file.GetSystemRecords();
        loadedPage = file.GetPageResult();
        return ok;
    }

    std::vector<SystemRecord> records;
    PageLayoutResult page;
    std::vector<SystemRecord> loadedRecords;
};

std::shared_ptr<PageText> MakePageText(int page, std::u16string text, Point offset)
{
    PageTextData data;
    data.text = std::move(text);
    data.rect = {100, 200, 5100, 900};
    data.font.height = -420;
    data.font.weight = 700;
    data.font.italic = 1;
    data.font.charSet = 134;
    data.font.pitchAndFamily = 255;
    data.font.SetFaceName(u"宋体");
    auto pageText = std::make_shared<PageText>();
    pageText->SetPage(page);
    pageText->SetOffset(offset);
    pageText->SetTextData(data);
    return pageText;
}

TEST_F(LayoutConverterTest, LinesRowsPaperAndPageTextsSurviveTwoCycles)
{
    SystemRecord heading;  // the heading: line 0, no bars
    heading.tracks.push_back({0, true, {}, u"", {}});
    SystemRecord first;
    first.number = 1;
    first.firstBar = 0;
    first.endBar = 4;
    first.offset = {15, -30};
    first.rightOffset = {-7, 9};
    first.tracks.push_back({0, true, {1, 2}, u"笛子", {-40, 5}});
    first.tracks.push_back({1, false, {0, 80}, u"二胡 \U0002000B", {3, 3}});
    SystemRecord hidden;
    hidden.number = 2;
    hidden.firstBar = 4;
    hidden.endBar = 9;
    hidden.show = false;
    records = {heading, first, hidden};
    score->GetBarsPerLine() = {{1, 4}, {2, 5}};
    score->GetLinesPerPage() = {{0, 6}, {3, 2}};
    page.page = {u"A4 纸", 0, 297, 210, 15, 25, 10, 20};
    page.hideEmptyTrack = true;
    page.tempo = 96;
    score->AddPageText(MakePageText(2, u"第二页 \U000F0041 & <注>", {30, -12}));
    score->AddPageText(MakePageText(-1, u"", {}));

    std::string text = Save();
    EXPECT_NE(text.find("<page>3</page>"), std::string::npos);
    EXPECT_NE(text.find("<page>0</page>"), std::string::npos);  // not placed
    for (int cycle = 0; cycle < 2; ++cycle) {
        SCOPED_TRACE(cycle);
        ASSERT_TRUE(Load(text)) << lastError;
        EXPECT_EQ(validityErrors, 0);
        EXPECT_EQ(loadedRecords, records);
        EXPECT_EQ(loaded->GetBarsPerLine(), score->GetBarsPerLine());
        EXPECT_EQ(loaded->GetLinesPerPage(), score->GetLinesPerPage());
        EXPECT_EQ(loadedPage.page, page.page);
        EXPECT_TRUE(loadedPage.hideEmptyTrack);
        ASSERT_EQ(loaded->GetPageTexts().size(), 2u);
        for (std::size_t i = 0; i < 2; ++i) {
            const PageText& want = *score->GetPageTexts()[i];
            const PageText& got = *loaded->GetPageTexts()[i];
            EXPECT_EQ(got.GetPage(), want.GetPage());
            EXPECT_EQ(got.GetOffset(), want.GetOffset());
            EXPECT_EQ(got.GetTextData(), want.GetTextData());
        }
        // Again from what was read.
        std::swap(score, loaded);
        records = loadedRecords;
        page = loadedPage;
        text = Save();
        loaded = std::make_shared<Score>();
    }
}

TEST_F(LayoutConverterTest, WrittenFormOfLinesAndCounts)
{
    SystemRecord heading;
    SystemRecord first;
    first.number = 1;
    first.firstBar = 0;
    first.endBar = 4;
    records = {heading, first};
    score->GetBarsPerLine() = {{1, 4}};
    score->GetLinesPerPage() = {{0, 6}};
    const std::string text = Save();
    for (const char* part :
         {"<system number=\"1\" relative-x=\"0\" relative-y=\"0\" right-offset-x=\"0\" "
          "right-offset-y=\"0\" show=\"TRUE\" start=\"1\" stop=\"0\"/>",
          "<system number=\"2\" relative-x=\"0\" relative-y=\"0\" right-offset-x=\"0\" "
          "right-offset-y=\"0\" show=\"TRUE\" start=\"1\" stop=\"4\"/>",
          "<system-bar-number>\r\n      <index>2</index>\r\n      <count>4</count>",
          "<page-system-number>\r\n      <index>1</index>\r\n      <count>6</count>",
          "<portrait>true</portrait>", "<hide-empty-track>FALSE</hide-empty-track>"})
        EXPECT_NE(text.find(part), std::string::npos) << part;
    // The page layout follows the parts and the line layout comes last.
    EXPECT_LT(text.find("<part-list"), text.find("<page-layout"));
    EXPECT_LT(text.find("</page-layout>"), text.find("<system-layout"));
}

TEST_F(LayoutConverterTest, ReadingOddLayouts)
{
    ASSERT_TRUE(Load(Document(
        "<part-list/>"
        "<page-layout><portrait>TRUE</portrait>"
        "<page-margins><hide-empty-track>true</hide-empty-track><left-margin>12</left-margin>"
        "</page-margins>"
        "<page-system-number><index>3</index><count>4</count></page-system-number>"
        "<page-system-number><index>3</index><count>6</count></page-system-number>"
        "<page-system-number><count>2</count></page-system-number>"
        "<page-system-number><index>5</index><count>-1</count></page-system-number>"
        "<page-any-text><text>YQBi\nAGMA</text><font-name>"
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcd\U0001D11Exyz</font-name></page-any-text>"
        "<unknown/></page-layout>"
        "<system-layout>"
        "<system start=\"1\" stop=\"4\" show=\"true\"><track><other/></track><track "
        "number=\"3\" show=\"TRUE\"><instrument-name relative-x=\"5\"><name>a</name>"
        "<name>b</name></instrument-name></track></system>"
        "<system number=\"4\" start=\"7\" stop=\"2\"/>"
        "<system/>"
        "<system-bar-number><index>3</index><count>4</count></system-bar-number>"
        "<system-bar-number><index>3</index><count>6</count></system-bar-number>"
        "<system-bar-number><index>4</index><count>0</count></system-bar-number>"
        "<system-bar-number><index>0</index><count>3</count></system-bar-number>"
        "</system-layout>")))
        << lastError;
    EXPECT_EQ(loadedPage.page.portrait, 0);  // only "true" is portrait
    EXPECT_FALSE(loadedPage.hideEmptyTrack);  // only "TRUE" hides
    EXPECT_EQ(loadedPage.page.leftMargin, 12);
    EXPECT_EQ(loaded->GetLinesPerPage(), (std::map<int, int>{{0, 2}, {2, 4}}));
    ASSERT_EQ(loaded->GetPageTexts().size(), 1u);
    const PageText& pageText = *loaded->GetPageTexts()[0];
    EXPECT_EQ(pageText.GetPage(), -1);
    EXPECT_EQ(pageText.GetTextData().text, u"abc");
    // Cut to 31 units without splitting the pair that would straddle the cut.
    EXPECT_EQ(pageText.GetTextData().font.FaceName(), u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcd");

    ASSERT_EQ(loadedRecords.size(), 3u);
    const SystemRecord& first = loadedRecords[0];
    EXPECT_EQ(first.number, 0);
    EXPECT_EQ(first.firstBar, 0);
    EXPECT_EQ(first.endBar, 4);
    EXPECT_FALSE(first.show);
    ASSERT_EQ(first.tracks.size(), 2u);
    EXPECT_EQ(first.tracks[0], (TrackRecord{0, true, {}, u"", {}}));
    EXPECT_EQ(first.tracks[1], (TrackRecord{2, true, {}, u"b", {5, 0}}));
    // Stop before start: a line without bars.
    EXPECT_EQ(loadedRecords[1].firstBar, 6);
    EXPECT_EQ(loadedRecords[1].endBar, 6);
    // No attributes: line 0 with bar 0.
    EXPECT_EQ(loadedRecords[2].firstBar, 0);
    EXPECT_EQ(loadedRecords[2].endBar, 1);
    EXPECT_TRUE(loadedRecords[2].show);
    EXPECT_EQ(loaded->GetBarsPerLine(), (std::map<int, int>{{2, 4}}));
}

TEST_F(LayoutConverterTest, HugeNumbersStayInRange)
{
    ASSERT_TRUE(Load(Document(
        "<part-list/><system-layout>"
        "<system number=\"-2147483648\" start=\"-99999999999\" stop=\"99999999999\"/>"
        "<system-bar-number><index>-2147483648</index><count>2147483647</count>"
        "</system-bar-number></system-layout>")))
        << lastError;
    ASSERT_EQ(loadedRecords.size(), 1u);
    EXPECT_EQ(loadedRecords[0].number, std::numeric_limits<int>::min());
    EXPECT_EQ(loadedRecords[0].firstBar, std::numeric_limits<int>::min());
    EXPECT_EQ(loadedRecords[0].endBar, std::numeric_limits<int>::max());
}

}  // namespace
}  // namespace quaverly::xml_test
