// The font settings dialog over a font file of the tests' own: seven kinds listed and
// previewed, choices kept until OK, OK writing all seven kinds, Cancel writing nothing.
#include "app/dialogs/font_settings_dlg.h"

#include <QLabel>
#include <QListWidget>

#include <gtest/gtest.h>

#include "app/settings/font_file.h"
#include "platform/font_mapper.h"
#include "platform/scripted_dialog_service.h"
#include "tests/app/dialogs/settings_dialog_test_util.h"

namespace {

using brindle::CFontSettingsDlg;
using brindle::FontFile;
using dialog_test::TestFolder;
using dialog_test::Utf8;
using platform::DialogBase;
using platform::kIdCancel;
using platform::kIdOk;
using quaverly::LogFont;

constexpr const char* kFile = "settings/Font.ini";

class FontSettingsDlgTest : public ::testing::Test {
protected:
    FontSettingsDlgTest()
    {
        data.Write(kFile,
                   "[TITLE FONT]\r\nFace Name=黑体\r\nHeight=-32\r\nWeight=700\r\nCharSet=134\r\n"
                   "[BAR INDEX FONT]\r\nFace Name=Arial\r\nHeight=-10\r\nItalic=TRUE\r\n"
                   "[NOTE FONT]\r\nFace Name=Tansy Number\r\nHeight=-20\r\n");
        dialog.SetDataFolder(data.Data());
    }
    FontFile File() const
    {
        FontFile file;
        file.SetFileName(data.Data().PathOf(u"settings\\Font.ini"));
        return file;
    }
    int Run(std::function<void(CFontSettingsDlg&)> step)
    {
        service.AnswerModal([step](DialogBase& d) { step(static_cast<CFontSettingsDlg&>(d)); });
        return dialog.DoModal();
    }
    // The font dialog's next answer: `face` at `height`.
    void ChooseNext(std::u16string face, int height)
    {
        service.AnswerFontDialog([face, height](platform::FontDialogRequest& request) {
            request.font.SetFaceName(face);
            request.font.height = height;
            return true;
        });
    }
    static void Select(CFontSettingsDlg& d, int row)
    {
        d.Control<QListWidget>(CFontSettingsDlg::kIdCategoryList)->setCurrentRow(row);
    }

