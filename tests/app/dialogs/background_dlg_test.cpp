// The background dialog over texture folders of the tests' own: the bitmap files listed,
// the current choices selected by exact name, each change previewed to the owner with
// the chosen name, OK writing "TEXTURE INFO" and Cancel writing nothing.
#include "app/dialogs/background_dlg.h"

#include <QComboBox>

#include <gtest/gtest.h>

#include "platform/scripted_dialog_service.h"
#include "tests/app/dialogs/settings_dialog_test_util.h"

namespace {

using brindle::CBackgroundDlg;
using dialog_test::TestFolder;
using dialog_test::Utf8;
using platform::DialogBase;
using platform::kIdCancel;
using platform::kIdOk;
using platform::WindowMessage;

constexpr const char* kOption = "settings/Option.ini";

std::vector<std::string> Utf8All(const std::vector<std::u16string>& names)
{
    std::vector<std::string> out;
    for (const auto& name : names)
        out.push_back(Utf8(name));
    return out;
}

class BackgroundDlgTest : public ::testing::Test {
protected:
    struct Preview {
        platform::MessageId message;
        std::string name;  // read during the call, while the pointer is valid
        platform::LParam lParam;
    };

    BackgroundDlgTest()
    {
        data.Write("texture/foreground/white.bmp", "BM");
        data.Write("texture/foreground/Rice.BMP", "BM");
        data.Write("texture/foreground/photo.png", "png");
        data.Write("texture/background/desk.bmp", "BM");
        data.Write("texture/background/linen.bmp", "BM");
        data.Write(kOption, "[TEXTURE INFO]\r\nForeground File=white.bmp\r\nBackground File=linen.bmp\r\n");
        dialog.SetDataFolder(data.Data());
        dialog.SetOwnerWindow(&owner);
    }
    int Run(std::function<void(CBackgroundDlg&)> step)
    {
        service.AnswerModal([step](DialogBase& d) { step(static_cast<CBackgroundDlg&>(d)); });
        return dialog.DoModal();
    }
    static QComboBox* List(CBackgroundDlg& d, int id) { return d.Control<QComboBox>(id); }
    std::optional<std::string> Stored(std::u16string_view key) const
    {
        const auto value = data.Stored(kOption, u"TEXTURE INFO", key);
        return value ? std::optional<std::string>(Utf8(*value)) : std::nullopt;
    }

