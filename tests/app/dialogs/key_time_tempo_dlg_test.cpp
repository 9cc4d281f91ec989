// The key, time-signature, beat, metronome and tempo-text dialogs, run through the
// scripted dialog service as the score view runs them.
#include "app/dialogs/beat_dlg.h"
#include "app/dialogs/key_signature_dlg.h"
#include "app/dialogs/num_edit.h"
#include "app/dialogs/num_spin_ctrl.h"
#include "app/dialogs/popup_list_wnd.h"
#include "app/dialogs/signature_font.h"
#include "app/dialogs/tempo_mark_dlg.h"
#include "app/dialogs/tempo_text_dlg.h"
#include "app/dialogs/time_signature_dlg.h"
#include "tests/app/dialogs/value_dialog_test_support.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace {

using brindle::CBeatDlg;
using brindle::CKeySignatureDlg;
using brindle::CTempoMarkDlg;
using brindle::CTempoTextDlg;
using brindle::CTimeSignatureDlg;
using dialog_test::TestFolder;
using platform::DialogBase;
using platform::kIdCancel;
using platform::kIdOk;

using KeyDialogTest = ValueDialogTest;

TEST(SignatureFont, RecordAndKeyEntries)
{
    const quaverly::LogFont font = brindle::SignatureLogFont();
    EXPECT_EQ(font.FaceName(), u"Tansy Signature");
    EXPECT_EQ(font.height, -22);
    EXPECT_EQ(font.charSet, 1);
    EXPECT_EQ(font.quality, 4);
    EXPECT_EQ(font.weight, 0);
    EXPECT_EQ(brindle::KeyEntryText(0), u"   a");
    EXPECT_EQ(brindle::KeyEntryText(7), u"   h");
    EXPECT_EQ(brindle::KeyEntryText(14), u"   o");
}

TEST_F(KeyDialogTest, KeyFromTheEntryChosen)
{
    struct Case {
        int entry;  // -1: untouched
        int key;
    };
    for (const Case c : {Case{-1, 0}, Case{0, -7}, Case{14, 7}, Case{9, 2}}) {
        CKeySignatureDlg dialog;
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("添加调号"));
        script.AnswerModal([c](DialogBase& d) {
            auto* list = d.Control<QComboBox>(CKeySignatureDlg::kIdKeyList);
            ASSERT_EQ(list->count(), 15);
            EXPECT_EQ(list->currentIndex(), 7);
            EXPECT_EQ(list->itemText(0), QStringLiteral("   a"));
            EXPECT_EQ(list->font().family(), QStringLiteral("Tansy Signature"));
            if (c.entry >= 0)
                list->setCurrentIndex(c.entry);
            d.ClickButton(kIdOk);
        });
        ASSERT_EQ(dialog.DoModal(), kIdOk);
        EXPECT_EQ(dialog.GetKey(), c.key) << c.entry;
    }
}

TEST_F(KeyDialogTest, CancelledKeyDialogKeepsZero)
{
    CKeySignatureDlg dialog;
    script.AnswerModal([](DialogBase& d) {
        d.Control<QComboBox>(CKeySignatureDlg::kIdKeyList)->setCurrentIndex(0);
        d.ClickButton(kIdCancel);
    });
    EXPECT_EQ(dialog.DoModal(), kIdCancel);
    EXPECT_EQ(dialog.GetKey(), 0);
}

using TimeSignatureTest = ValueDialogTest;

QPushButton* BeatButton(DialogBase& d, int choice)
{
    return d.Control<QPushButton>(CTimeSignatureDlg::kBeatButtonIds[static_cast<std::size_t>(choice)]);
}

TEST_F(TimeSignatureTest, EveryFixedChoiceGivesItsBeat)
{
    struct Case {
        int choice;
        char16_t letter;
        int beats;
        int beatType;
    };
    const Case cases[] = {{0, u'A', 2, 2}, {1, u'B', 2, 4}, {2, u'C', 3, 4}, {3, u'D', 4, 4},
                          {4, u'E', 3, 8}, {5, u'F', 6, 8}, {6, u'G', 9, 8}, {7, u'H', 12, 8}};
    for (const Case& c : cases) {
        CTimeSignatureDlg dialog;
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Dialog"));
        script.AnswerModal([c](DialogBase& d) {
            EXPECT_TRUE(BeatButton(d, 3)->isChecked());  // "D", 4/4, at the start
            EXPECT_EQ(BeatButton(d, c.choice)->text(), QString(QChar(c.letter)));
            EXPECT_EQ(BeatButton(d, c.choice)->font().family(), QStringLiteral("Tansy Signature"));
            BeatButton(d, c.choice)->click();
            d.ClickButton(kIdOk);
        });
        ASSERT_EQ(dialog.DoModal(), kIdOk);
        int beats = 0;
        int beatType = 0;
        dialog.GetTimeSignature(beats, beatType);
        EXPECT_EQ(beats, c.beats) << c.choice;
        EXPECT_EQ(beatType, c.beatType) << c.choice;
        EXPECT_EQ(script.ModalCount(), 1 + (&c - cases));  // no beat dialog was opened
    }
}

