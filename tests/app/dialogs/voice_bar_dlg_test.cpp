// The voice and bar dialogs: add and delete voices, add and delete bars, bars per line,
// lines per page and bar numbering, run through the scripted dialog service.
#include "app/dialogs/add_bars_dlg.h"
#include "app/dialogs/add_voice_dlg.h"
#include "app/dialogs/bar_number_dlg.h"
#include "app/dialogs/bars_per_line_dlg.h"
#include "app/dialogs/delete_bars_dlg.h"
#include "app/dialogs/delete_voice_dlg.h"
#include "app/dialogs/dialog_util.h"
#include "app/dialogs/lines_per_page_dlg.h"
#include "app/dialogs/num_edit.h"
#include "app/dialogs/num_spin_ctrl.h"
#include "app/dialogs/up_down_ctrl.h"
#include "platform/data_exchange.h"
#include "tests/app/dialogs/value_dialog_test_support.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

#include <functional>

namespace {

using brindle::CAddBarsDlg;
using brindle::CAddVoiceDlg;
using brindle::CBarNumberDlg;
using brindle::CBarsPerLineDlg;
using brindle::CDeleteBarsDlg;
using brindle::CDeleteVoiceDlg;
using brindle::CLinesPerPageDlg;
using dialog_test::TestFolder;
using platform::DialogBase;
using platform::kIdCancel;
using platform::kIdOk;

std::u16string Number(long long value) { return QString::number(value).toStdU16String(); }

std::u16string RangeMessage(long long low, long long high)
{
    return platform::FormatMessage(platform::kMsgIntegerRange, Number(low), Number(high));
}

// ---------------------------------------------------------------- add and delete voice

class AddVoiceTest : public ValueDialogTest {
protected:
    void SetUp() override
    {
        data.Name("Patch Name File", "settings\\PatchName.ini");
        // Both section pairs, so the names are the same whatever the system's language.
        std::string text;
        for (const char* suffix : {"", " 1028"}) {
            text += std::string("[PATCH SECTION") + suffix +
                    "]\r\nPatch Count=4\r\nItem 0=钢琴\r\nItem 1=明亮钢琴\r\nItem 2=电钢琴\r\nItem 3=拨弦古钢琴\r\n";
            text += std::string("[PERCUSSION SECTION") + suffix +
                    "]\r\nPercussion Count=5\r\nPercussion Offset=35\r\nItem 0=大鼓2\r\nItem 1=大鼓1\r\nItem 2=边击\r\n"
                    "Item 3=小军鼓1\r\nItem 4=拍手\r\n";
        }
        data.Write("settings/PatchName.ini", text);
    }

    TestFolder data;
};

QComboBox* Instruments(DialogBase& d) { return d.Control<QComboBox>(CAddVoiceDlg::kIdInstrumentList); }

TEST_F(AddVoiceTest, ListsAreFilledAsTheUserSeesThem)
{
    CAddVoiceDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("添加声部"));
    dialog.SetDataFolder(data.Data());
    dialog.SetCurrentVoice(1);
    dialog.SetVoiceCount(3);
    script.AnswerModal([](DialogBase& d) {
        EXPECT_EQ(d.IsDlgButtonChecked(CAddVoiceDlg::kIdOrdinary), 1);
        EXPECT_EQ(d.IsDlgButtonChecked(CAddVoiceDlg::kIdSingleLine), 1);
        EXPECT_EQ(d.GetDlgItemText(CAddVoiceDlg::kIdOrdinary), u"普通乐器");
        EXPECT_EQ(d.GetDlgItemText(CAddVoiceDlg::kIdPercussion), u"打击乐器");
        EXPECT_EQ(d.GetDlgItemText(CAddVoiceDlg::kIdSingleLine), u"单行谱");
        EXPECT_EQ(d.GetDlgItemText(CAddVoiceDlg::kIdPianoStaff), u"钢琴谱");
        QComboBox* list = Instruments(d);
        ASSERT_EQ(list->count(), 4);
        EXPECT_EQ(list->itemText(0), QStringLiteral("1-钢琴"));
        EXPECT_EQ(list->itemText(3), QStringLiteral("4-拨弦古钢琴"));
        EXPECT_EQ(list->currentIndex(), 0);
        auto* positions = d.Control<QComboBox>(CAddVoiceDlg::kIdPositionList);
        ASSERT_EQ(positions->count(), 3);
        EXPECT_EQ(positions->itemText(0), QString::fromStdU16String(u"声部\u30001"));
        EXPECT_EQ(positions->itemText(2), QString::fromStdU16String(u"声部\u30003"));
        EXPECT_EQ(positions->currentIndex(), 1);
        list->setCurrentIndex(2);
        d.ClickButton(kIdOk);
    });
    ASSERT_EQ(dialog.DoModal(), kIdOk);
    EXPECT_EQ(dialog.GetPatch(), 2);
    EXPECT_EQ(dialog.GetPosition(), 1);
    EXPECT_FALSE(dialog.IsPercussion());
    EXPECT_FALSE(dialog.IsPianoStaff());
}

