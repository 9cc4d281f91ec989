// The shortcut dialog with its three pages over a shortcut file of the tests' own: the
// categories and rows, a captured key written into its row's section at once, and the
// caller told that the file was written however the dialog was closed.
#include "app/dialogs/shortcut_dlg.h"

#include <QListWidget>

#include <gtest/gtest.h>

#include "app/dialogs/shortcut_key_dlg.h"
#include "app/settings/shortcut_file.h"
#include "platform/scripted_dialog_service.h"
#include "tests/app/dialogs/settings_dialog_test_util.h"

namespace {

using brindle::CShortcutDlg;
using brindle::CShortcutKeyDlg;
using brindle::CShortcutKeyPage;
using brindle::ShortcutFile;
using brindle::ShortcutKey;
using dialog_test::TestFolder;
using dialog_test::PressKey;
using dialog_test::Utf8;
using platform::DialogBase;
using platform::kIdCancel;
using platform::kIdOk;

constexpr const char* kFile = "settings/Shortcut.ini";

class ShortcutDlgTest : public ::testing::Test {
protected:
    ShortcutDlgTest()
    {
        data.Write(kFile,
                   "[DO]\r\nSystem Key=0\r\nVirtual Key=49\r\nScan Code=2\r\n"
                   "Extend Scan Code=FALSE\r\nUsing Scan Code=FALSE\r\n"
                   "[SYMBOL SHARP]\r\nSystem Key=3\r\nVirtual Key=0\r\nScan Code=30\r\n"
                   "Extend Scan Code=FALSE\r\nUsing Scan Code=TRUE\r\n");
        dialog.SetDataFolder(data.Data());
    }

    ShortcutFile File() const
    {
        ShortcutFile file;
        file.SetFileName(data.Data().PathOf(u"settings\\Shortcut.ini"));
        return file;
    }
    // A capture dialog step that presses `key` with `modifiers` and confirms.
    void CaptureNext(int key, Qt::KeyboardModifiers modifiers)
    {
        service.AnswerModal([key, modifiers](DialogBase& d) {
            PressKey(d.GetDlgItem(kIdOk), key, modifiers);
            d.ClickButton(kIdOk);
        });
    }
    // Runs the shortcut dialog with `step` as the user's work.
    int Run(std::function<void(CShortcutDlg&)> step)
    {
        service.AnswerModal([step](DialogBase& d) { step(static_cast<CShortcutDlg&>(d)); });
        return dialog.DoModal();
    }