// The beat dialog's step: sets the two boxes and ends with OK or Cancel.
platform::ScriptedDialogService::ModalStep BeatStep(std::u16string beats, std::u16string beatType, bool ok)
{
    return [=](DialogBase& d) {
        d.SetDlgItemText(CBeatDlg::kIdBeatsBox, beats);
        d.SetDlgItemText(CBeatDlg::kIdBeatTypeBox, beatType);
        d.ClickButton(ok ? kIdOk : kIdCancel);
    };
}

TEST_F(TimeSignatureTest, OtherBeatComesFromTheBeatDialog)
{
    struct Case {
        const char* what;
        bool ok;
        int thenChoice;  // -1: stay on "I"
        int beats;
        int beatType;
    };
    for (const Case c : {Case{"5/8 confirmed", true, -1, 5, 8}, Case{"beat dialog cancelled", false, -1, 4, 4},
                         Case{"5/8, then B", true, 1, 2, 4}}) {
        CTimeSignatureDlg dialog;
        script.AnswerModal([&](DialogBase& d) {
            BeatButton(d, 8)->click();  // takes the next step: the beat dialog
            if (c.thenChoice >= 0)
                BeatButton(d, c.thenChoice)->click();
            d.ClickButton(kIdOk);
        });
        script.AnswerModal(BeatStep(u"5", u"8", c.ok));
        ASSERT_EQ(dialog.DoModal(), kIdOk) << c.what;
        int beats = 0;
        int beatType = 0;
        dialog.GetTimeSignature(beats, beatType);
        EXPECT_EQ(beats, c.beats) << c.what;
        EXPECT_EQ(beatType, c.beatType) << c.what;
    }
    EXPECT_EQ(script.PendingSteps(), 0u);
}

TEST_F(TimeSignatureTest, OtherChoiceWithoutTheBeatDialogIsFourFour)
{
    CTimeSignatureDlg dialog;
    script.AnswerModal([](DialogBase& d) {
        BeatButton(d, 8)->setChecked(true);  // checked without the click handler
        d.ClickButton(kIdOk);
    });
    ASSERT_EQ(dialog.DoModal(), kIdOk);
    int beats = 0;
    int beatType = 0;
    dialog.GetTimeSignature(beats, beatType);
    EXPECT_EQ(dialog.GetChoice(), 8);
    EXPECT_EQ(beats, 4);
    EXPECT_EQ(beatType, 4);
}

using BeatDialogTest = ValueDialogTest;

TEST_F(BeatDialogTest, BoxesOfferTheBeatsAndPowersOfTwo)
{
    CBeatDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("节拍设置"));
    EXPECT_EQ(dialog.GetDlgItem(kIdCancel), nullptr);  // OK only
    script.AnswerModal([](DialogBase& d) {
        auto* beats = d.Control<QComboBox>(CBeatDlg::kIdBeatsBox);
        auto* types = d.Control<QComboBox>(CBeatDlg::kIdBeatTypeBox);
        ASSERT_EQ(beats->count(), 128);
        EXPECT_EQ(beats->itemText(0), QStringLiteral("1"));
        EXPECT_EQ(beats->itemText(127), QStringLiteral("128"));
        EXPECT_EQ(beats->currentIndex(), 3);
        QStringList powers;
        for (int i = 0; i < types->count(); ++i)
            powers << types->itemText(i);
        EXPECT_EQ(powers, (QStringList{"1", "2", "4", "8", "16", "32", "64", "128"}));
        EXPECT_EQ(types->currentIndex(), 2);
        d.ClickButton(kIdOk);
    });
    ASSERT_EQ(dialog.DoModal(), kIdOk);
    EXPECT_EQ(dialog.GetBeats(), 4);
    EXPECT_EQ(dialog.GetBeatUnit(), 4);
}