TEST_F(AddVoiceTest, PercussionAtThreeWithOffsetThirtyFiveIsThirtyEight)
{
    CAddVoiceDlg dialog;
    dialog.SetDataFolder(data.Data());
    dialog.SetCurrentVoice(0);
    dialog.SetVoiceCount(2);
    script.AnswerModal([](DialogBase& d) {
        d.Control<QRadioButton>(CAddVoiceDlg::kIdPercussion)->click();
        QComboBox* list = Instruments(d);
        ASSERT_EQ(list->count(), 5);
        EXPECT_EQ(list->itemText(0), QStringLiteral("35-大鼓2"));
        EXPECT_EQ(list->itemText(3), QStringLiteral("38-小军鼓1"));
        list->setCurrentIndex(3);
        d.Control<QRadioButton>(CAddVoiceDlg::kIdPianoStaff)->click();
        d.Control<QComboBox>(CAddVoiceDlg::kIdPositionList)->setCurrentIndex(1);
        d.ClickButton(kIdOk);
    });
    ASSERT_EQ(dialog.DoModal(), kIdOk);
    EXPECT_TRUE(dialog.IsPercussion());
    EXPECT_EQ(dialog.GetPatch(), 38);
    EXPECT_TRUE(dialog.IsPianoStaff());
    EXPECT_EQ(dialog.GetPosition(), 1);
}

TEST_F(AddVoiceTest, SwitchingKindsKeepsEachKindsLastChoice)
{
    CAddVoiceDlg dialog;
    dialog.SetDataFolder(data.Data());
    dialog.SetVoiceCount(1);
    script.AnswerModal([](DialogBase& d) {
        QComboBox* list = Instruments(d);
        list->setCurrentIndex(2);  // 3-电钢琴
        d.Control<QRadioButton>(CAddVoiceDlg::kIdPercussion)->click();
        EXPECT_EQ(list->currentIndex(), 0);
        list->setCurrentIndex(4);  // 39-拍手
        d.Control<QRadioButton>(CAddVoiceDlg::kIdOrdinary)->click();
        EXPECT_EQ(list->count(), 4);
        EXPECT_EQ(list->currentIndex(), 2);
        d.Control<QRadioButton>(CAddVoiceDlg::kIdPercussion)->click();
        EXPECT_EQ(list->count(), 5);
        EXPECT_EQ(list->currentIndex(), 4);
        EXPECT_EQ(list->currentText(), QStringLiteral("39-拍手"));
        d.ClickButton(kIdOk);
    });
    ASSERT_EQ(dialog.DoModal(), kIdOk);
    EXPECT_EQ(dialog.GetPatch(), 39);
}

TEST_F(AddVoiceTest, EmptyPatchListRefusesOk)
{
    TestFolder empty;
    empty.Name("Patch Name File", "settings\\Missing.ini");
    CAddVoiceDlg dialog;
    dialog.SetDataFolder(empty.Data());
    dialog.SetVoiceCount(1);
    script.AnswerModal([](DialogBase& d) {
        EXPECT_EQ(Instruments(d)->count(), 0);
        d.ClickButton(kIdOk);
        EXPECT_FALSE(d.IsEnded());
        d.Control<QRadioButton>(CAddVoiceDlg::kIdPercussion)->click();
        d.ClickButton(kIdOk);
        EXPECT_FALSE(d.IsEnded());
        d.ClickButton(kIdCancel);
    });
    EXPECT_EQ(dialog.DoModal(), kIdCancel);
    EXPECT_EQ(Messages(), (std::vector<std::u16string>{std::u16string(CAddVoiceDlg::kMsgNoInstruments),
                                                       std::u16string(CAddVoiceDlg::kMsgNoInstruments)}));
}

TEST_F(AddVoiceTest, NoInstrumentChosenRefusesOk)
{
    CAddVoiceDlg dialog;
    dialog.SetDataFolder(data.Data());
    dialog.SetVoiceCount(1);
    script.AnswerModal([](DialogBase& d) {
        Instruments(d)->setCurrentIndex(-1);
        d.ClickButton(kIdOk);
        EXPECT_FALSE(d.IsEnded());
        Instruments(d)->setCurrentIndex(1);
        d.ClickButton(kIdOk);
    });
    ASSERT_EQ(dialog.DoModal(), kIdOk);
    EXPECT_EQ(Messages(), (std::vector<std::u16string>{std::u16string(CAddVoiceDlg::kMsgChooseInstrument)}));
    EXPECT_EQ(dialog.GetPatch(), 1);
}

TEST_F(AddVoiceTest, CurrentVoiceOutsideTheScoreIsTakenAsTheNearest)
{
    struct Case {
        int current;
        int count;
        int position;
    };
    for (const Case c : {Case{5, 3, 2}, Case{-1, 3, 0}, Case{0, 0, -1}}) {
        CAddVoiceDlg dialog;
        dialog.SetDataFolder(data.Data());
        dialog.SetCurrentVoice(c.current);
        dialog.SetVoiceCount(c.count);
        script.AnswerModal([](DialogBase& d) { d.ClickButton(kIdOk); });
        ASSERT_EQ(dialog.DoModal(), kIdOk);
        EXPECT_EQ(dialog.GetPosition(), c.position) << c.current << " of " << c.count;
    }
}

using DeleteVoiceTest = ValueDialogTest;

