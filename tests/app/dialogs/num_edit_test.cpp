// The number field: what each keystroke does to the text, the decimal places it learns,
// the classification of texts, and the checks of text that arrives past the key filter
// (pasting, Delete, Cut) on every edit and when the dialog is confirmed.
#include "app/dialogs/num_edit.h"

#include "dialog_test_util.h"
#include "platform/data_exchange.h"
#include "platform/scripted_dialog_service.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>

namespace {

using brindle::CNumEdit;
using brindle::test::Chord;
using brindle::test::ProcessEvents;
using brindle::test::SendKey;
using brindle::test::Type;

constexpr float kFloatMax = std::numeric_limits<float>::max();

// A shown window holding one number field with the focus.
class NumEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window_ = std::make_unique<QWidget>();
        edit_ = new CNumEdit(window_.get());
        edit_->resize(120, 24);
        ASSERT_TRUE(brindle::test::ShowActive(*window_));
        edit_->setFocus();
        ASSERT_TRUE(edit_->hasFocus());
    }

    // A fresh field in place of the one there, with the focus.
    void Renew()
    {
        delete edit_;
        edit_ = new CNumEdit(window_.get());
        edit_->resize(120, 24);
        edit_->show();
        edit_->setFocus();
    }

    QString Text() const { return edit_->text(); }
    bool AllSelected() const { return !edit_->text().isEmpty() && edit_->selectedText() == edit_->text(); }

    std::unique_ptr<QWidget> window_;
    CNumEdit* edit_ = nullptr;
};