TEST_F(BeatDialogTest, TypedNumbersAreReadAsAStreamReadsThem)
{
    struct Case {
        std::u16string beats;
        std::u16string beatType;
        int wantBeats;
        int wantType;
    };
    for (const Case& c : {Case{u"7", u"16", 7, 16}, Case{u"  12 beats", u"8x", 12, 8}, Case{u"+3", u"2", 3, 2},
                          Case{u"128", u"128", 128, 128}, Case{u"1", u"1", 1, 1}}) {
        CBeatDlg dialog;
        script.AnswerModal(BeatStep(c.beats, c.beatType, true));
        ASSERT_EQ(dialog.DoModal(), kIdOk);
        EXPECT_EQ(dialog.GetBeats(), c.wantBeats);
        EXPECT_EQ(dialog.GetBeatUnit(), c.wantType);
    }
    EXPECT_TRUE(script.MessageBoxes().empty());
}

TEST_F(BeatDialogTest, BeatOutsideTheRangesKeepsTheDialogOpen)
{
    struct Case {
        std::u16string beats;
        std::u16string beatType;
        std::u16string_view message;
    };
    const Case cases[] = {
        {u"0", u"4", CBeatDlg::kMsgBadBeats},         {u"129", u"4", CBeatDlg::kMsgBadBeats},
        {u"-3", u"4", CBeatDlg::kMsgBadBeats},        {u"abc", u"4", CBeatDlg::kMsgBadBeats},
        {u"", u"4", CBeatDlg::kMsgBadBeats},          {u"99999999999", u"4", CBeatDlg::kMsgBadBeats},
        {u"4", u"3", CBeatDlg::kMsgBadBeatType},      {u"4", u"0", CBeatDlg::kMsgBadBeatType},
        {u"4", u"256", CBeatDlg::kMsgBadBeatType},    {u"4", u"-4", CBeatDlg::kMsgBadBeatType},
        {u"4", u"十六", CBeatDlg::kMsgBadBeatType},
    };
    for (const Case& c : cases) {
        const std::size_t before = script.MessageBoxes().size();
        CBeatDlg dialog;
        bool stayedOpen = false;
        script.AnswerModal([&](DialogBase& d) {
            BeatStep(c.beats, c.beatType, true)(d);
            stayedOpen = !d.IsEnded();
            // The user puts right what was refused.
            BeatStep(u"6", u"8", true)(d);
        });
        ASSERT_EQ(dialog.DoModal(), kIdOk);
        EXPECT_TRUE(stayedOpen);
        ASSERT_EQ(script.MessageBoxes().size(), before + 1);
        EXPECT_EQ(script.MessageBoxes().back().text, c.message);
        EXPECT_EQ(dialog.GetBeats(), 6);
        EXPECT_EQ(dialog.GetBeatUnit(), 8);
    }
}

TEST_F(BeatDialogTest, RefusedThenCancelledBeatGivesTheStartingFourFour)
{
    CTimeSignatureDlg time;
    script.AnswerModal([](DialogBase& d) {
        BeatButton(d, 8)->click();
        d.ClickButton(kIdOk);
    });
    script.AnswerModal([](DialogBase& d) {
        BeatStep(u"5", u"6", true)(d);  // refused: 6 is no power of two
        d.ClickButton(kIdCancel);
    });
    ASSERT_EQ(time.DoModal(), kIdOk);
    int beats = 0;
    int beatType = 0;
    time.GetTimeSignature(beats, beatType);
    EXPECT_EQ(beats, 4);
    EXPECT_EQ(beatType, 4);
}

using TempoMarkTest = ValueDialogTest;

TEST_F(TempoMarkTest, UntouchedIsAQuarterAtOneHundred)
{
    CTempoMarkDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("添加节拍标记"));
    script.AnswerModal([](DialogBase& d) {
        EXPECT_EQ(d.GetDlgItemText(CTempoMarkDlg::kIdNoteButton), u"Q");
        EXPECT_EQ(d.GetDlgItemText(CTempoMarkDlg::kIdPerMinuteEdit), u"100");
        auto* edit = d.Control<brindle::CNumEdit>(CTempoMarkDlg::kIdPerMinuteEdit);
        float low = 0;
        float high = 0;
        edit->GetRange(low, high);
        EXPECT_EQ(low, 40.0f);
        EXPECT_EQ(high, 250.0f);
        EXPECT_TRUE(edit->DigitsOnly());
        d.ClickButton(kIdOk);
    });
    ASSERT_EQ(dialog.DoModal(), kIdOk);
    int noteValue = 0;
    int perMinute = 0;
    dialog.GetTempo(noteValue, perMinute);
    EXPECT_EQ(noteValue, 161280);
    EXPECT_EQ(perMinute, 100);
}