TEST_F(DeleteVoiceTest, ListsTheVoicesAndReturnsTheOneChosen)
{
    CDeleteVoiceDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("删除声部"));
    dialog.SetCurrentVoice(2);
    dialog.SetVoiceCount(4);
    script.AnswerModal([](DialogBase& d) {
        auto* list = d.Control<QComboBox>(CDeleteVoiceDlg::kIdVoiceList);
        ASSERT_EQ(list->count(), 4);
        EXPECT_EQ(list->itemText(3), QString::fromStdU16String(u"声部\u30004"));
        EXPECT_EQ(list->currentIndex(), 2);
        list->setCurrentIndex(0);
        d.ClickButton(kIdOk);
    });
    ASSERT_EQ(dialog.DoModal(), kIdOk);
    EXPECT_EQ(dialog.GetVoice(), 0);
}

TEST_F(DeleteVoiceTest, NoVoiceChosenIsRefused)
{
    CDeleteVoiceDlg dialog;
    dialog.SetCurrentVoice(0);
    dialog.SetVoiceCount(0);
    script.AnswerModal([](DialogBase& d) {
        d.ClickButton(kIdOk);
        EXPECT_FALSE(d.IsEnded());
        d.ClickButton(kIdCancel);
    });
    EXPECT_EQ(dialog.DoModal(), kIdCancel);
    EXPECT_EQ(Messages(), (std::vector<std::u16string>{std::u16string(CDeleteVoiceDlg::kMsgChooseVoice)}));
}

// ---------------------------------------------------------------- add and delete bars

using AddBarsTest = ValueDialogTest;

void SetPair(DialogBase& d, const std::u16string& position, const std::u16string& count)
{
    // Put in as by code (or pasting): the key filter does not see it.
    d.Control<QLineEdit>(brindle::CBarCountDlg::kIdPosition)->setText(QString::fromStdU16String(position));
    d.Control<QLineEdit>(brindle::CBarCountDlg::kIdCount)->setText(QString::fromStdU16String(count));
}

TEST_F(AddBarsTest, PairsStartAtTheCursor)
{
    CAddBarsDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("添加小节"));
    dialog.SetCurrentBar(4);
    dialog.SetBarCount(12);
    script.AnswerModal([](DialogBase& d) {
        auto& bars = static_cast<CAddBarsDlg&>(d);
        EXPECT_EQ(d.GetDlgItemText(CAddBarsDlg::kIdPosition), u"5");
        EXPECT_EQ(d.GetDlgItemText(CAddBarsDlg::kIdCount), u"1");
        float low = 0;
        float high = 0;
        bars.PositionSpin()->GetRange(low, high);
        EXPECT_EQ(low, 1.0f);
        EXPECT_EQ(high, 12.0f);
        bars.CountSpin()->GetRange(low, high);
        EXPECT_EQ(low, 1.0f);
        EXPECT_EQ(high, 1000.0f);
        EXPECT_EQ(bars.CountSpin()->GetDelta(), 1.0f);
        bars.CountSpin()->Step(1);
        d.ClickButton(kIdOk);
    });
    ASSERT_EQ(dialog.DoModal(), kIdOk);
    EXPECT_EQ(dialog.GetPosition(), 4);
    EXPECT_EQ(dialog.GetCount(), 2);
}

TEST_F(AddBarsTest, PositionAndCountTogetherMayNotPassOneHundred)
{
    struct Case {
        int barCount;
        std::u16string position;
        std::u16string count;
        bool accepted;
    };
    const Case cases[] = {
        {95, u"95", u"10", false}, {200, u"95", u"10", false}, {95, u"90", u"10", true},
        {8, u"8", u"92", true},    {8, u"8", u"93", false},   {1, u"1", u"99", true},
    };
    for (const Case& c : cases) {
        const std::size_t before = script.MessageBoxes().size();
        CAddBarsDlg dialog;
        dialog.SetCurrentBar(0);
        dialog.SetBarCount(c.barCount);
        script.AnswerModal([&](DialogBase& d) {
            SetPair(d, c.position, c.count);
            d.ClickButton(kIdOk);
            if (!d.IsEnded())
                d.ClickButton(kIdCancel);
        });
        EXPECT_EQ(dialog.DoModal(), c.accepted ? kIdOk : kIdCancel);
        if (c.accepted) {
            EXPECT_EQ(script.MessageBoxes().size(), before);
            EXPECT_EQ(dialog.GetPosition() + 1, std::stoi(std::string(c.position.begin(), c.position.end())));
        } else {
            ASSERT_EQ(script.MessageBoxes().size(), before + 1);
            EXPECT_EQ(script.MessageBoxes().back().text, u"不能超过100小节");
            EXPECT_EQ(script.MessageBoxes().back().type, platform::kMbOk);
        }
    }
}

TEST_F(AddBarsTest, CountOfZeroIsRefused)
{
    CAddBarsDlg dialog;
    dialog.SetCurrentBar(0);
    dialog.SetBarCount(8);
    script.AnswerModal([](DialogBase& d) {
        SetPair(d, u"1", u"0");
        d.ClickButton(kIdOk);
        EXPECT_FALSE(d.IsEnded());
        SetPair(d, u"1", u"1001");
        d.ClickButton(kIdOk);
        EXPECT_FALSE(d.IsEnded());
        d.ClickButton(kIdCancel);
    });
    EXPECT_EQ(dialog.DoModal(), kIdCancel);
    EXPECT_EQ(Messages(), (std::vector<std::u16string>{RangeMessage(1, 1000), RangeMessage(1, 1000)}));
}

