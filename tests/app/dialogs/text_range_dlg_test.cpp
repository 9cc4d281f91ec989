// The score-information, one-line text, instrument-name, transpose, octave-shift and
// tuplet-number dialogs, run through the scripted dialog service.
#include "app/dialogs/add_text_dlg.h"
#include "app/dialogs/dialog_util.h"
#include "app/dialogs/instrument_name_dlg.h"
#include "app/dialogs/octave_shift_dlg.h"
#include "app/dialogs/score_info_dlg.h"
#include "app/dialogs/transpose_dlg.h"
#include "app/dialogs/tuplet_number_dlg.h"
#include "platform/data_exchange.h"
#include "tests/app/dialogs/value_dialog_test_support.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

using brindle::CAddTextDlg;
using brindle::CInstrumentNameDlg;
using brindle::COctaveShiftDlg;
using brindle::CScoreInfoDlg;
using brindle::CTransposeDlg;
using brindle::CTupletNumberDlg;
using brindle::TransposeRequest;
using platform::DialogBase;
using platform::kIdCancel;
using platform::kIdOk;

std::u16string RangeMessage(int low, int high)
{
    return platform::FormatMessage(platform::kMsgIntegerRange, std::u16string(u"") + QString::number(low).toStdU16String(),
                                   QString::number(high).toStdU16String());
}

using ScoreInfoTest = ValueDialogTest;

TEST_F(ScoreInfoTest, TextsGoInAndComeBack)
{
    CScoreInfoDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("乐谱信息"));
    dialog.SetTitle(u"茉莉花");
    dialog.SetSubtitle(u"江苏民歌");
    dialog.SetComposer(u"佚名");
    dialog.SetPoet(u"民间");
    dialog.SetCopyright(u"公有领域");
    dialog.SetDescription(u"");
    script.AnswerModal([](DialogBase& d) {
        EXPECT_EQ(d.GetDlgItemText(CScoreInfoDlg::kIdTitle), u"茉莉花");
        EXPECT_EQ(d.GetDlgItemText(CScoreInfoDlg::kIdSubtitle), u"江苏民歌");
        EXPECT_EQ(d.GetDlgItemText(CScoreInfoDlg::kIdComposer), u"佚名");
        EXPECT_EQ(d.GetDlgItemText(CScoreInfoDlg::kIdPoet), u"民间");
        EXPECT_EQ(d.GetDlgItemText(CScoreInfoDlg::kIdCopyright), u"公有领域");
        d.SetDlgItemText(CScoreInfoDlg::kIdComposer, u"何仿");
        d.SetDlgItemText(CScoreInfoDlg::kIdDescription, u"五声音阶");
        d.ClickButton(kIdOk);
    });
    ASSERT_EQ(dialog.DoModal(), kIdOk);
    EXPECT_EQ(dialog.GetTitle(), u"茉莉花");
    EXPECT_EQ(dialog.GetSubtitle(), u"江苏民歌");
    EXPECT_EQ(dialog.GetComposer(), u"何仿");
    EXPECT_EQ(dialog.GetPoet(), u"民间");
    EXPECT_EQ(dialog.GetCopyright(), u"公有领域");
    EXPECT_EQ(dialog.GetDescription(), u"五声音阶");
}

TEST_F(ScoreInfoTest, LabelsNameTheHeaderTexts)
{
    CScoreInfoDlg dialog;
    QStringList labels;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        labels << label->text();
    for (const char* text : {"标题：", "副标题：", "作曲：", "作词：", "版权：", "其它描述："})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(text))) << text;
}

using AddTextTest = ValueDialogTest;

TEST_F(AddTextTest, LabelShownAndTextReturned)
{
    for (const char16_t* label : {u"改编者", u"演唱者"}) {
        CAddTextDlg dialog;
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("添加文本对话框"));
        dialog.SetLabel(label);
        dialog.SetText(u"旧的");
        script.AnswerModal([label](DialogBase& d) {
            EXPECT_EQ(d.GetDlgItemText(CAddTextDlg::kIdLabel), label);
            EXPECT_EQ(d.GetDlgItemText(CAddTextDlg::kIdText), u"旧的");
            d.SetDlgItemText(CAddTextDlg::kIdText, u"新的名字");
            d.ClickButton(kIdOk);
        });
        ASSERT_EQ(dialog.DoModal(), kIdOk);
        EXPECT_EQ(dialog.GetText(), u"新的名字");
    }
}