    TestFolder data{TestFolder::Names::SettingsFiles};
    std::vector<Preview> previews;
    platform::MessagePort owner{[this](const WindowMessage& m) {
        previews.push_back({m.message, Utf8(reinterpret_cast<const char16_t*>(m.wParam)), m.lParam});
        return platform::LResult{0};
    }};
    platform::ScriptedDialogService service;
    platform::ScopedDialogService scope{service};
    CBackgroundDlg dialog;
};

TEST(BackgroundDlgListing, BitmapsInAnyCaseOnlyFilesOnly)
{
    TestFolder data{TestFolder::Names::SettingsFiles};
    data.Write("pictures/one.BMP", "BM");
    data.Write("pictures/two.bmp", "BM");
    data.Write("pictures/three.png", "png");
    data.Write("pictures/four.bmp.txt", "");
    data.Write("pictures/bmp", "");
    data.Write("pictures/纸张.Bmp", "BM");
    std::filesystem::create_directories(data / "pictures" / "folder.bmp");
    EXPECT_EQ(Utf8All(CBackgroundDlg::ListPictureFiles(data / "pictures")),
              (std::vector<std::string>{"one.BMP", "two.bmp", "纸张.Bmp"}));
    EXPECT_TRUE(CBackgroundDlg::ListPictureFiles(data / "missing").empty());
    std::filesystem::create_directories(data / "empty");
    EXPECT_TRUE(CBackgroundDlg::ListPictureFiles(data / "empty").empty());
}

TEST_F(BackgroundDlgTest, ListsTheFoldersAndSelectsTheCurrentFiles)
{
    Run([](CBackgroundDlg& d) {
        EXPECT_EQ(Utf8All(d.ForegroundFiles()), (std::vector<std::string>{"Rice.BMP", "white.bmp"}));
        EXPECT_EQ(Utf8All(d.BackgroundFiles()), (std::vector<std::string>{"desk.bmp", "linen.bmp"}));
        auto* foreground = List(d, CBackgroundDlg::kIdForegroundList);
        auto* background = List(d, CBackgroundDlg::kIdBackgroundList);
        ASSERT_EQ(foreground->count(), 2);
        EXPECT_EQ(foreground->itemText(0), QStringLiteral("Rice.BMP"));
        EXPECT_EQ(foreground->currentText(), QStringLiteral("white.bmp"));
        EXPECT_EQ(background->currentText(), QStringLiteral("linen.bmp"));
        d.ClickButton(kIdCancel);
    });
    // Filling the lists previews nothing.
    EXPECT_TRUE(previews.empty());
}

// Without the folder entries the lists stay empty: a missing entry is no folder, and
// in particular not the data folder itself with whatever bitmaps lie there.
TEST_F(BackgroundDlgTest, MissingFolderEntriesListNothing)
{
    data.WriteMain("[SYSTEM INFO]\r\nOption File Name=settings\\Option.ini\r\n");
    data.Write("stray.bmp", "BM");
    Run([](CBackgroundDlg& d) {
        EXPECT_TRUE(d.ForegroundFiles().empty());
        EXPECT_TRUE(d.BackgroundFiles().empty());
        EXPECT_EQ(List(d, CBackgroundDlg::kIdForegroundList)->count(), 0);
        d.ClickButton(kIdCancel);
    });
}

TEST_F(BackgroundDlgTest, ANameThatDiffersInCaseIsNotSelected)
{
    data.Write(kOption, "[TEXTURE INFO]\r\nForeground File=rice.bmp\r\nBackground File=gone.bmp\r\n");
    Run([](CBackgroundDlg& d) {
        EXPECT_EQ(List(d, CBackgroundDlg::kIdForegroundList)->currentIndex(), -1);
        EXPECT_EQ(List(d, CBackgroundDlg::kIdBackgroundList)->currentIndex(), -1);
        d.ClickButton(kIdCancel);
    });
}

TEST_F(BackgroundDlgTest, EachChangeIsPreviewedWithTheChosenName)
{
    Run([this](CBackgroundDlg& d) {
        List(d, CBackgroundDlg::kIdBackgroundList)->setCurrentIndex(0);
        List(d, CBackgroundDlg::kIdForegroundList)->setCurrentIndex(0);
        List(d, CBackgroundDlg::kIdForegroundList)->setCurrentIndex(1);
        ASSERT_EQ(previews.size(), 3u);
        EXPECT_EQ(previews[0].message, 0x5FEu);
        EXPECT_EQ(previews[0].name, "desk.bmp");
        EXPECT_EQ(previews[1].message, 0x5FFu);
        EXPECT_EQ(previews[1].name, "Rice.BMP");
        EXPECT_EQ(previews[2].message, 0x5FFu);
        EXPECT_EQ(previews[2].name, "white.bmp");
        for (const Preview& p : previews)
            EXPECT_EQ(p.lParam, 0);
        d.ClickButton(kIdCancel);
    });
}

TEST_F(BackgroundDlgTest, NoOwnerNoMessages)
{
    dialog.SetOwnerWindow(nullptr);
    Run([](CBackgroundDlg& d) {
        List(d, CBackgroundDlg::kIdBackgroundList)->setCurrentIndex(0);
        d.ClickButton(kIdOk);
    });
    EXPECT_TRUE(previews.empty());
    EXPECT_EQ(Stored(u"Background File"), "desk.bmp");
}

TEST_F(BackgroundDlgTest, OkWritesTheTwoNamesIntoTextureInfo)
{
    const int result = Run([](CBackgroundDlg& d) {
        List(d, CBackgroundDlg::kIdForegroundList)->setCurrentIndex(0);
        List(d, CBackgroundDlg::kIdBackgroundList)->setCurrentIndex(0);
        d.ClickButton(kIdOk);
    });
    EXPECT_EQ(result, kIdOk);
    EXPECT_EQ(Stored(u"Foreground File"), "Rice.BMP");
    EXPECT_EQ(Stored(u"Background File"), "desk.bmp");
}

TEST_F(BackgroundDlgTest, CancelWritesNothing)
{
    const std::string before = data.Read(kOption);
    const int result = Run([](CBackgroundDlg& d) {
        List(d, CBackgroundDlg::kIdForegroundList)->setCurrentIndex(0);
        List(d, CBackgroundDlg::kIdBackgroundList)->setCurrentIndex(0);
        d.ClickButton(kIdCancel);
    });
    EXPECT_EQ(result, kIdCancel);
    EXPECT_EQ(data.Read(kOption), before);
}

TEST_F(BackgroundDlgTest, AListWithoutChoiceLeavesItsNameAsItWas)
{
    data.Write(kOption, "[TEXTURE INFO]\r\nForeground File=gone.bmp\r\nBackground File=linen.bmp\r\n");
    std::filesystem::remove_all(data / "texture" / "background");
    Run([](CBackgroundDlg& d) {
        EXPECT_EQ(List(d, CBackgroundDlg::kIdBackgroundList)->count(), 0);
        d.ClickButton(kIdOk);
    });
    EXPECT_EQ(Stored(u"Foreground File"), "gone.bmp");
    EXPECT_EQ(Stored(u"Background File"), "linen.bmp");
}

TEST_F(BackgroundDlgTest, AFileThatCannotBeWrittenIsReportedAndTheDialogStaysOpen)
{
    data.WriteMain("[SYSTEM INFO]\r\nOption File Name=blocker\\Option.ini\r\n"
                   "Foreground File Path=texture\\foreground\\\r\n");
    data.Write("blocker", "not a folder");
    CBackgroundDlg run;
    run.SetDataFolder(data.Data());
    service.AnswerModal([&](DialogBase& d) {
        List(static_cast<CBackgroundDlg&>(d), CBackgroundDlg::kIdForegroundList)->setCurrentIndex(1);
        d.ClickButton(kIdOk);
        EXPECT_FALSE(d.IsEnded());
        ASSERT_EQ(service.MessageBoxes().size(), 1u);
        EXPECT_EQ(Utf8(service.MessageBoxes()[0].text), "背景设置保存失败！");
        d.ClickButton(kIdCancel);
    });
    EXPECT_EQ(run.DoModal(), kIdCancel);
}

}  // namespace