TEST_F(AddBarsTest, CursorOnNoBarInsertsBeforeTheFirstBar)
{
    CAddBarsDlg dialog;
    dialog.SetCurrentBar(-1);
    dialog.SetBarCount(8);
    script.AnswerModal([](DialogBase& d) {
        EXPECT_EQ(d.GetDlgItemText(CAddBarsDlg::kIdPosition), u"0");
        d.ClickButton(kIdOk);
    });
    ASSERT_EQ(dialog.DoModal(), kIdOk);
    EXPECT_EQ(dialog.GetPosition(), -1);
    EXPECT_EQ(dialog.GetCount(), 1);
}

using DeleteBarsTest = ValueDialogTest;

void PressKey(QWidget* widget)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
}

void PressMouse(QWidget* widget)
{
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
}

TEST_F(DeleteBarsTest, CountNeverRunsPastTheLastBar)
{
    // Eight bars: the position moved to 6 leaves bars 6, 7 and 8.
    struct Case {
        const char* how;
        std::function<void(DialogBase&)> act;
    };
    const Case cases[] = {
        {"key", [](DialogBase& d) { PressKey(d.GetDlgItem(CDeleteBarsDlg::kIdCount)); }},
        {"click", [](DialogBase& d) { PressMouse(d.GetDlgItem(CDeleteBarsDlg::kIdPosition)); }},
        {"click on a spin button",
         [](DialogBase& d) { PressMouse(static_cast<CDeleteBarsDlg&>(d).CountSpin()->UpButton()); }},
    };
    for (const Case& c : cases) {
        CDeleteBarsDlg dialog;
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("删除小节"));
        dialog.SetCurrentBar(1);
        dialog.SetBarCount(8);
        script.AnswerModal([&](DialogBase& d) {
            auto& bars = static_cast<CDeleteBarsDlg&>(d);
            float low = 0;
            float high = 0;
            bars.CountSpin()->GetRange(low, high);
            EXPECT_EQ(high, 7.0f);  // bars 2 .. 8
            SetPair(d, u"6", u"5");
            c.act(d);
            EXPECT_EQ(d.GetDlgItemText(CDeleteBarsDlg::kIdCount), u"3") << c.how;
            bars.CountSpin()->GetRange(low, high);
            EXPECT_EQ(low, 1.0f);
            EXPECT_EQ(high, 3.0f) << c.how;
            d.ClickButton(kIdOk);
        });
        ASSERT_EQ(dialog.DoModal(), kIdOk);
        EXPECT_EQ(dialog.GetPosition(), 5);
        EXPECT_EQ(dialog.GetCount(), 3);
    }
    EXPECT_TRUE(script.MessageBoxes().empty());
}

TEST_F(DeleteBarsTest, SmallerCountIsKept)
{
    CDeleteBarsDlg dialog;
    dialog.SetCurrentBar(0);
    dialog.SetBarCount(8);
    script.AnswerModal([](DialogBase& d) {
        SetPair(d, u"6", u"2");
        PressKey(d.GetDlgItem(CDeleteBarsDlg::kIdCount));
        EXPECT_EQ(d.GetDlgItemText(CDeleteBarsDlg::kIdCount), u"2");
        d.ClickButton(kIdOk);
    });
    ASSERT_EQ(dialog.DoModal(), kIdOk);
    EXPECT_EQ(dialog.GetCount(), 2);
}

TEST_F(DeleteBarsTest, PastedCountIsLoweredAtOk)
{
    // Pasted, then confirmed without a key or click in between (Enter on its way, a script).
    CDeleteBarsDlg dialog;
    dialog.SetCurrentBar(5);
    dialog.SetBarCount(8);
    script.AnswerModal([](DialogBase& d) {
        d.Control<QLineEdit>(CDeleteBarsDlg::kIdCount)->setText(QStringLiteral("8"));
        d.ClickButton(kIdOk);
    });
    ASSERT_EQ(dialog.DoModal(), kIdOk);
    EXPECT_EQ(dialog.GetPosition(), 5);
    EXPECT_EQ(dialog.GetCount(), 3);
}

TEST_F(DeleteBarsTest, EnterConfirmsWithTheCountLowered)
{
    CDeleteBarsDlg dialog;
    dialog.SetCurrentBar(0);
    dialog.SetBarCount(8);
    script.AnswerModal([](DialogBase& d) {
        SetPair(d, u"6", u"7");
        d.show();  // the dialog presses its default button only while it is shown
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(d.GetDlgItem(CDeleteBarsDlg::kIdCount), &enter);
        EXPECT_TRUE(d.IsEnded());
    });
    ASSERT_EQ(dialog.DoModal(), kIdOk);
    EXPECT_EQ(dialog.GetCount(), 3);
}

