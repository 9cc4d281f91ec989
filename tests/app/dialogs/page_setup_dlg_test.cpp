// The page set-up dialog offscreen: the given page is shown until another paper is
// chosen, a chosen paper brings its own size and margins upright, and unusable papers
// are refused.
#include "app/dialogs/page_setup_dlg.h"
#include "platform/scripted_dialog_service.h"
#include "tests/app/dialogs/test_folder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>

namespace brindle {
namespace {

using platform::kIdCancel;
using platform::kIdOk;

constexpr const char* kPapers =
    "[A4]\r\nName=A4\r\nWidth=210\r\nHeight=297\r\nLeft=15\r\nTop=25\r\nRight=10\r\nBottom=25\r\nDefault=TRUE\r\n"
    "[Letter]\r\nName=Letter\r\nWidth=216\r\nHeight=279\r\nLeft=12\r\nTop=18\r\n";

PageInfo Page(std::u16string name, int width, int height, bool portrait, int left, int top, int right, int bottom)
{
    PageInfo info;
    info.name = std::move(name);
    info.width = width;
    info.height = height;
    info.portrait = portrait;
    info.left = left;
    info.top = top;
    info.right = right;
    info.bottom = bottom;
    return info;
}

class PageSetupDlgTest : public ::testing::Test {
protected:
    void SetUp() override { folder.WritePapers(kPapers); }

    int Run(const PageInfo& start, std::function<void(CPageSetupDlg&)> step)
    {
        dialog.SetPageInfo(start);
        service.AnswerModal([step](platform::DialogBase& d) { step(static_cast<CPageSetupDlg&>(d)); });
        return dialog.DoModal();
    }

    QComboBox* Papers() { return dialog.Control<QComboBox>(CPageSetupDlg::kIdPaper); }