TEST_F(NumEditTest, KeystrokeTable)
{
    struct Case {
        const char* name;
        float minimum;
        float maximum;
        const char16_t* start;  // the text before typing, cursor at the end
        const char16_t* keys;
        const char16_t* text;   // the text after
        bool selected;          // the whole text selected (a refused key)
    };
    const Case cases[] = {
        {"digit in range", 0, 100, u"1", u"2", u"12", false},
        {"space is swallowed", 0, 100, u"12", u" ", u"12", false},
        {"space in an empty field", 0, 100, u"", u" ", u"", false},
        {"letter restores", 0, 100, u"12", u"x", u"12", true},
        {"above the maximum restores", 0, 100, u"12", u"5", u"12", true},
        {"below the minimum restores", 10, 100, u"", u"5", u"10", true},
        {"lone minus stays", -kFloatMax, kFloatMax, u"", u"-", u"-", false},
        {"lone plus stays", -kFloatMax, kFloatMax, u"", u"+", u"+", false},
        {"minus then digits", -100, 100, u"", u"-42", u"-42", false},
        {"backspace that empties restores", 0, 100, u"5", u"\b", u"5", true},
        {"backspace that leaves a number", 0, 100, u"57", u"\b", u"5", false},
        {"second point restores", 0, 100, u"2.5", u".", u"2.5", true},
        {"exponent letter alone restores", 0, 1e6f, u"2", u"e", u"2", true},
        {"fraction", 0, 100, u"", u"2.25", u"2.25", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Renew();  // the decimal places learnt stay with a field
        edit_->SetRange(c.minimum, c.maximum);
        edit_->setText(QString::fromUtf16(c.start));
        edit_->end(false);
        Type(QString::fromUtf16(c.keys));
        ProcessEvents();  // lets the field take typing again after a refusal
        EXPECT_EQ(Text(), QString::fromUtf16(c.text));
        EXPECT_EQ(AllSelected(), c.selected);
    }
}

TEST_F(NumEditTest, LoneMinusReadsAsTheMinimum)
{
    edit_->SetRange(-5, 5);
    edit_->setText(QString());
    Type(QStringLiteral("-"));
    EXPECT_EQ(Text(), QStringLiteral("-"));
    EXPECT_EQ(edit_->Verify(), CNumEdit::kLoneSign);
    EXPECT_EQ(edit_->GetValue(), -5.0f);
}

TEST_F(NumEditTest, RefusedKeyDropsTheKeysTypedAhead)
{
    edit_->SetRange(0, 1000);
    ASSERT_TRUE(edit_->SetValue(12));
    edit_->end(false);
    // A fast burst: the keys wait in the queue while the first is handled.
    for (const QChar c : QStringLiteral("x78"))
        QCoreApplication::postEvent(edit_, new QKeyEvent(QEvent::KeyPress, brindle::test::KeyOf(c),
                                                         Qt::NoModifier, QString(c)));
    ProcessEvents();
    EXPECT_EQ(Text(), QStringLiteral("12"));
    EXPECT_TRUE(AllSelected());

    // Typing later is taken again.
    edit_->end(false);
    Type(QStringLiteral("3"));
    EXPECT_EQ(Text(), QStringLiteral("123"));
}

TEST_F(NumEditTest, DecimalPlacesOnlyGrow)
{
    ASSERT_TRUE(edit_->SetValue(2.5f));
    EXPECT_EQ(Text(), QStringLiteral("2.5"));
    ASSERT_TRUE(edit_->SetValue(3));
    EXPECT_EQ(Text(), QStringLiteral("3.0"));

    CNumEdit other;
    ASSERT_TRUE(other.SetValue(2.25f));
    ASSERT_TRUE(other.SetValue(3));
    EXPECT_EQ(other.text(), QStringLiteral("3.00"));
    // Six significant digits decide: 1234.5678 counts as two places.
    CNumEdit wide;
    EXPECT_EQ(wide.GetFormatString(1234.5678f), u"%.2f");
    EXPECT_EQ(wide.GetFormatString(7), u"%.2f");
    EXPECT_EQ(wide.DecimalPlaces(), 2u);
}

TEST_F(NumEditTest, TypedFractionTeachesThePlaces)
{
    edit_->setText(QString());
    Type(QStringLiteral("1.75"));
    ASSERT_TRUE(edit_->SetValue(4));
    EXPECT_EQ(Text(), QStringLiteral("4.00"));
}

TEST_F(NumEditTest, SetValueOutsideTheRangeLeavesTheText)
{
    edit_->SetRange(1, 10);
    ASSERT_TRUE(edit_->SetValue(7));
    EXPECT_FALSE(edit_->SetValue(11));
    EXPECT_FALSE(edit_->SetValue(0.5f));
    EXPECT_FALSE(edit_->SetValue(std::numeric_limits<float>::quiet_NaN()));
    EXPECT_EQ(Text(), QStringLiteral("7"));
    EXPECT_TRUE(edit_->SetValue(10));
    EXPECT_EQ(edit_->GetValue(), 10.0f);
}

TEST_F(NumEditTest, NarrowedRangeKeepsTheTextUntilTheNextChange)
{
    ASSERT_TRUE(edit_->SetValue(50));
    edit_->SetRange(1, 20);
    EXPECT_EQ(Text(), QStringLiteral("50"));
    EXPECT_EQ(edit_->Verify(), CNumEdit::kOutOfRange);
    EXPECT_EQ(edit_->GetValue(), 1.0f);  // a text out of range reads as the minimum
    edit_->ChangeValue(-1);
    EXPECT_EQ(Text(), QStringLiteral("1"));
}

TEST(NumEditClassify, Texts)
{
    struct Case {
        const char16_t* text;
        int verdict;
        float value;
    };
    const Case cases[] = {
        {u"12", CNumEdit::kValid, 12},
        {u"  12  ", CNumEdit::kValid, 12},
        {u"+7", CNumEdit::kValid, 7},
        {u"-0.5", CNumEdit::kValid, -0.5f},
        {u"1.", CNumEdit::kValid, 1},
        {u".5", CNumEdit::kValid, 0.5f},
        {u"1e3", CNumEdit::kValid, 1000},
        {u"2.5E-1", CNumEdit::kValid, 0.25f},
        {u"1e-60", CNumEdit::kValid, 0},
        {u"3.4028235e38", CNumEdit::kValid, kFloatMax},
        {u"1e39", CNumEdit::kOutOfRange, 0},
        {u"-1e39", CNumEdit::kOutOfRange, 0},
        {u"+", CNumEdit::kLoneSign, 0},
        {u"-", CNumEdit::kLoneSign, 0},
        {u" -", CNumEdit::kNotNumber, 0},
        {u"", CNumEdit::kNotNumber, 0},
        {u".", CNumEdit::kNotNumber, 0},
        {u"1e", CNumEdit::kNotNumber, 0},
        {u"5 x", CNumEdit::kNotNumber, 0},
        {u"12abc", CNumEdit::kNotNumber, 0},
        {u"abc", CNumEdit::kNotNumber, 0},
        {u"- 5", CNumEdit::kNotNumber, 0},
        // Only decimal numbers: nothing that reads as a value that is not a number.
        {u"nan", CNumEdit::kNotNumber, 0},
        {u"inf", CNumEdit::kNotNumber, 0},
        {u"0x10", CNumEdit::kNotNumber, 0},
        {u"２", CNumEdit::kNotNumber, 0},  // a full-width digit
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.text).toStdString());
        float value = -1;
        EXPECT_EQ(CNumEdit::Classify(c.text, -kFloatMax, kFloatMax, &value), c.verdict);
        if (c.verdict == CNumEdit::kValid) {
            EXPECT_EQ(value, c.value);
        }
    }
    EXPECT_EQ(CNumEdit::Classify(u"100", 1, 100), CNumEdit::kValid);
    EXPECT_EQ(CNumEdit::Classify(u"100.5", 1, 100), CNumEdit::kOutOfRange);
    EXPECT_EQ(CNumEdit::Classify(u"0", 1, 100), CNumEdit::kOutOfRange);
}