TEST_F(DeleteBarsTest, EveryBarIsNeverDeleted)
{
    struct Case {
        const char* what;
        int barCount;
        int currentBar;
        std::u16string position;
        std::u16string count;
    };
    const Case cases[] = {
        {"all of eight from bar 1", 8, 0, u"1", u"8"},
        {"all of eight, count pasted past the end", 8, 0, u"1", u"20"},
        {"the only bar", 1, 0, u"1", u"1"},
    };
    for (const Case& c : cases) {
        const std::size_t before = script.MessageBoxes().size();
        CDeleteBarsDlg dialog;
        dialog.SetCurrentBar(c.currentBar);
        dialog.SetBarCount(c.barCount);
        script.AnswerModal([&](DialogBase& d) {
            SetPair(d, c.position, c.count);
            d.ClickButton(kIdOk);
            EXPECT_FALSE(d.IsEnded()) << c.what;
            d.ClickButton(kIdCancel);
        });
        EXPECT_EQ(dialog.DoModal(), kIdCancel) << c.what;
        ASSERT_EQ(script.MessageBoxes().size(), before + 1) << c.what;
        EXPECT_EQ(script.MessageBoxes().back().text,
                  u"如果删除所有小节，程序会出现未知错误，请至少保留一个小节!");
        EXPECT_EQ(script.MessageBoxes().back().type, platform::kMbOk);
    }
}

TEST_F(DeleteBarsTest, PositionIsCheckedAtOk)
{
    struct Case {
        const char* what;
        int currentBar;
        std::u16string position;  // empty: as the dialog opened
    };
    for (const Case& c : {Case{"cursor on no bar", -1, u""}, Case{"past the last bar", 2, u"9"},
                          Case{"position 0 typed", 2, u"0"}}) {
        const std::size_t before = script.MessageBoxes().size();
        CDeleteBarsDlg dialog;
        dialog.SetCurrentBar(c.currentBar);
        dialog.SetBarCount(8);
        script.AnswerModal([&](DialogBase& d) {
            if (!c.position.empty())
                d.Control<QLineEdit>(CDeleteBarsDlg::kIdPosition)->setText(QString::fromStdU16String(c.position));
            else
                EXPECT_EQ(d.GetDlgItemText(CDeleteBarsDlg::kIdPosition), u"0");
            PressKey(d.GetDlgItem(CDeleteBarsDlg::kIdPosition));  // a key leaves the bad position alone
            d.ClickButton(kIdOk);
            EXPECT_FALSE(d.IsEnded()) << c.what;
            d.ClickButton(kIdCancel);
        });
        EXPECT_EQ(dialog.DoModal(), kIdCancel);
        ASSERT_EQ(script.MessageBoxes().size(), before + 1) << c.what;
        EXPECT_EQ(script.MessageBoxes().back().text, RangeMessage(1, 8)) << c.what;
    }
}

TEST_F(DeleteBarsTest, CountOfZeroIsRefused)
{
    CDeleteBarsDlg dialog;
    dialog.SetCurrentBar(2);
    dialog.SetBarCount(8);
    script.AnswerModal([](DialogBase& d) {
        SetPair(d, u"3", u"0");
        d.ClickButton(kIdOk);
        EXPECT_FALSE(d.IsEnded());
        d.ClickButton(kIdCancel);
    });
    EXPECT_EQ(dialog.DoModal(), kIdCancel);
    EXPECT_EQ(Messages(), (std::vector<std::u16string>{RangeMessage(1, 6)}));
}

// ---------------------------------------------------------------- line and page counts

using BarsPerLineTest = ValueDialogTest;

TEST_F(BarsPerLineTest, CountAndScope)
{
    struct Case {
        unsigned start;
        int clicks;
        bool allLines;
        unsigned result;
    };
    for (const Case c : {Case{4, 0, false, 4}, Case{4, 2, true, 6}, Case{100, 3, false, 100}, Case{1, -2, true, 1}}) {
        CBarsPerLineDlg dialog;
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("小节数设置对话框"));
        dialog.SetBarsPerLine(c.start);
        script.AnswerModal([c](DialogBase& d) {
            EXPECT_EQ(d.GetDlgItemText(CBarsPerLineDlg::kIdBarsPerLine), Number(c.start));
            EXPECT_EQ(d.IsDlgButtonChecked(CBarsPerLineDlg::kIdCurrentLine), 1);
            auto* spin = d.Control<brindle::CNumSpinCtrl>(CBarsPerLineDlg::kIdBarsPerLineSpin);
            for (int i = 0; i < std::abs(c.clicks); ++i)
                spin->Step(c.clicks > 0 ? 1 : -1);
            if (c.allLines)
                d.Control<QRadioButton>(CBarsPerLineDlg::kIdAllLines)->click();
            d.ClickButton(kIdOk);
        });
        ASSERT_EQ(dialog.DoModal(), kIdOk);
        EXPECT_EQ(dialog.GetBarsPerLine(), c.result);
        EXPECT_EQ(dialog.IsAllLines(), c.allLines);
    }
}