TEST_F(TempoMarkTest, PopupItemsTurnTheButtonIntoTheirNoteValue)
{
    struct Case {
        platform::WParam id;
        std::u16string text;
        int ticks;
    };
    for (const Case& c : {Case{1, u"O", 645120}, Case{2, u"P", 322560}, Case{3, u"Q", 161280},
                          Case{4, u"R", 80640}, Case{5, u"S", 40320}, Case{0, u"Q", 161280}, Case{9, u"Q", 161280}}) {
        CTempoMarkDlg dialog;
        script.AnswerModal([&](DialogBase& d) {
            d.Port().Post(CTempoMarkDlg::kMsgNoteValueChosen, c.id, 0);
            ProcessPostedMessages();
            EXPECT_EQ(d.GetDlgItemText(CTempoMarkDlg::kIdNoteButton), c.text) << c.id;
            d.ClickButton(kIdOk);
        });
        ASSERT_EQ(dialog.DoModal(), kIdOk);
        int noteValue = 0;
        int perMinute = 0;
        dialog.GetTempo(noteValue, perMinute);
        EXPECT_EQ(noteValue, c.ticks) << c.id;
    }
}

TEST_F(TempoMarkTest, PopupListIsSetUpAndPlacedUnderTheButton)
{
    CTempoMarkDlg dialog;
    script.AnswerModal([](DialogBase& d) {
        auto& dlg = static_cast<CTempoMarkDlg&>(d);
        brindle::CPopupListWnd* popup = dlg.Popup();
        ASSERT_NE(popup, nullptr);
        EXPECT_TRUE(popup->isHidden());
        EXPECT_EQ(popup->size(), QSize(40, 110));
        EXPECT_EQ(popup->pos(), QPoint(100, 100));
        EXPECT_EQ(popup->RowHeight(), 22);
        EXPECT_EQ(popup->Font(), brindle::SignatureLogFont());
        ASSERT_EQ(popup->Items().size(), 5u);
        EXPECT_EQ(popup->Items()[0].text, u"O");
        EXPECT_EQ(popup->Items()[0].id, 1);
        EXPECT_EQ(popup->Items()[4].text, u"S");
        EXPECT_EQ(popup->Items()[4].id, 5);
        d.ClickButton(CTempoMarkDlg::kIdNoteButton);
        QWidget* button = d.GetDlgItem(CTempoMarkDlg::kIdNoteButton);
        EXPECT_FALSE(popup->isHidden());
        EXPECT_EQ(popup->pos(), button->mapToGlobal(QPoint(0, button->height())));
        EXPECT_EQ(popup->size(), QSize(40, 110));
        // A press on the first row posts its id to the dialog.
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(20, 5), QPointF(20, 5), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(popup, &press);
        ProcessPostedMessages();
        EXPECT_TRUE(popup->isHidden());
        EXPECT_EQ(d.GetDlgItemText(CTempoMarkDlg::kIdNoteButton), u"O");
        d.ClickButton(kIdOk);
    });
    ASSERT_EQ(dialog.DoModal(), kIdOk);
    int noteValue = 0;
    int perMinute = 0;
    dialog.GetTempo(noteValue, perMinute);
    EXPECT_EQ(noteValue, 645120);
}

TEST_F(TempoMarkTest, SpeedOutsideFortyToTwoHundredFiftyIsRefusedAtOk)
{
    struct Case {
        std::u16string text;
        bool accepted;
        int perMinute;
    };
    for (const Case& c : {Case{u"40", true, 40}, Case{u"250", true, 250}, Case{u"39", false, 0},
                          Case{u"251", false, 0}, Case{u"", false, 0}}) {
        const std::size_t before = script.MessageBoxes().size();
        CTempoMarkDlg dialog;
        script.AnswerModal([&](DialogBase& d) {
            // Text put in by code passes the key filter: the confirmation checks it.
            d.Control<brindle::CNumEdit>(CTempoMarkDlg::kIdPerMinuteEdit)->setText(QString::fromStdU16String(c.text));
            d.ClickButton(kIdOk);
            if (!c.accepted) {
                EXPECT_FALSE(d.IsEnded());
                d.ClickButton(kIdCancel);
            }
        });
        EXPECT_EQ(dialog.DoModal(), c.accepted ? kIdOk : kIdCancel) << std::string(c.text.begin(), c.text.end());
        EXPECT_EQ(script.MessageBoxes().size(), before + (c.accepted ? 0 : 1));
        if (c.accepted) {
            int noteValue = 0;
            int perMinute = 0;
            dialog.GetTempo(noteValue, perMinute);
            EXPECT_EQ(perMinute, c.perMinute);
        }
    }
}

