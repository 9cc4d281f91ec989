// The layout-parameter dialog offscreen: what its pages show, what OK writes (and does
// not write), Cancel, a value that does not read, and the Enter key.
#include "app/dialogs/param_page.h"
#include "app/dialogs/param_settings_dlg.h"
#include "platform/data_exchange.h"
#include "platform/scripted_dialog_service.h"
#include "tests/app/dialogs/test_folder.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>

namespace brindle {
namespace {

using platform::kIdCancel;
using platform::kIdOk;

// A file whose factors need more than two decimals and whose track section is missing.
constexpr const char* kParams =
    "; layout parameters\r\n"
    "[NORMAL NOTE PARAM]\r\n"
    "Dash Offset=10;-5\r\n"
    "Dot Interval=0.256\r\n"
    "Octive Dot Interval=0.254\r\n"
    "Leger Line Thick=30\r\n"
    "\r\n"
    "[BAR PARAM]\r\n"
    "Left Margin = 200\r\n"
    "\r\n"
    "[NOTE SPACING PARAM]\r\n"
    "quarter=8.125\r\n";

enum Page { kNormal, kChord, kGrace, kSpacing, kBar, kTrack, kSystem, kLyric, kTitle };

class ParamSettingsDlgTest : public ::testing::Test {
protected:
    void SetUp() override { folder.WriteParams(kParams); }

    int Run(std::function<void(CParamSettingsDlg&)> step)
    {
        service.AnswerModal([step](platform::DialogBase& d) { step(static_cast<CParamSettingsDlg&>(d)); });
        return dialog.DoModal();
    }

    std::u16string Text(int page, int id) { return dialog.GetPage(page)->GetDlgItemText(id); }
    void SetText(int page, int id, std::u16string_view text) { dialog.GetPage(page)->SetDlgItemText(id, text); }
    std::string Stored(std::u16string_view section, std::u16string_view key)
    {
        FontParamFile file;
        file.SetFileName(platform::PathToUtf16(folder.ParamFile()));
        return platform::Utf16ToUtf8(file.GetProfileFile()->ReadString(section, key, u"(none)"));
    }