TEST_F(BarsPerLineTest, CountOutsideOneToOneHundredIsRefused)
{
    for (const char16_t* text : {u"0", u"101", u"-1"}) {
        CBarsPerLineDlg dialog;
        dialog.SetBarsPerLine(0);  // a line without its own count
        script.AnswerModal([text](DialogBase& d) {
            d.Control<QLineEdit>(CBarsPerLineDlg::kIdBarsPerLine)->setText(QString::fromStdU16String(text));
            d.ClickButton(kIdOk);
            EXPECT_FALSE(d.IsEnded());
            d.ClickButton(kIdCancel);
        });
        EXPECT_EQ(dialog.DoModal(), kIdCancel);
    }
    EXPECT_EQ(Messages(), (std::vector<std::u16string>{RangeMessage(1, 100), RangeMessage(1, 100),
                                                       std::u16string(platform::kMsgNotUnsigned)}));
}

using LinesPerPageTest = ValueDialogTest;

TEST_F(LinesPerPageTest, UpDownStepsWithinOneToOneHundred)
{
    CLinesPerPageDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("页行数设置"));
    dialog.SetLineCount(99);
    script.AnswerModal([](DialogBase& d) {
        EXPECT_EQ(d.GetDlgItemText(CLinesPerPageDlg::kIdLineCount), u"99");
        auto* upDown = d.Control<brindle::CUpDownCtrl>(CLinesPerPageDlg::kIdLineCountUpDown);
        EXPECT_EQ(upDown->Minimum(), 1);
        EXPECT_EQ(upDown->Maximum(), 100);
        upDown->Step(1);
        upDown->Step(1);
        EXPECT_EQ(d.GetDlgItemText(CLinesPerPageDlg::kIdLineCount), u"100");
        d.ClickButton(kIdOk);
    });
    ASSERT_EQ(dialog.DoModal(), kIdOk);
    EXPECT_EQ(dialog.GetLineCount(), 100);
}

TEST_F(LinesPerPageTest, TypedCountIsCheckedAtOk)
{
    struct Case {
        std::u16string text;
        bool accepted;
    };
    for (const Case& c : {Case{u"1", true}, Case{u"100", true}, Case{u"0", false}, Case{u"150", false},
                          Case{u"七", false}}) {
        CLinesPerPageDlg dialog;
        dialog.SetLineCount(5);
        script.AnswerModal([&](DialogBase& d) {
            d.SetDlgItemText(CLinesPerPageDlg::kIdLineCount, c.text);
            d.ClickButton(kIdOk);
            if (!d.IsEnded())
                d.ClickButton(kIdCancel);
        });
        EXPECT_EQ(dialog.DoModal(), c.accepted ? kIdOk : kIdCancel);
    }
    EXPECT_EQ(Messages(), (std::vector<std::u16string>{RangeMessage(1, 100), RangeMessage(1, 100),
                                                       std::u16string(platform::kMsgNotInteger)}));
}

// ---------------------------------------------------------------- bar numbering

using BarNumberTest = ValueDialogTest;

TEST_F(BarNumberTest, DefaultRecord)
{
    CBarNumberDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("添加小节序号对话框"));
    script.AnswerModal([](DialogBase& d) {
        EXPECT_EQ(d.GetDlgItemText(CBarNumberDlg::kIdOffsetY), u"-50");
        EXPECT_EQ(d.GetDlgItemText(CBarNumberDlg::kIdOffsetX), u"0");
        EXPECT_EQ(d.GetDlgItemText(CBarNumberDlg::kIdInterval), u"5");
        EXPECT_EQ(d.GetDlgItemText(CBarNumberDlg::kIdFirstCounted), u"1");
        EXPECT_EQ(d.GetDlgItemText(CBarNumberDlg::kIdRangeFrom), u"1");
        EXPECT_EQ(d.GetDlgItemText(CBarNumberDlg::kIdRangeTo), u"1000");
        EXPECT_EQ(d.IsDlgButtonChecked(CBarNumberDlg::kIdFirstOfLine), 1);
        EXPECT_EQ(d.IsDlgButtonChecked(CBarNumberDlg::kIdFrameNone), 1);
        EXPECT_FALSE(d.GetDlgItem(CBarNumberDlg::kIdInterval)->isEnabled());
        EXPECT_FALSE(d.GetDlgItem(CBarNumberDlg::kIdIntervalUpDown)->isEnabled());
        EXPECT_TRUE(static_cast<CBarNumberDlg&>(d).IsCollapsed());
        d.ClickButton(kIdOk);
    });
    ASSERT_EQ(dialog.DoModal(), kIdOk);
    quaverly::BarNumberFormat format;
    dialog.GetBarNumberFormat(format);
    EXPECT_EQ(format, (quaverly::BarNumberFormat{0, 0, 0, 5, 0, 0, 999, 0, -500}));
}