TEST_F(TempoMarkTest, SpinButtonsStayInRange)
{
    CTempoMarkDlg dialog;
    script.AnswerModal([](DialogBase& d) {
        auto* spin = d.Control<brindle::CNumSpinCtrl>(CTempoMarkDlg::kIdPerMinuteSpin);
        spin->SetPos(249);
        spin->Step(1);
        spin->Step(1);
        EXPECT_EQ(d.GetDlgItemText(CTempoMarkDlg::kIdPerMinuteEdit), u"250");
        d.ClickButton(kIdOk);
    });
    ASSERT_EQ(dialog.DoModal(), kIdOk);
    int noteValue = 0;
    int perMinute = 0;
    dialog.GetTempo(noteValue, perMinute);
    EXPECT_EQ(perMinute, 250);
}

using TempoTextTest = ValueDialogTest;

TEST_F(TempoTextTest, OffersTheExpressionWordsAndReturnsWhatIsTyped)
{
    TestFolder data;
    data.Name("Expression File", "settings\\Expression.ini");
    data.Write("settings/Expression.ini", "[EXPRESSION STYLE]\r\nCount=3\r\nItem 0=快板\r\nItem 1=慢板\r\nItem 2=中板\r\n");
    struct Case {
        int pick;  // -1: type
        std::u16string typed;
        std::u16string text;
    };
    for (const Case& c : {Case{1, u"", u"慢板"}, Case{-1, u"稍快的行板", u"稍快的行板"}, Case{-1, u"", u""}}) {
        CTempoTextDlg dialog;
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("添加速度表情标记"));
        dialog.SetDataFolder(data.Data());
        script.AnswerModal([&](DialogBase& d) {
            auto* box = d.Control<QComboBox>(CTempoTextDlg::kIdTextBox);
            ASSERT_EQ(box->count(), 3);
            EXPECT_EQ(box->itemText(0), QStringLiteral("快板"));
            EXPECT_EQ(box->itemText(2), QStringLiteral("中板"));
            EXPECT_EQ(box->currentText(), QString());  // nothing chosen yet
            if (c.pick >= 0)
                box->setCurrentIndex(c.pick);
            else
                box->setEditText(QString::fromStdU16String(c.typed));
            d.ClickButton(kIdOk);
        });
        ASSERT_EQ(dialog.DoModal(), kIdOk);
        EXPECT_EQ(dialog.GetText(), c.text);
    }
}

TEST_F(TempoTextTest, MissingExpressionFileGivesAnEmptyList)
{
    TestFolder data;
    data.Name("Option File Name", "settings\\Option.ini");
    CTempoTextDlg dialog;
    dialog.SetDataFolder(data.Data());
    script.AnswerModal([](DialogBase& d) {
        EXPECT_EQ(d.Control<QComboBox>(CTempoTextDlg::kIdTextBox)->count(), 0);
        d.SetDlgItemText(CTempoTextDlg::kIdTextBox, u"Allegro");
        d.ClickButton(kIdOk);
    });
    ASSERT_EQ(dialog.DoModal(), kIdOk);
    EXPECT_EQ(dialog.GetText(), u"Allegro");
}

}  // namespace

namespace {

TEST_F(BeatDialogTest, EscapeCancelsTheDialogWithoutACancelButton)
{
    CBeatDlg dialog;
    script.AnswerModal([](DialogBase& d) {
        d.SetDlgItemText(CBeatDlg::kIdBeatsBox, u"7");
        d.show();
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(&d, &escape);
        EXPECT_TRUE(d.IsEnded());
        d.hide();
    });
    EXPECT_EQ(dialog.DoModal(), kIdCancel);
    EXPECT_EQ(dialog.GetBeats(), 4);
}

TEST_F(TempoMarkTest, ClickOnTheButtonOfAShownPopupFocusesIt)
{
    CTempoMarkDlg dialog;
    script.AnswerModal([](DialogBase& d) {
        auto* popup = static_cast<CTempoMarkDlg&>(d).Popup();
        d.ClickButton(CTempoMarkDlg::kIdNoteButton);
        const QPoint placed = popup->pos();
        popup->move(placed + QPoint(30, 30));
        d.ClickButton(CTempoMarkDlg::kIdNoteButton);
        // Still shown where it is: a second click does not move it.
        EXPECT_FALSE(popup->isHidden());
        EXPECT_EQ(popup->pos(), placed + QPoint(30, 30));
        popup->hide();
        d.ClickButton(kIdCancel);
    });
    EXPECT_EQ(dialog.DoModal(), kIdCancel);
}

}  // namespace