TEST_F(NumEditTest, VerboseFieldExplainsARefusal)
{
    platform::ScriptedDialogService service;
    platform::ScopedDialogService scope(service);
    edit_->SetVerbose(1);
    edit_->SetRange(0, 100);
    ASSERT_TRUE(edit_->SetValue(12));
    edit_->end(false);
    Type(QStringLiteral("x"));
    ProcessEvents();
    edit_->end(false);
    Type(QStringLiteral("9"));
    ProcessEvents();
    ASSERT_GE(service.MessageBoxes().size(), 2u);
    EXPECT_EQ(service.MessageBoxes()[0].text, CNumEdit::kMsgNotNumber);
    EXPECT_EQ(service.MessageBoxes()[0].type, platform::kMbOk | platform::kMbIconStop);
    EXPECT_EQ(service.MessageBoxes().back().text, CNumEdit::kMsgOutOfRange);
    EXPECT_EQ(Text(), QStringLiteral("12"));

    // Silent by default.
    platform::ScriptedDialogService quiet;
    platform::ScopedDialogService quietScope(quiet);
    edit_->SetVerbose(0);
    edit_->end(false);
    Type(QStringLiteral("x"));
    EXPECT_TRUE(quiet.MessageBoxes().empty());
}

TEST_F(NumEditTest, DigitsOnlyBeepsAtOtherCharacters)
{
    brindle::test::RecordingBeep beep;
    brindle::ScopedBeepService scope(beep);
    edit_->SetDigitsOnly(true);
    edit_->SetRange(0, 1000);
    ASSERT_TRUE(edit_->SetValue(10));
    edit_->end(false);
    Type(QStringLiteral(".5-"));
    EXPECT_EQ(Text(), QStringLiteral("105"));
    EXPECT_EQ(beep.beeps.size(), 2u);
    Type(QStringLiteral("\b"));
    EXPECT_EQ(Text(), QStringLiteral("10"));
}