    dialog_test::TestFolder folder{dialog_test::TestFolder::Names::Lists};
    platform::ScriptedDialogService service;
    platform::ScopedDialogService scope{service};
    CParamSettingsDlg dialog{nullptr, folder.Data()};
};

TEST_F(ParamSettingsDlgTest, NinePagesInListOrderShowingTheFile)
{
    Run([&](CParamSettingsDlg& d) {
        auto* list = d.Control<QListWidget>(CParamSettingsDlg::kIdCategories);
        const char16_t* names[] = {u"普通音符参数", u"和音音符参数", u"倚音音符参数", u"音符间距参数", u"小节参数",
                                   u"行参数",       u"组参数",       u"歌词参数",     u"标题参数"};
        ASSERT_EQ(d.GetPageCount(), 9);
        ASSERT_EQ(list->count(), 9);
        for (int i = 0; i < 9; ++i) {
            EXPECT_EQ(d.GetCategoryName(i), names[i]);
            EXPECT_EQ(list->item(i)->text().toStdU16String(), names[i]);
            EXPECT_EQ(d.GetPage(i)->TemplateId(), 254 + i);
            EXPECT_EQ(d.GetPage(i)->isVisibleTo(&d), i == 0);
        }
        EXPECT_EQ(Text(kNormal, 1196), u"10");
        EXPECT_EQ(Text(kNormal, 1197), u"-5");
        EXPECT_EQ(Text(kNormal, 1202), u"0.26");
        EXPECT_EQ(Text(kNormal, 1207), u"0.25");
        EXPECT_EQ(Text(kNormal, 1209), u"0.20");  // missing: the file's default
        EXPECT_EQ(Text(kChord, 1213), u"1.00");
        EXPECT_EQ(Text(kSpacing, 1219), u"8.13");
        EXPECT_EQ(Text(kSpacing, 1216), u"1.00");
        EXPECT_EQ(Text(kBar, 1229), u"200");
        EXPECT_EQ(Text(kTrack, 1227), u"609");
        EXPECT_EQ(Text(kTrack, 1228), u"1219");
        EXPECT_EQ(Text(kSystem, 1184), u"1219");
        EXPECT_EQ(Text(kTitle, 1233), u"1500");

        list->setCurrentRow(kTrack);
        EXPECT_EQ(d.GetCurrentIndex(), kTrack);
        EXPECT_TRUE(d.GetPage(kTrack)->isVisibleTo(&d));
        EXPECT_FALSE(d.GetPage(kNormal)->isVisibleTo(&d));
        d.ClickButton(kIdCancel);
    });
}

TEST_F(ParamSettingsDlgTest, CancelAfterEditsLeavesTheFileByteIdentical)
{
    const std::string before = folder.ReadParams();
    EXPECT_EQ(Run([&](CParamSettingsDlg& d) {
                  SetText(kNormal, 1202, u"0.9");
                  SetText(kTrack, 1227, u"700");
                  SetText(kTitle, 1233, u"abc");
                  d.ClickButton(kIdCancel);
              }),
              kIdCancel);
    EXPECT_EQ(folder.ReadParams(), before);
}

TEST_F(ParamSettingsDlgTest, AnUntouchedOkLeavesTheFileByteIdentical)
{
    const std::string before = folder.ReadParams();
    EXPECT_EQ(Run([](CParamSettingsDlg& d) { d.ClickButton(kIdOk); }), kIdOk);
    EXPECT_EQ(folder.ReadParams(), before);
}

TEST_F(ParamSettingsDlgTest, AChangeWritesEveryEntryButOnlyTheChangedFactors)
{
    EXPECT_EQ(Run([&](CParamSettingsDlg& d) {
                  SetText(kBar, 1230, u"150");
                  SetText(kNormal, 1207, u"0.3");
                  d.ClickButton(kIdOk);
              }),
              kIdOk);
    EXPECT_EQ(Stored(u"BAR PARAM", u"Right Margin"), "150");
    EXPECT_EQ(Stored(u"BAR PARAM", u"Left Margin"), "200");
    EXPECT_EQ(Stored(u"NORMAL NOTE PARAM", u"Octive Dot Interval"), "0.3");
    // Untouched factors keep the file's own digits (or stay missing).
    EXPECT_EQ(Stored(u"NORMAL NOTE PARAM", u"Dot Interval"), "0.256");
    EXPECT_EQ(Stored(u"NOTE SPACING PARAM", u"quarter"), "8.125");
    EXPECT_EQ(Stored(u"CHORD NOTE PARAM", u"Scale"), "(none)");
    // Ints and pairs are all written, the missing row section with the file's defaults.
    EXPECT_EQ(Stored(u"TRACK PARAM", u"Height"), "609");
    EXPECT_EQ(Stored(u"TRACK PARAM", u"Interval"), "1219");
    EXPECT_EQ(Stored(u"SYSTEM PARAM", u"Interval"), "1219");
    EXPECT_EQ(Stored(u"NORMAL NOTE PARAM", u"Dash Offset"), "10;-5");
    EXPECT_EQ(Stored(u"NORMAL NOTE PARAM", u"Left Leger Bulge"), "0");
    EXPECT_EQ(Stored(u"TITLE SYSTEM PARAM", u"Height"), "1500");
}

TEST_F(ParamSettingsDlgTest, AMissingTrackSectionIsWrittenWhenARowValueChanges)
{
    Run([&](CParamSettingsDlg& d) {
        d.SelectPage(kTrack);
        SetText(kTrack, 1228, u"1300");
        d.ClickButton(kIdOk);
    });
    EXPECT_EQ(Stored(u"TRACK PARAM", u"Height"), "609");
    EXPECT_EQ(Stored(u"TRACK PARAM", u"Interval"), "1300");
}

TEST_F(ParamSettingsDlgTest, NoteSpacingGoesUnderTheKeyOfItsValue)
{
    Run([&](CParamSettingsDlg& d) {
        SetText(kSpacing, 1220, u"4.5");
        SetText(kSpacing, 1216, u"64");
        d.ClickButton(kIdOk);
    });
    EXPECT_EQ(Stored(u"NOTE SPACING PARAM", u"eighth"), "4.5");
    EXPECT_EQ(Stored(u"NOTE SPACING PARAM", u"breve"), "64");
    EXPECT_EQ(Stored(u"NOTE SPACING PARAM", u"quarter"), "8.125");
}

TEST_F(ParamSettingsDlgTest, AValueThatDoesNotReadKeepsTheDialogOpenOnItsPageAndWritesNothing)
{
    const std::string before = folder.ReadParams();
    Run([&](CParamSettingsDlg& d) {
        SetText(kNormal, 1208, u"45");
        SetText(kLyric, 1226, u"wide");
        d.ClickButton(kIdOk);
        EXPECT_FALSE(d.IsEnded());
        EXPECT_EQ(d.GetCurrentIndex(), kLyric);
        EXPECT_TRUE(d.GetPage(kLyric)->isVisibleTo(&d));
        EXPECT_EQ(folder.ReadParams(), before);
        SetText(kLyric, 1226, u"700");
        d.ClickButton(kIdOk);
        EXPECT_TRUE(d.IsEnded());
    });
    ASSERT_EQ(service.MessageBoxes().size(), 1u);
    EXPECT_EQ(service.MessageBoxes()[0].text, platform::kMsgNotInteger);
    EXPECT_EQ(Stored(u"NORMAL NOTE PARAM", u"Leger Line Thick"), "45");
    EXPECT_EQ(Stored(u"LYRIC PARAM", u"Interval"), "700");
}

TEST_F(ParamSettingsDlgTest, EnterInsideAPageDoesNothing)
{
    const std::string before = folder.ReadParams();
    Run([&](CParamSettingsDlg& d) {
        SetText(kNormal, 1208, u"45");
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(d.GetPage(kNormal)->GetDlgItem(1208), &press);
        EXPECT_FALSE(d.IsEnded());
        d.ClickButton(kIdCancel);
    });
    EXPECT_EQ(folder.ReadParams(), before);
}

TEST_F(ParamSettingsDlgTest, WithoutAFileNameNothingIsReadAndAFailedWriteIsReported)
{
    TempFolder::Write(folder / "Tansy.ini", "[SYSTEM INFO]\r\n");
    Run([&](CParamSettingsDlg& d) {
        EXPECT_EQ(Text(kTrack, 1227), u"609");
        SetText(kTrack, 1227, u"700");
        d.ClickButton(kIdOk);
        EXPECT_TRUE(d.IsEnded());
    });
    ASSERT_EQ(service.MessageBoxes().size(), 1u);
    EXPECT_EQ(service.MessageBoxes()[0].text, u"参数文件保存失败！");
}

TEST(ParamPage, FactorsAreShownRoundedToTwoDecimals)
{
    const std::pair<double, double> cases[] = {{0.256, 0.26}, {0.254, 0.25}, {0.25, 0.25}, {1, 1}, {8.125, 8.13}};
    for (const auto& [value, shown] : cases)
        EXPECT_DOUBLE_EQ(CParamPage::RoundFactor(value), shown) << value;
}

TEST_F(ParamSettingsDlgTest, Screenshot)
{
    Run([&](CParamSettingsDlg& d) {
        d.show();
        for (int page : {kNormal, kSpacing}) {
            d.SelectPage(page);
            QApplication::processEvents();
            dialog_test::SaveScreenshot(d.grab().toImage(), "param_settings_" + std::to_string(page + 1) + ".png");
        }
        d.ClickButton(kIdCancel);
    });
}

}  // namespace
}  // namespace brindle