    dialog_test::TestFolder folder{dialog_test::TestFolder::Names::Lists};
    platform::ScriptedDialogService service;
    platform::ScopedDialogService scope{service};
    CPageSetupDlg dialog{nullptr, folder.Data()};
};

TEST_F(PageSetupDlgTest, AnUnknownPaperSelectsTheFirstButShowsTheGivenValues)
{
    const PageInfo given = Page(u"Custom", 300, 400, false, 5, 6, 7, 8);
    ASSERT_EQ(Run(given,
                  [&](CPageSetupDlg& d) {
                      EXPECT_EQ(Papers()->count(), 2);
                      EXPECT_EQ(Papers()->currentIndex(), 0);
                      EXPECT_EQ(d.GetDlgItemText(CPageSetupDlg::kIdWidth), u"300");
                      EXPECT_EQ(d.GetDlgItemText(CPageSetupDlg::kIdBottom), u"8");
                      EXPECT_EQ(d.IsDlgButtonChecked(CPageSetupDlg::kIdLandscape), 1);
                      d.ClickButton(kIdOk);
                  }),
              kIdOk);
    // The name is the selected paper's, the rest as shown.
    EXPECT_EQ(dialog.GetPageInfo(), Page(u"A4", 300, 400, false, 5, 6, 7, 8));
}

TEST_F(PageSetupDlgTest, AKnownPaperIsSelected)
{
    Run(Page(u"Letter", 216, 279, true, 12, 18, 0, 0), [&](CPageSetupDlg& d) {
        EXPECT_EQ(Papers()->currentText(), QStringLiteral("Letter"));
        d.ClickButton(kIdOk);
    });
    EXPECT_EQ(dialog.GetPageInfo().name, u"Letter");
}

TEST_F(PageSetupDlgTest, ChoosingAPaperResetsOrientationAndMargins)
{
    Run(Page(u"A4", 210, 297, false, 15, 25, 10, 25), [&](CPageSetupDlg& d) {
        Papers()->setCurrentIndex(1);
        EXPECT_EQ(d.GetDlgItemText(CPageSetupDlg::kIdWidth), u"216");
        EXPECT_EQ(d.GetDlgItemText(CPageSetupDlg::kIdRight), u"0");
        EXPECT_EQ(d.IsDlgButtonChecked(CPageSetupDlg::kIdPortrait), 1);
        d.ClickButton(kIdOk);
    });
    EXPECT_EQ(dialog.GetPageInfo(), Page(u"Letter", 216, 279, true, 12, 18, 0, 0));
}

TEST_F(PageSetupDlgTest, ASizeChangedByHandKeepsThePaperName)
{
    Run(PageInfo{.name = u"A4"}, [&](CPageSetupDlg& d) {
        d.SetDlgItemText(CPageSetupDlg::kIdWidth, u"200");
        d.Control<QAbstractButton>(CPageSetupDlg::kIdLandscape)->click();
        d.ClickButton(kIdOk);
    });
    EXPECT_EQ(dialog.GetPageInfo(), Page(u"A4", 200, 297, false, 15, 25, 10, 25));
}

TEST_F(PageSetupDlgTest, AnEmptyPaperListKeepsTheGivenName)
{
    folder.WritePapers("");
    Run(Page(u"B5", 176, 250, true, 15, 20, 10, 20), [&](CPageSetupDlg& d) {
        EXPECT_EQ(Papers()->count(), 0);
        d.ClickButton(kIdOk);
    });
    EXPECT_EQ(dialog.GetPageInfo(), Page(u"B5", 176, 250, true, 15, 20, 10, 20));
}

TEST_F(PageSetupDlgTest, CancelEndsWithCancel)
{
    EXPECT_EQ(Run(PageInfo{}, [](CPageSetupDlg& d) { d.ClickButton(kIdCancel); }), kIdCancel);
}

struct RefusalCase {
    const char* name;
    PageInfo start;
    const char16_t* message;
};

class PageSetupRefusalTest : public PageSetupDlgTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(PageSetupRefusalTest, AnUnusablePaperIsRefusedAndTheDialogStaysOpen)
{
    const RefusalCase& c = GetParam();
    EXPECT_EQ(Run(c.start,
                  [&](CPageSetupDlg& d) {
                      d.ClickButton(kIdOk);
                      EXPECT_FALSE(d.IsEnded());
                      // Choosing a real paper puts it right.
                      Papers()->setCurrentIndex(1);
                      d.ClickButton(kIdOk);
                  }),
              kIdOk);
    ASSERT_EQ(service.MessageBoxes().size(), 1u);
    EXPECT_EQ(service.MessageBoxes()[0].text, c.message);
    EXPECT_EQ(dialog.GetPageInfo(), Page(u"Letter", 216, 279, true, 12, 18, 0, 0));
}

INSTANTIATE_TEST_SUITE_P(
    Papers, PageSetupRefusalTest,
    ::testing::Values(RefusalCase{"NoWidth", Page(u"A4", 0, 297, true, 0, 0, 0, 0), u"页面的宽和长必须大于0。"},
                      RefusalCase{"NoHeight", Page(u"A4", 210, 0, true, 0, 0, 0, 0), u"页面的宽和长必须大于0。"},
                      RefusalCase{"MarginsAsWideAsThePaper", Page(u"A4", 100, 297, true, 60, 0, 40, 0),
                                  u"左、右页边距之和必须小于页面的宽。"},
                      RefusalCase{"MarginsAsTallAsThePaper", Page(u"A4", 210, 150, false, 0, 100, 0, 50),
                                  u"上、下页边距之和必须小于页面的长。"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(PageSetupDlgTest, Screenshot)
{
    Run(PageInfo{.name = u"A4"}, [&](CPageSetupDlg& d) {
        d.show();
        QApplication::processEvents();
        dialog_test::SaveScreenshot(d.grab().toImage(), "page_setup.png");
        d.ClickButton(kIdCancel);
    });
}

}  // namespace
}  // namespace brindle