// Text that comes in past the key filter is checked once the change is made.
TEST_F(NumEditTest, PasteDeleteAndCutAreCheckedOnEveryEdit)
{
    struct Case {
        const char* name;
        float minimum;
        float maximum;
        const char16_t* start;
        int selectFrom;  // -1: cursor at the end, nothing selected
        int selectLength;
        const char16_t* clipboard;  // null: the key is not a paste
        int key;
        Qt::KeyboardModifiers modifiers;
        const char16_t* text;
        bool selected;
    };
    const Case cases[] = {
        {"paste of letters", 0, 100, u"50", -1, 0, u"abc", Qt::Key_V, Qt::ControlModifier, u"50", true},
        {"paste above the maximum", 0, 100, u"50", -1, 0, u"0", Qt::Key_V, Qt::ControlModifier, u"50", true},
        {"paste of a number over the text", 0, 100, u"50", 0, 2, u"99", Qt::Key_V, Qt::ControlModifier, u"99",
         false},
        {"shift+insert paste", 0, 100, u"50", -1, 0, u"x", Qt::Key_Insert, Qt::ShiftModifier, u"50", true},
        {"delete below the minimum", 10, 100, u"50", 0, 1, nullptr, Qt::Key_Delete, Qt::NoModifier, u"50", true},
        {"delete that empties", 10, 100, u"50", 0, 2, nullptr, Qt::Key_Delete, Qt::NoModifier, u"50", true},
        {"delete leaving a number", 0, 100, u"50", 1, 1, nullptr, Qt::Key_Delete, Qt::NoModifier, u"5", false},
        {"delete leaving a lone sign", -10, 10, u"-5", 1, 1, nullptr, Qt::Key_Delete, Qt::NoModifier, u"-", false},
        {"cut of everything", 0, 100, u"50", 0, 2, nullptr, Qt::Key_X, Qt::ControlModifier, u"50", true},
        {"cut making it too small", 20, 100, u"25", 0, 1, nullptr, Qt::Key_X, Qt::ControlModifier, u"25", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Renew();
        edit_->SetRange(c.minimum, c.maximum);
        edit_->setText(QString::fromUtf16(c.start));
        if (c.selectFrom < 0)
            edit_->end(false);
        else
            edit_->setSelection(c.selectFrom, c.selectLength);
        if (c.clipboard)
            QGuiApplication::clipboard()->setText(QString::fromUtf16(c.clipboard));
        Chord(c.key, c.modifiers);
        EXPECT_EQ(Text(), QString::fromUtf16(c.text));
        EXPECT_EQ(AllSelected(), c.selected);
    }
}

TEST_F(NumEditTest, UndoBackToARefusedTextIsRefused)
{
    edit_->SetRange(0, 100);
    edit_->setText(QString());
    Type(QStringLiteral("7"));  // "" -> "7" is on the undo stack
    ASSERT_EQ(Text(), QStringLiteral("7"));
    Chord(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(), QStringLiteral("7"));
}

// The dialog confirms a field only when its text is a number in its range.
class NumberDialog : public platform::DialogBase {
public:
    static constexpr int kCountId = 1072;

    NumberDialog() : DialogBase(nullptr, 157)
    {
        edit = new CNumEdit(this);
        AddControl(kCountId, edit);
        AddControl(platform::kIdOk, new QPushButton(QStringLiteral("确定"), this));
    }

    CNumEdit* edit;
    int count = 5;

protected:
    void DoDataExchange(platform::DataExchange& dx) override
    {
        dx.Int(kCountId, count);
        brindle::VerifyNumEdit(dx, kCountId);
    }
};

TEST(NumEditAtOk, RefusesTextOutsideTheRange)
{
    struct Case {
        const char* name;
        const char16_t* text;  // put in by code, past every check of typing
        float minimum;
        float maximum;
        bool ends;
        std::u16string message;
    };
    const Case cases[] = {
        {"in range", u"12", 1, 100, true, u""},
        {"above the range", u"500", 1, 100, false, u"请输入一个介于 1 和 100 之间的数字。"},
        {"below a fractional range", u"0", 0.5f, 2.5f, false, u"请输入一个介于 0.5 和 2.5 之间的数字。"},
        {"not an integer", u"abc", 1, 100, false, std::u16string(platform::kMsgNotInteger)},
        {"lone sign", u"-", 1, 100, false, std::u16string(platform::kMsgNotInteger)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform::ScriptedDialogService service;
        platform::ScopedDialogService scope(service);
        NumberDialog dialog;
        dialog.edit->SetRange(c.minimum, c.maximum);
        dialog.SetDlgItemText(NumberDialog::kCountId, c.text);
        dialog.ClickButton(platform::kIdOk);
        EXPECT_EQ(dialog.IsEnded(), c.ends);
        if (c.ends) {
            EXPECT_TRUE(service.MessageBoxes().empty());
        } else {
            ASSERT_EQ(service.MessageBoxes().size(), 1u);
            EXPECT_EQ(service.MessageBoxes()[0].text, c.message);
        }
    }
}

TEST(NumEditAtOk, NarrowedRangeIsCaughtAndTheFieldFocused)
{
    platform::ScriptedDialogService service;
    platform::ScopedDialogService scope(service);
    NumberDialog dialog;
    auto* other = new QLineEdit(&dialog);
    dialog.edit->SetRange(1, 1000);
    ASSERT_TRUE(dialog.edit->SetValue(50));
    ASSERT_TRUE(brindle::test::ShowActive(dialog));
    other->setFocus();
    dialog.edit->SetRange(1, 20);
    dialog.ClickButton(platform::kIdOk);
    EXPECT_FALSE(dialog.IsEnded());
    ASSERT_EQ(service.MessageBoxes().size(), 1u);
    EXPECT_EQ(service.MessageBoxes()[0].text, u"请输入一个介于 1 和 20 之间的数字。");
    EXPECT_TRUE(dialog.edit->hasFocus());
    EXPECT_EQ(dialog.edit->selectedText(), QStringLiteral("50"));

    ASSERT_TRUE(dialog.edit->SetValue(20));
    dialog.ClickButton(platform::kIdOk);
    EXPECT_TRUE(dialog.IsEnded());
    EXPECT_EQ(dialog.count, 20);
}

TEST(NumEditAtOk, LoadingAndOtherControlsAreLeftAlone)
{
    platform::ScriptedDialogService service;
    platform::ScopedDialogService scope(service);
    NumberDialog dialog;
    dialog.edit->SetRange(1, 3);
    // Loading shows the member even outside the range; the check waits for OK.
    EXPECT_TRUE(dialog.UpdateData(false));
    EXPECT_EQ(dialog.edit->text(), QStringLiteral("5"));
    platform::DataExchange dx(dialog, true);
    brindle::VerifyNumEdit(dx, 9999);  // no such control
    EXPECT_FALSE(dx.Failed());
    EXPECT_TRUE(service.MessageBoxes().empty());
}

}  // namespace