TEST_F(BarNumberTest, CollapseAndExpandMoveByTwoHundredTen)
{
    CBarNumberDlg dialog;
    const QSize expanded = dialog.size();
    const int okTop = dialog.GetDlgItem(kIdOk)->y();
    script.AnswerModal([&](DialogBase& d) {
        auto& numbers = static_cast<CBarNumberDlg&>(d);
        const auto shown = [&](int id) { return d.GetDlgItem(id)->isVisibleTo(&d); };
        const int advancedIds[] = {CBarNumberDlg::kIdOffsetX,      CBarNumberDlg::kIdOffsetY,
                                   CBarNumberDlg::kIdFirstCounted, CBarNumberDlg::kIdFirstCountedUpDown,
                                   CBarNumberDlg::kIdRangeFrom,    CBarNumberDlg::kIdRangeFromUpDown,
                                   CBarNumberDlg::kIdRangeTo,      CBarNumberDlg::kIdRangeToUpDown};
        // Opened collapsed.
        EXPECT_EQ(d.size(), QSize(expanded.width(), expanded.height() - 210));
        for (int id : {kIdOk, kIdCancel, CBarNumberDlg::kIdAdvanced})
            EXPECT_EQ(d.GetDlgItem(id)->y(), okTop - 210) << id;
        for (int id : advancedIds)
            EXPECT_FALSE(shown(id)) << id;
        EXPECT_TRUE(shown(CBarNumberDlg::kIdFrameBox));
        EXPECT_EQ(d.GetDlgItemText(CBarNumberDlg::kIdAdvanced), u"高级(&A)");
        // "高级(&A)" expands ...
        d.Control<QPushButton>(CBarNumberDlg::kIdAdvanced)->click();
        EXPECT_FALSE(numbers.IsCollapsed());
        EXPECT_EQ(d.size(), expanded);
        for (int id : {kIdOk, kIdCancel, CBarNumberDlg::kIdAdvanced})
            EXPECT_EQ(d.GetDlgItem(id)->y(), okTop) << id;
        for (int id : advancedIds)
            EXPECT_TRUE(shown(id)) << id;
        // ... and collapses again.
        d.Control<QPushButton>(CBarNumberDlg::kIdAdvanced)->click();
        EXPECT_TRUE(numbers.IsCollapsed());
        EXPECT_EQ(d.size().height(), expanded.height() - 210);
        EXPECT_EQ(d.GetDlgItem(kIdOk)->y(), okTop - 210);
        for (int id : advancedIds)
            EXPECT_FALSE(shown(id)) << id;
        d.ClickButton(kIdCancel);
    });
    EXPECT_EQ(dialog.DoModal(), kIdCancel);
}

TEST_F(BarNumberTest, EveryNBarsWithFrameOffsetsAndRange)
{
    CBarNumberDlg dialog;
    script.AnswerModal([](DialogBase& d) {
        d.Control<QRadioButton>(CBarNumberDlg::kIdEveryN)->click();
        EXPECT_TRUE(d.GetDlgItem(CBarNumberDlg::kIdInterval)->isEnabled());
        EXPECT_TRUE(d.GetDlgItem(CBarNumberDlg::kIdIntervalUpDown)->isEnabled());
        auto* upDown = d.Control<brindle::CUpDownCtrl>(CBarNumberDlg::kIdIntervalUpDown);
        upDown->Step(-1);
        d.Control<QRadioButton>(CBarNumberDlg::kIdFrameCircle)->click();
        d.ClickButton(CBarNumberDlg::kIdAdvanced);
        d.SetDlgItemText(CBarNumberDlg::kIdOffsetX, u"12");
        d.SetDlgItemText(CBarNumberDlg::kIdOffsetY, u"-30");
        d.SetDlgItemText(CBarNumberDlg::kIdFirstCounted, u"3");
        d.SetDlgItemText(CBarNumberDlg::kIdRangeFrom, u"2");
        d.SetDlgItemText(CBarNumberDlg::kIdRangeTo, u"40");
        d.ClickButton(kIdOk);
    });
    ASSERT_EQ(dialog.DoModal(), kIdOk);
    quaverly::BarNumberFormat format;
    dialog.GetBarNumberFormat(format);
    EXPECT_EQ(format, (quaverly::BarNumberFormat{1, 3, 0, 4, 2, 1, 39, 120, -300}));
}

TEST_F(BarNumberTest, FirstBarOfEachLineDisablesTheIntervalAgain)
{
    CBarNumberDlg dialog;
    script.AnswerModal([](DialogBase& d) {
        d.Control<QRadioButton>(CBarNumberDlg::kIdEveryN)->click();
        d.SetDlgItemText(CBarNumberDlg::kIdInterval, u"0");
        d.Control<QRadioButton>(CBarNumberDlg::kIdFirstOfLine)->click();
        EXPECT_FALSE(d.GetDlgItem(CBarNumberDlg::kIdInterval)->isEnabled());
        // The disabled interval is not read: it cannot stop the dialog.
        d.ClickButton(kIdOk);
    });
    ASSERT_EQ(dialog.DoModal(), kIdOk);
    EXPECT_TRUE(script.MessageBoxes().empty());
    quaverly::BarNumberFormat format;
    dialog.GetBarNumberFormat(format);
    EXPECT_EQ(format.format, 0);
    EXPECT_EQ(format.interval, 5);
}