using InstrumentNameTest = ValueDialogTest;

TEST_F(InstrumentNameTest, NameAndScope)
{
    struct Case {
        int scopeButton;  // 0: untouched
        bool currentOnly;
    };
    for (const Case c : {Case{0, true}, Case{CInstrumentNameDlg::kIdAllLines, false},
                         Case{CInstrumentNameDlg::kIdCurrentLine, true}}) {
        CInstrumentNameDlg dialog;
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("添加乐器名"));
        EXPECT_EQ(dialog.Control<QPushButton>(kIdOk)->text(), QStringLiteral("确认(O)"));
        script.AnswerModal([c](DialogBase& d) {
            EXPECT_EQ(d.IsDlgButtonChecked(CInstrumentNameDlg::kIdCurrentLine), 1);
            EXPECT_EQ(d.GetDlgItemText(CInstrumentNameDlg::kIdCurrentLine), u"当前行");
            EXPECT_EQ(d.GetDlgItemText(CInstrumentNameDlg::kIdAllLines), u"所有行");
            if (c.scopeButton)
                d.Control<QRadioButton>(c.scopeButton)->click();
            d.SetDlgItemText(CInstrumentNameDlg::kIdName, u"二胡");
            d.ClickButton(kIdOk);
        });
        ASSERT_EQ(dialog.DoModal(), kIdOk);
        EXPECT_EQ(dialog.GetName(), u"二胡");
        EXPECT_EQ(dialog.IsCurrentLineOnly(), c.currentOnly);
    }
}

using TransposeTest = ValueDialogTest;

TEST_F(TransposeTest, UntouchedGivesCUpFromBarOneToBarOne)
{
    CTransposeDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("转调"));
    script.AnswerModal([](DialogBase& d) {
        auto* keys = d.Control<QComboBox>(CTransposeDlg::kIdKeyList);
        EXPECT_EQ(keys->count(), 15);
        EXPECT_EQ(keys->currentIndex(), 7);
        EXPECT_EQ(keys->itemText(14), QStringLiteral("   o"));
        EXPECT_EQ(d.IsDlgButtonChecked(CTransposeDlg::kIdKindRange), 1);
        EXPECT_EQ(d.IsDlgButtonChecked(CTransposeDlg::kIdUp), 1);
        for (int id : {CTransposeDlg::kIdRangeFrom, CTransposeDlg::kIdRangeTo, CTransposeDlg::kIdToEndFrom,
                       CTransposeDlg::kIdToKeyChangeFrom})
            EXPECT_EQ(d.GetDlgItemText(id), u"1");
        EXPECT_TRUE(d.GetDlgItem(CTransposeDlg::kIdRangeFrom)->isEnabled());
        EXPECT_TRUE(d.GetDlgItem(CTransposeDlg::kIdRangeTo)->isEnabled());
        EXPECT_FALSE(d.GetDlgItem(CTransposeDlg::kIdToEndFrom)->isEnabled());
        EXPECT_FALSE(d.GetDlgItem(CTransposeDlg::kIdToKeyChangeFrom)->isEnabled());
        d.ClickButton(kIdOk);
    });
    ASSERT_EQ(dialog.DoModal(), kIdOk);
    TransposeRequest request;
    request.lastBar = -99;
    dialog.GetTransposeRequest(request);
    EXPECT_EQ(request, (TransposeRequest{0, 0, 0, 0, 1}));
}