    TestFolder data{TestFolder::Names::SettingsFiles};
    platform::ScriptedDialogService service;
    platform::ScopedDialogService scope{service};
    CShortcutDlg dialog;
};

TEST_F(ShortcutDlgTest, CategoriesInOrderAndTheSelectedPageShows)
{
    Run([](CShortcutDlg& d) {
        auto* list = d.Control<QListWidget>(CShortcutDlg::kIdCategoryList);
        ASSERT_EQ(list->count(), 3);
        EXPECT_EQ(list->item(0)->text(), QStringLiteral("音  符"));
        EXPECT_EQ(list->item(1)->text(), QStringLiteral("时  值"));
        EXPECT_EQ(list->item(2)->text(), QStringLiteral("音  高"));
        const auto& pages = d.Pages();
        ASSERT_EQ(pages.size(), 3u);
        EXPECT_EQ(pages[0].templateId, 247);
        EXPECT_EQ(pages[1].templateId, 248);
        EXPECT_EQ(pages[2].templateId, 249);
        EXPECT_EQ(list->currentRow(), 0);
        for (int shown = 0; shown < 3; ++shown) {
            list->setCurrentRow(shown);
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(pages[static_cast<std::size_t>(i)].page->isVisibleTo(&d), i == shown) << shown << i;
        }
        d.ClickButton(kIdOk);
    });
}

TEST_F(ShortcutDlgTest, RowsShowTheirKeysAndMissingSectionsAreEmpty)
{
    Run([](CShortcutDlg& d) {
        const CShortcutKeyPage& notes = *d.Pages()[0].page;
        ASSERT_EQ(notes.Rows().size(), 9u);
        EXPECT_EQ(Utf8(notes.RowText(0)), " 1");  // DO
        EXPECT_EQ(Utf8(notes.RowText(1)), "");    // RE: no section
        EXPECT_EQ(Utf8(d.Pages()[0].page->GetDlgItemText(CShortcutKeyPage::kIdFirstKeyText)), " 1");
        const CShortcutKeyPage& pitch = *d.Pages()[2].page;
        EXPECT_EQ(Utf8(pitch.Rows()[5].section), "SYMBOL SHARP");
        EXPECT_EQ(Utf8(pitch.RowText(5)), " Ctrl + Shift + A");
        d.ClickButton(kIdOk);
    });
}

// Every row of every page, in order, with the section it reads and writes.
TEST_F(ShortcutDlgTest, EveryRowWritesItsOwnSectionAtOnce)
{
    const std::vector<std::vector<std::pair<const char*, const char*>>> expected = {
        {{"Do:", "DO"}, {"Re:", "RE"}, {"Me:", "ME"}, {"Fa:", "FA"}, {"Sol:", "SOL"}, {"La:", "LA"},
         {"Si:", "SI"}, {"休止符:", "REST"}, {"鼓(X):", "DRUM"}},
        {{"全音符:", "DURATION WHOLE"}, {"二分音符:", "DURATION HALF"}, {"四分音符:", "DURATION QUARTER"},
         {"八分音符:", "DURATION EIGHT"}, {"16分音符:", "DURATION SIXTEEN"}, {"32分音符:", "DURATION 32"},
         {"附点:", "DOT ONE"}, {"三连音:", "TRIPLET"}, {"连音(Tie):", "TIE"}},
        {{"倍高音:", "OCTIVE TWO PLUS"}, {"高音:", "OCTIVE ONE PLUS"}, {"中音:", "OCTIVE NORMAL"},
         {"低音:", "OCTIVE ONE MINUS"}, {"倍低音:", "OCTIVE TWO MINUS"}, {"升号:", "SYMBOL SHARP"},
         {"降号:", "SYMBOL FLAT"}, {"还原号:", "SYMBOL NATURAL"}},
    };
    Run([&](CShortcutDlg& d) {
        for (std::size_t p = 0; p < expected.size(); ++p) {
            CShortcutKeyPage& page = *d.Pages()[p].page;
            ASSERT_EQ(page.Rows().size(), expected[p].size()) << p;
            for (std::size_t r = 0; r < expected[p].size(); ++r) {
                const auto& row = page.Rows()[r];
                EXPECT_EQ(Utf8(row.label), expected[p][r].first);
                EXPECT_EQ(Utf8(row.section), expected[p][r].second);
                // The capture keeps the boxes of the stored key and adds Ctrl.
                const int mask = File().ReadShortcut(row.section).systemKey | 1;
                CaptureNext(Qt::Key_F5, Qt::ControlModifier);
                // The row's button, as the user clicks it.
                page.ClickButton(CShortcutKeyPage::kIdFirstButton + static_cast<int>(r));
                // Written while the dialog is still open.
                const ShortcutKey stored = File().ReadShortcut(row.section);
                EXPECT_EQ(stored.systemKey, mask) << Utf8(row.section);
                EXPECT_EQ(stored.scanCode, 0x3F);
                EXPECT_TRUE(stored.usingScanCode);
                EXPECT_EQ(Utf8(page.RowText(static_cast<int>(r))), mask == 1 ? " Ctrl + F5" : " Ctrl + Shift + F5");
            }
        }
        d.ClickButton(kIdOk);
    });
    EXPECT_EQ(service.PendingSteps(), 0u);
    // Sections the dialog does not show stay as they were.
    EXPECT_EQ(File().ReadShortcut(u"PRE GRACE"), ShortcutKey{});
    EXPECT_EQ(File().GetDoShortcut().virtualKey, 49);
}

TEST_F(ShortcutDlgTest, EditKeepsTheVirtualKeyAndLeavesOtherSections)
{
    Run([&](CShortcutDlg& d) {
        CaptureNext(Qt::Key_Q, Qt::NoModifier);
        d.Pages()[0].page->EditRow(0);
        d.ClickButton(kIdOk);
    });
    EXPECT_EQ(File().GetDoShortcut(), (ShortcutKey{0, 49, 0x10, false, true}));
    EXPECT_EQ(File().GetSharpShortcut(), (ShortcutKey{3, 0, 30, false, true}));
}

TEST_F(ShortcutDlgTest, CancelledCaptureWritesNothingAndReportsNothing)
{
    const std::string before = data.Read(kFile);
    const int result = Run([&](CShortcutDlg& d) {
        service.AnswerModal([](DialogBase& capture) {
            PressKey(capture.GetDlgItem(kIdOk), Qt::Key_Z);
            capture.ClickButton(kIdCancel);
        });
        d.Pages()[1].page->EditRow(3);
        PressKey(&d, Qt::Key_Escape);
    });
    EXPECT_EQ(result, kIdCancel);
    EXPECT_FALSE(dialog.IsShortcutFileWritten());
    EXPECT_EQ(data.Read(kFile), before);
}

// However the dialog ends after a key was written, the caller learns it and rebuilds its
// key table: the OK button, Escape and the window's close box.
TEST_F(ShortcutDlgTest, AWrittenKeyIsReportedOnEveryWayOfClosing)
{
    enum class Close { OkButton, Escape, CloseBox, EscapeOnPage };
    for (const Close how : {Close::OkButton, Close::Escape, Close::CloseBox, Close::EscapeOnPage}) {
        CShortcutDlg run;
        run.SetDataFolder(data.Data());
        service.AnswerModal([&, how](DialogBase& d) {
            auto& shortcut = static_cast<CShortcutDlg&>(d);
            CaptureNext(Qt::Key_7, Qt::ShiftModifier);
            shortcut.Pages()[2].page->EditRow(0);
            switch (how) {
            case Close::OkButton: d.ClickButton(kIdOk); break;
            case Close::Escape: PressKey(d.GetDlgItem(CShortcutDlg::kIdCategoryList), Qt::Key_Escape); break;
            case Close::EscapeOnPage:
                PressKey(shortcut.Pages()[2].page->GetDlgItem(CShortcutKeyPage::kIdFirstButton), Qt::Key_Escape);
                break;
            case Close::CloseBox:
                d.show();
                d.close();
                d.hide();
                break;
            }
        });
        const int result = run.DoModal();
        EXPECT_TRUE(run.IsEnded()) << static_cast<int>(how);
        EXPECT_EQ(result, kIdOk) << static_cast<int>(how);
        EXPECT_TRUE(run.IsShortcutFileWritten()) << static_cast<int>(how);
        EXPECT_EQ(File().GetOctaveTwoPlusShortcut(), (ShortcutKey{2, 0, 0x08, false, true}));
    }
    EXPECT_EQ(service.UnfinishedDialogs(), 0);
}

TEST_F(ShortcutDlgTest, ClosingWithoutAWriteIsACancel)
{
    const int result = Run([](CShortcutDlg& d) { PressKey(&d, Qt::Key_Escape); });
    EXPECT_EQ(result, kIdCancel);
    EXPECT_FALSE(dialog.IsShortcutFileWritten());
}

TEST_F(ShortcutDlgTest, EachRunReportsItsOwnWrites)
{
    EXPECT_EQ(Run([this](CShortcutDlg& d) {
                  CaptureNext(Qt::Key_A, Qt::NoModifier);
                  d.Pages()[0].page->EditRow(1);
                  PressKey(&d, Qt::Key_Escape);
              }),
              kIdOk);
    EXPECT_TRUE(dialog.IsShortcutFileWritten());
    EXPECT_EQ(Run([](CShortcutDlg& d) { PressKey(&d, Qt::Key_Escape); }), kIdCancel);
    EXPECT_FALSE(dialog.IsShortcutFileWritten());
}

TEST_F(ShortcutDlgTest, AFailedWriteIsNotReportedAsWritten)
{
    // The file's folder is a plain file: nothing can be written there.
    data.WriteMain("[SYSTEM INFO]\r\nShortcut File Name=blocker\\Shortcut.ini\r\n");
    data.Write("blocker", "not a folder");
    CShortcutDlg run;
    run.SetDataFolder(data.Data());
    service.AnswerModal([&](DialogBase& d) {
        CaptureNext(Qt::Key_A, Qt::NoModifier);
        static_cast<CShortcutDlg&>(d).Pages()[0].page->EditRow(0);
        EXPECT_EQ(Utf8(static_cast<CShortcutDlg&>(d).Pages()[0].page->RowText(0)), "");
        PressKey(&d, Qt::Key_Escape);
    });
    EXPECT_EQ(run.DoModal(), kIdCancel);
    EXPECT_FALSE(run.IsShortcutFileWritten());
}

}  // namespace