TEST_F(BarNumberTest, BadValuesAreRefusedAtOk)
{
    struct Case {
        const char* what;
        int id;
        std::u16string text;
        std::u16string message;
    };
    const Case cases[] = {
        {"interval 0", CBarNumberDlg::kIdInterval, u"0", RangeMessage(1, 100)},
        {"interval 101", CBarNumberDlg::kIdInterval, u"101", RangeMessage(1, 100)},
        {"offset past a metre", CBarNumberDlg::kIdOffsetX, u"300000000", RangeMessage(-10000, 10000)},
        {"first counted bar 0", CBarNumberDlg::kIdFirstCounted, u"0", RangeMessage(1, 100000)},
        {"range from 0", CBarNumberDlg::kIdRangeFrom, u"0", RangeMessage(1, 100000)},
        {"range to before from", CBarNumberDlg::kIdRangeTo, u"0", RangeMessage(1, 100000)},
    };
    for (const Case& c : cases) {
        const std::size_t before = script.MessageBoxes().size();
        CBarNumberDlg dialog;
        script.AnswerModal([&](DialogBase& d) {
            d.Control<QRadioButton>(CBarNumberDlg::kIdEveryN)->click();
            d.SetDlgItemText(c.id, c.text);
            d.ClickButton(kIdOk);
            EXPECT_FALSE(d.IsEnded()) << c.what;
            // A refused field of the hidden part is shown.
            if (c.id != CBarNumberDlg::kIdInterval) {
                EXPECT_FALSE(static_cast<CBarNumberDlg&>(d).IsCollapsed()) << c.what;
            }
            d.ClickButton(kIdCancel);
        });
        EXPECT_EQ(dialog.DoModal(), kIdCancel);
        ASSERT_EQ(script.MessageBoxes().size(), before + 1) << c.what;
        EXPECT_EQ(script.MessageBoxes().back().text, c.message) << c.what;
    }
}

TEST_F(BarNumberTest, RangeEndingBeforeItsStartIsRefused)
{
    CBarNumberDlg dialog;
    script.AnswerModal([](DialogBase& d) {
        d.SetDlgItemText(CBarNumberDlg::kIdRangeFrom, u"20");
        d.SetDlgItemText(CBarNumberDlg::kIdRangeTo, u"10");
        d.ClickButton(kIdOk);
        EXPECT_FALSE(d.IsEnded());
        d.SetDlgItemText(CBarNumberDlg::kIdRangeTo, u"20");
        d.ClickButton(kIdOk);
    });
    ASSERT_EQ(dialog.DoModal(), kIdOk);
    EXPECT_EQ(Messages(), (std::vector<std::u16string>{RangeMessage(20, 100000)}));
    quaverly::BarNumberFormat format;
    dialog.GetBarNumberFormat(format);
    EXPECT_EQ(format.firstNumber, 19);
    EXPECT_EQ(format.lastNumber, 19);
}

}  // namespace

namespace {

TEST_F(DeleteVoiceTest, VoiceCountBeyondAnyScoreIsBounded)
{
    CDeleteVoiceDlg dialog;
    dialog.SetCurrentVoice(3);
    dialog.SetVoiceCount(2000000000);
    script.AnswerModal([](DialogBase& d) {
        EXPECT_EQ(d.Control<QComboBox>(CDeleteVoiceDlg::kIdVoiceList)->count(), brindle::kMaxVoiceCount);
        d.ClickButton(kIdOk);
    });
    ASSERT_EQ(dialog.DoModal(), kIdOk);
    EXPECT_EQ(dialog.GetVoice(), 3);
}

}  // namespace

namespace {

TEST(BarNumberModalRun, CollapsedAndExpandedOnARealEventLoop)
{
    // The program's own dialog service: the dialog is shown by its modal run, and a timer
    // plays the user.
    CBarNumberDlg dialog;
    QSize collapsed;
    QSize expanded;
    int okTopCollapsed = 0;
    int okTopExpanded = 0;
    QTimer::singleShot(0, &dialog, [&] {
        collapsed = dialog.size();
        okTopCollapsed = dialog.GetDlgItem(kIdOk)->y();
        dialog.Control<QPushButton>(CBarNumberDlg::kIdAdvanced)->click();
        expanded = dialog.size();
        okTopExpanded = dialog.GetDlgItem(kIdOk)->y();
        dialog.Control<QPushButton>(kIdOk)->click();
    });
    EXPECT_EQ(platform::DialogService::Current().RunModal(dialog), kIdOk);
    EXPECT_EQ(expanded.height() - collapsed.height(), 210);
    EXPECT_EQ(expanded.width(), collapsed.width());
    EXPECT_EQ(okTopExpanded - okTopCollapsed, 210);
    quaverly::BarNumberFormat format;
    dialog.GetBarNumberFormat(format);
    EXPECT_EQ(format, (quaverly::BarNumberFormat{0, 0, 0, 5, 0, 0, 999, 0, -500}));
}

TEST(DeleteBarsModalRun, EnterOnTheCountConfirmsTheLoweredCount)
{
    CDeleteBarsDlg dialog;
    dialog.SetCurrentBar(5);
    dialog.SetBarCount(8);
    QTimer::singleShot(0, &dialog, [&] {
        auto* count = dialog.Control<QLineEdit>(CDeleteBarsDlg::kIdCount);
        count->setText(QStringLiteral("8"));  // pasted
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(count, &enter);
    });
    EXPECT_EQ(platform::DialogService::Current().RunModal(dialog), kIdOk);
    EXPECT_EQ(dialog.GetPosition(), 5);
    EXPECT_EQ(dialog.GetCount(), 3);
}

}  // namespace