    TestFolder data{TestFolder::Names::SettingsFiles};
    platform::ScriptedDialogService service;
    platform::ScopedDialogService scope{service};
    CFontSettingsDlg dialog;
};

TEST_F(FontSettingsDlgTest, SevenKindsListedWithTheirFontsAndPreviews)
{
    Run([this](CFontSettingsDlg& d) {
        auto* list = d.Control<QListWidget>(CFontSettingsDlg::kIdCategoryList);
        const char* const entries[] = {"标  题", "副标题", "作词/作曲", "表情标记", "歌  词", "乐器名", "小节序号"};
        ASSERT_EQ(list->count(), 7);
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(list->item(i)->text().toStdString(), entries[i]);
        ASSERT_EQ(d.Entries().size(), 7u);
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(d.Entries()[static_cast<std::size_t>(i)].font, File().GetFont(5 + i)) << i;
        // The first entry is shown at the start.
        EXPECT_EQ(list->currentRow(), 0);
        EXPECT_EQ(Utf8(d.GetDlgItemText(CFontSettingsDlg::kIdPreview)), "标  题");
        EXPECT_EQ(d.PreviewFont().pixelSize(), 32);
        EXPECT_EQ(d.PreviewFont().weight(), QFont::Bold);
        // The bar numbers preview as numbers, in their own font.
        Select(d, 6);
        EXPECT_EQ(Utf8(d.GetDlgItemText(CFontSettingsDlg::kIdPreview)), "1 5 10 15");
        EXPECT_EQ(d.PreviewFont().pixelSize(), 10);
        EXPECT_TRUE(d.PreviewFont().italic());
        EXPECT_EQ(d.PreviewFont().family(), platform::FontMapper::ToQFont(File().GetFont(11), 12).family());
        Select(d, 2);
        EXPECT_EQ(Utf8(d.GetDlgItemText(CFontSettingsDlg::kIdPreview)), "作词/作曲");
        d.ClickButton(kIdCancel);
    });
}

TEST_F(FontSettingsDlgTest, ChosenFontsWaitForOkAndCancelLeavesTheFileUnchanged)
{
    const std::string before = data.Read(kFile);
    const int result = Run([this, &before](CFontSettingsDlg& d) {
        ChooseNext(u"楷体", -40);
        d.ClickButton(CFontSettingsDlg::kIdChooseFont);
        EXPECT_EQ(d.PreviewFont().pixelSize(), 40);
        Select(d, 4);
        ChooseNext(u"Times New Roman", -14);
        d.ClickButton(CFontSettingsDlg::kIdChooseFont);
        EXPECT_EQ(Utf8(d.Entries()[4].font.FaceName()), "Times New Roman");
        // The font dialog started from the entry's font.
        EXPECT_EQ(service.FontDialogs().back().font, File().GetFont(brindle::kLyricFont));
        // Nothing is written before OK.
        EXPECT_EQ(data.Read(kFile), before);
        d.ClickButton(kIdCancel);
    });
    EXPECT_EQ(result, kIdCancel);
    EXPECT_EQ(data.Read(kFile), before);
}

TEST_F(FontSettingsDlgTest, AFontDialogCancelledChangesNothing)
{
    Run([this](CFontSettingsDlg& d) {
        const LogFont shown = d.Entries()[0].font;
        service.AnswerFontDialog([](platform::FontDialogRequest& request) {
            request.font.height = -99;
            return false;
        });
        d.ClickButton(CFontSettingsDlg::kIdChooseFont);
        EXPECT_EQ(d.Entries()[0].font, shown);
        d.ClickButton(kIdCancel);
    });
}

TEST_F(FontSettingsDlgTest, OkWritesAllSevenKindsChangedOrNot)
{
    const LogFont note = File().GetFont(brindle::kNoteFont);
    const int result = Run([this](CFontSettingsDlg& d) {
        Select(d, 1);
        ChooseNext(u"楷体", -28);
        d.ClickButton(CFontSettingsDlg::kIdChooseFont);
        d.ClickButton(kIdOk);
    });
    ASSERT_EQ(result, kIdOk);
    const FontFile file = File();
    for (int kind = 5; kind <= 11; ++kind) {
        const std::u16string_view section = FontFile::kSections[static_cast<std::size_t>(kind)];
        // Every key of every kind is there, also for the kinds that had no section.
        EXPECT_TRUE(data.Stored(kFile, section, u"Quality").has_value()) << kind;
        EXPECT_TRUE(data.Stored(kFile, section, u"PitchAndFamily").has_value()) << kind;
    }
    EXPECT_EQ(Utf8(file.GetFont(brindle::kSubtitleFont).FaceName()), "楷体");
    EXPECT_EQ(file.GetFont(brindle::kSubtitleFont).height, -28);
    EXPECT_EQ(Utf8(file.GetFont(brindle::kTitleFont).FaceName()), "黑体");
    EXPECT_EQ(file.GetFont(brindle::kTitleFont).weight, 700);
    EXPECT_EQ(file.GetFont(brindle::kBarIndexFont).italic, 1);
    // The kinds the dialog does not offer stay as they were.
    EXPECT_EQ(file.GetFont(brindle::kNoteFont), note);
    EXPECT_FALSE(data.Stored(kFile, u"COMMON FONT", u"Face Name").has_value());
}

TEST_F(FontSettingsDlgTest, AFileThatCannotBeWrittenIsReportedAndTheDialogStaysOpen)
{
    data.WriteMain("[SYSTEM INFO]\r\nFont File Name=blocker\\Font.ini\r\n");
    data.Write("blocker", "not a folder");
    CFontSettingsDlg run;
    run.SetDataFolder(data.Data());
    service.AnswerModal([&](DialogBase& d) {
        ChooseNext(u"楷体", -28);
        d.ClickButton(CFontSettingsDlg::kIdChooseFont);
        d.ClickButton(kIdOk);
        EXPECT_FALSE(d.IsEnded());
        ASSERT_EQ(service.MessageBoxes().size(), 1u);
        EXPECT_EQ(Utf8(service.MessageBoxes()[0].text), "字体设置保存失败！");
        // The choice is still there to try again or to give up.
        EXPECT_EQ(Utf8(static_cast<CFontSettingsDlg&>(d).Entries()[0].font.FaceName()), "楷体");
        d.ClickButton(kIdCancel);
    });
    EXPECT_EQ(run.DoModal(), kIdCancel);
}

TEST_F(FontSettingsDlgTest, MissingSectionsGiveTheFileDefaults)
{
    data.Write(kFile, "");
    Run([](CFontSettingsDlg& d) {
        for (const auto& entry : d.Entries()) {
            EXPECT_EQ(entry.font.weight, 400);
            EXPECT_EQ(entry.font.charSet, 1);
            EXPECT_EQ(entry.font.height, 0);
        }
        // A height of 0 still previews at a readable size.
        EXPECT_GT(d.PreviewFont().pixelSize(), 0);
        d.ClickButton(kIdCancel);
    });
}

}  // namespace