TEST_F(TransposeTest, EachRangeKindEnablesItsFieldAndFillsTheRequest)
{
    struct Case {
        int kindButton;
        int field;
        int keyEntry;
        int directionButton;
        TransposeRequest want;
    };
    const Case cases[] = {
        {CTransposeDlg::kIdKindRange, CTransposeDlg::kIdRangeFrom, 9, CTransposeDlg::kIdDown, {2, 1, 0, 2, 8}},
        {CTransposeDlg::kIdKindToEnd, CTransposeDlg::kIdToEndFrom, 0, CTransposeDlg::kIdUp, {-7, 0, 1, 4, 0}},
        {CTransposeDlg::kIdKindToKeyChange, CTransposeDlg::kIdToKeyChangeFrom, 14, CTransposeDlg::kIdUp, {7, 0, 2, 11, 0}},
    };
    for (const Case& c : cases) {
        CTransposeDlg dialog;
        script.AnswerModal([&](DialogBase& d) {
            d.Control<QRadioButton>(c.kindButton)->click();
            EXPECT_TRUE(d.GetDlgItem(c.field)->isEnabled());
            for (int id : {CTransposeDlg::kIdRangeFrom, CTransposeDlg::kIdToEndFrom, CTransposeDlg::kIdToKeyChangeFrom}) {
                if (id != c.field) {
                    EXPECT_FALSE(d.GetDlgItem(id)->isEnabled()) << id;
                }
            }
            EXPECT_EQ(d.GetDlgItem(CTransposeDlg::kIdRangeTo)->isEnabled(), c.field == CTransposeDlg::kIdRangeFrom);
            d.Control<QComboBox>(CTransposeDlg::kIdKeyList)->setCurrentIndex(c.keyEntry);
            d.Control<QRadioButton>(c.directionButton)->click();
            // Kind 0: bars 3 .. 8; kind 1 from 5; the third kind with 12 in its field.
            if (c.field == CTransposeDlg::kIdRangeFrom) {
                d.SetDlgItemText(CTransposeDlg::kIdRangeFrom, u"3");
                d.SetDlgItemText(CTransposeDlg::kIdRangeTo, u"8");
            } else {
                d.SetDlgItemText(c.field, c.field == CTransposeDlg::kIdToEndFrom ? u"5" : u"12");
            }
            d.ClickButton(kIdOk);
        });
        ASSERT_EQ(dialog.DoModal(), kIdOk);
        TransposeRequest request;
        dialog.GetTransposeRequest(request);
        EXPECT_EQ(request, c.want) << c.kindButton;
    }
}

TEST_F(TransposeTest, BadRangesAreRefusedAndTheDialogStaysOpen)
{
    struct Case {
        int kindButton;
        int field;
        std::u16string text;
        std::u16string message;
    };
    const Case cases[] = {
        {CTransposeDlg::kIdKindRange, CTransposeDlg::kIdRangeFrom, u"0", RangeMessage(1, brindle::kMaxBarNumber)},
        {CTransposeDlg::kIdKindRange, CTransposeDlg::kIdRangeTo, u"0", RangeMessage(1, brindle::kMaxBarNumber)},
        {CTransposeDlg::kIdKindRange, CTransposeDlg::kIdRangeFrom, u"abc", std::u16string(platform::kMsgNotInteger)},
        {CTransposeDlg::kIdKindToEnd, CTransposeDlg::kIdToEndFrom, u"-4", RangeMessage(1, brindle::kMaxBarNumber)},
        {CTransposeDlg::kIdKindToKeyChange, CTransposeDlg::kIdToKeyChangeFrom, u"0", RangeMessage(1, brindle::kMaxBarNumber)},
        {CTransposeDlg::kIdKindToKeyChange, CTransposeDlg::kIdToKeyChangeFrom, u"-2147483648",
         RangeMessage(1, brindle::kMaxBarNumber)},
    };
    for (const Case& c : cases) {
        CTransposeDlg dialog;
        script.AnswerModal([&](DialogBase& d) {
            d.Control<QRadioButton>(c.kindButton)->click();
            d.SetDlgItemText(c.field, c.text);
            d.ClickButton(kIdOk);
            EXPECT_FALSE(d.IsEnded());
            d.ClickButton(kIdCancel);
        });
        EXPECT_EQ(dialog.DoModal(), kIdCancel);
        ASSERT_FALSE(script.MessageBoxes().empty());
        EXPECT_EQ(script.MessageBoxes().back().text, c.message);
    }
}

TEST_F(TransposeTest, RangeThatEndsBeforeItStartsIsRefused)
{
    CTransposeDlg dialog;
    script.AnswerModal([](DialogBase& d) {
        d.SetDlgItemText(CTransposeDlg::kIdRangeFrom, u"9");
        d.SetDlgItemText(CTransposeDlg::kIdRangeTo, u"4");
        d.ClickButton(kIdOk);
        EXPECT_FALSE(d.IsEnded());
        d.SetDlgItemText(CTransposeDlg::kIdRangeTo, u"9");
        d.ClickButton(kIdOk);
    });
    ASSERT_EQ(dialog.DoModal(), kIdOk);
    ASSERT_EQ(script.MessageBoxes().size(), 1u);
    EXPECT_EQ(script.MessageBoxes()[0].text, RangeMessage(9, brindle::kMaxBarNumber));
    TransposeRequest request;
    dialog.GetTransposeRequest(request);
    EXPECT_EQ(request, (TransposeRequest{0, 0, 0, 8, 9}));
}

TEST_F(TransposeTest, DisabledFieldsDoNotStopTheDialog)
{
    CTransposeDlg dialog;
    script.AnswerModal([](DialogBase& d) {
        // Typed while kind 0 was chosen, then the user went on to kind 1.
        d.SetDlgItemText(CTransposeDlg::kIdRangeFrom, u"x");
        d.Control<QRadioButton>(CTransposeDlg::kIdKindToEnd)->click();
        d.SetDlgItemText(CTransposeDlg::kIdToEndFrom, u"6");
        d.ClickButton(kIdOk);
    });
    ASSERT_EQ(dialog.DoModal(), kIdOk);
    EXPECT_TRUE(script.MessageBoxes().empty());
    TransposeRequest request;
    dialog.GetTransposeRequest(request);
    EXPECT_EQ(request, (TransposeRequest{0, 0, 1, 5, 0}));
}

using OctaveShiftTest = ValueDialogTest;

TEST_F(OctaveShiftTest, RangesAndDirection)
{
    struct Case {
        const char16_t* from;  // null: untouched
        const char16_t* to;
        bool down;
        int first;
        int last;
    };
    for (const Case c : {Case{nullptr, nullptr, false, 0, 1}, Case{u"3", u"7", true, 2, 7}, Case{u"5", u"5", false, 4, 5}}) {
        COctaveShiftDlg dialog;
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("升降八度"));
        script.AnswerModal([c](DialogBase& d) {
            EXPECT_EQ(d.GetDlgItemText(COctaveShiftDlg::kIdFrom), u"1");
            EXPECT_EQ(d.GetDlgItemText(COctaveShiftDlg::kIdTo), u"1");
            EXPECT_EQ(d.IsDlgButtonChecked(COctaveShiftDlg::kIdUp), 1);
            if (c.from) {
                d.SetDlgItemText(COctaveShiftDlg::kIdFrom, c.from);
                d.SetDlgItemText(COctaveShiftDlg::kIdTo, c.to);
            }
            if (c.down)
                d.Control<QRadioButton>(COctaveShiftDlg::kIdDown)->click();
            d.ClickButton(kIdOk);
        });
        ASSERT_EQ(dialog.DoModal(), kIdOk);
        int first = -9;
        int last = -9;
        dialog.GetBarRange(first, last);
        EXPECT_EQ(first, c.first);
        EXPECT_EQ(last, c.last);
        EXPECT_EQ(dialog.IsUp(), !c.down);
    }
    EXPECT_TRUE(script.MessageBoxes().empty());
}

TEST_F(OctaveShiftTest, BarZeroAndBackwardRangesAreRefused)
{
    struct Case {
        std::u16string from;
        std::u16string to;
        std::u16string message;
    };
    for (const Case& c : {Case{u"0", u"3", RangeMessage(1, brindle::kMaxBarNumber)},
                          Case{u"4", u"2", RangeMessage(4, brindle::kMaxBarNumber)},
                          Case{u"1", u"200000", RangeMessage(1, brindle::kMaxBarNumber)},
                          Case{u"", u"2", std::u16string(platform::kMsgNotInteger)}}) {
        COctaveShiftDlg dialog;
        script.AnswerModal([&](DialogBase& d) {
            d.SetDlgItemText(COctaveShiftDlg::kIdFrom, c.from);
            d.SetDlgItemText(COctaveShiftDlg::kIdTo, c.to);
            d.ClickButton(kIdOk);
            EXPECT_FALSE(d.IsEnded());
            d.ClickButton(kIdCancel);
        });
        EXPECT_EQ(dialog.DoModal(), kIdCancel);
        ASSERT_FALSE(script.MessageBoxes().empty());
        EXPECT_EQ(script.MessageBoxes().back().text, c.message);
    }
}

using TupletTest = ValueDialogTest;

TEST_F(TupletTest, OnlyThreeToThirtyAreAccepted)
{
    struct Case {
        std::u16string text;
        bool accepted;
    };
    for (const Case& c : {Case{u"2", false}, Case{u"31", false}, Case{u"3", true}, Case{u"30", true},
                          Case{u"7", true}, Case{u"3.5", false}, Case{u"", false}}) {
        const std::size_t before = script.MessageBoxes().size();
        CTupletNumberDlg dialog;
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Dialog"));
        script.AnswerModal([&](DialogBase& d) {
            EXPECT_EQ(d.GetDlgItemText(CTupletNumberDlg::kIdNumber), u"3");
            d.SetDlgItemText(CTupletNumberDlg::kIdNumber, c.text);
            d.ClickButton(kIdOk);
        });
        const int result = dialog.DoModal();
        EXPECT_EQ(result, c.accepted ? kIdOk : kIdCancel);
        EXPECT_EQ(script.MessageBoxes().size(), before + (c.accepted ? 0 : 1));
        if (c.accepted) {
            int n = 0;
            platform::ParseInt(c.text, n);
            EXPECT_EQ(dialog.GetNumber(), n);
        } else if (c.text == u"2" || c.text == u"31") {
            EXPECT_EQ(script.MessageBoxes().back().text, RangeMessage(3, 30));
        }
    }
}

TEST(TupletNormalCount, LargestPowerOfTwoNotAbove)
{
    const std::pair<int, int> cases[] = {{3, 2}, {4, 4}, {5, 4}, {7, 4}, {8, 8}, {9, 8}, {16, 16}, {30, 16}, {1, 1}, {0, 1}};
    for (const auto& [count, normal] : cases)
        EXPECT_EQ(brindle::TupletNormalCount(count), normal) << count;
}

}  // namespace

namespace {

TEST_F(ScoreInfoTest, UntouchedDialogGivesBackTheTextsItWasGiven)
{
    // The view compares each text with the editor's and sets only those that changed:
    // an untouched dialog must give every text back as it came, blanks included.
    CScoreInfoDlg dialog;
    dialog.SetTitle(u" 标题 ");
    dialog.SetSubtitle(u"");
    dialog.SetComposer(u"作曲者");
    dialog.SetPoet(u"作词者");
    dialog.SetCopyright(u"©");
    dialog.SetDescription(u"说明");
    script.AnswerModal([](DialogBase& d) { d.ClickButton(kIdOk); });
    ASSERT_EQ(dialog.DoModal(), kIdOk);
    EXPECT_EQ(dialog.GetTitle(), u" 标题 ");
    EXPECT_EQ(dialog.GetSubtitle(), u"");
    EXPECT_EQ(dialog.GetComposer(), u"作曲者");
    EXPECT_EQ(dialog.GetPoet(), u"作词者");
    EXPECT_EQ(dialog.GetCopyright(), u"©");
    EXPECT_EQ(dialog.GetDescription(), u"说明");
}

}  // namespace
