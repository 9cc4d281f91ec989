// The dialog base with data exchange, run through the scripted dialog service: values
// round-trip, bad entries are refused with the fixed messages and the dialog stays open,
// nested modal dialogs take the next script step, numbers ignore the user's locale.
#include "platform/data_exchange.h"
#include "platform/dialog_base.h"
#include "platform/scripted_dialog_service.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <sstream>
#include <string>

namespace {

using platform::DataExchange;
using platform::DialogBase;
using platform::ScriptedDialogService;
using platform::kIdCancel;
using platform::kIdOk;

enum : int {
    kCount = 1001,
    kSize = 1002,
    kScale = 1003,
    kName = 1004,
    kScopeFirst = 1010,  // three radio buttons 1010-1012
    kShowAll = 1020,
    kPaper = 1030,
    kList = 1031,
    kMoreButton = 1040,
};

// A dialog with one field of every kind and the buttons of a modal dialog.
class SampleDialog : public DialogBase {
public:
    explicit SampleDialog(QWidget* parent = nullptr) : DialogBase(parent, 999)
    {
        AddControl(kCount, new QLineEdit(this));
        AddControl(kSize, new QLineEdit(this));
        AddControl(kScale, new QLineEdit(this));
        AddControl(kName, new QLineEdit(this));
        for (int i = 0; i < 3; ++i)
            AddControl(kScopeFirst + i, new QRadioButton(this));
        AddControl(kShowAll, new QCheckBox(this));
        auto* paper = new QComboBox(this);
        paper->addItems({QStringLiteral("A4"), QStringLiteral("A5"), QStringLiteral("B5")});
        AddControl(kPaper, paper);
        auto* list = new QListWidget(this);
        list->addItems({QStringLiteral("一"), QStringLiteral("二")});
        AddControl(kList, list);
        AddControl(kIdOk, new QPushButton(QStringLiteral("确定"), this));
        AddControl(kIdCancel, new QPushButton(QStringLiteral("取消"), this));
    }

    int count = 4;
    unsigned size = 12;
    double scale = 2.5;
    std::u16string name = u"简谱";
    int scope = 1;
    int showAll = 1;
    int paper = 2;
    int row = 1;
    int initCalls = 0;

protected:
    bool OnInitDialog() override
    {
        ++initCalls;
        return DialogBase::OnInitDialog();
    }
    void DoDataExchange(DataExchange& dx) override
    {
        dx.Int(kCount, count);
        dx.MinMaxInt(count, 1, 100);
        dx.Unsigned(kSize, size);
        dx.Double(kScale, scale);
        dx.MinMaxDouble(scale, 0.5, 4.0);
        dx.Text(kName, name);
        dx.MaxChars(name, 10);
        dx.Radio(kScopeFirst, scope);
        dx.Check(kShowAll, showAll);
        dx.ComboIndex(kPaper, paper);
        dx.ListIndex(kList, row);
    }
};

class DialogBaseTest : public ::testing::Test {
protected:
    ScriptedDialogService script;
    platform::ScopedDialogService inForce{script};
};

TEST_F(DialogBaseTest, ASampleDialogRoundTripsEveryKindOfValue)
{
    SampleDialog dialog;
    script.AnswerModal([](DialogBase& d) {
        // The members reached the controls.
        EXPECT_EQ(d.GetDlgItemText(kCount), u"4");
        EXPECT_EQ(d.GetDlgItemText(kSize), u"12");
        EXPECT_EQ(d.GetDlgItemText(kScale), u"2.5");
        EXPECT_EQ(d.GetDlgItemText(kName), u"简谱");
        EXPECT_EQ(d.IsDlgButtonChecked(kScopeFirst + 1), 1);
        EXPECT_EQ(d.IsDlgButtonChecked(kScopeFirst), 0);
        EXPECT_EQ(d.IsDlgButtonChecked(kShowAll), 1);
        EXPECT_EQ(d.Control<QComboBox>(kPaper)->currentIndex(), 2);
        EXPECT_EQ(d.Control<QListWidget>(kList)->currentRow(), 1);
        // The user changes everything and presses OK.
        d.SetDlgItemText(kCount, u" 17 ");
        d.SetDlgItemText(kSize, u"4000000000");
        d.SetDlgItemText(kScale, u"0.75");
        d.SetDlgItemText(kName, u"新的名字");
        d.CheckDlgButton(kScopeFirst + 2, 1);
        d.CheckDlgButton(kShowAll, 0);
        d.Control<QComboBox>(kPaper)->setCurrentIndex(0);
        d.Control<QListWidget>(kList)->setCurrentRow(0);
        d.ClickButton(kIdOk);
    });
    ASSERT_EQ(dialog.DoModal(), kIdOk);
    EXPECT_EQ(dialog.initCalls, 1);
    EXPECT_EQ(dialog.count, 17);
    EXPECT_EQ(dialog.size, 4000000000u);
    EXPECT_DOUBLE_EQ(dialog.scale, 0.75);
    EXPECT_EQ(dialog.name, u"新的名字");
    EXPECT_EQ(dialog.scope, 2);
    EXPECT_EQ(dialog.showAll, 0);
    EXPECT_EQ(dialog.paper, 0);
    EXPECT_EQ(dialog.row, 0);
    EXPECT_TRUE(script.MessageBoxes().empty());
}

TEST_F(DialogBaseTest, CancelKeepsTheMembersAndAScriptThatLeavesTheDialogOpenCancelsIt)
{
    SampleDialog dialog;
    script.AnswerModal([](DialogBase& d) {
        d.SetDlgItemText(kCount, u"50");
        d.ClickButton(kIdCancel);
    });
    script.AnswerModal([](DialogBase& d) { d.SetDlgItemText(kCount, u"60"); });
    EXPECT_EQ(dialog.DoModal(), kIdCancel);
    EXPECT_EQ(dialog.count, 4);
    EXPECT_EQ(dialog.DoModal(), kIdCancel);
    EXPECT_EQ(dialog.count, 4);
    EXPECT_EQ(dialog.initCalls, 2);
    EXPECT_EQ(script.UnfinishedDialogs(), 1);
    // Without a step a dialog is cancelled too.
    EXPECT_EQ(dialog.DoModal(), kIdCancel);
    EXPECT_EQ(script.ModalCount(), 3);
}

TEST_F(DialogBaseTest, BadEntriesAreRefusedWithTheFixedMessageAndTheDialogStaysOpen)
{
    struct Case {
        int control;
        std::u16string text;
        std::u16string message;
    };
    const Case cases[] = {
        {kCount, u"abc", u"请输入一个整数。"},
        {kCount, u"12a", u"请输入一个整数。"},
        {kCount, u"1.5", u"请输入一个整数。"},
        {kCount, u"", u"请输入一个整数。"},
        {kCount, u"99999999999", u"请输入一个整数。"},
        {kCount, u"0", u"请输入一个介于 1 和 100 之间的整数。"},
        {kCount, u"101", u"请输入一个介于 1 和 100 之间的整数。"},
        {kSize, u"-1", u"请输入一个正整数。"},
        {kSize, u"4294967296", u"请输入一个正整数。"},
        {kScale, u"2,5", u"请输入一个数字。"},
        {kScale, u"inf", u"请输入一个数字。"},
        {kScale, u"0x10", u"请输入一个数字。"},
        {kScale, u"5", u"请输入一个介于 0.5 和 4 之间的数字。"},
        {kName, u"十一个字的名字还太长了", u"输入的文字不能超过 10 个字符。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.control) + " " + std::string(c.text.begin(), c.text.end()));
        ScriptedDialogService local;
        platform::ScopedDialogService scoped(local);
        SampleDialog dialog;
        bool stayedOpen = false;
        local.AnswerModal([&](DialogBase& d) {
            d.SetDlgItemText(kName, u"短");  // a later field, so its member shows whether the pass stopped
            d.SetDlgItemText(c.control, c.text);
            d.ClickButton(kIdOk);
            stayedOpen = !d.IsEnded();
            ASSERT_EQ(local.MessageBoxes().size(), 1u);
            EXPECT_EQ(local.MessageBoxes()[0].text, c.message);
            EXPECT_EQ(local.MessageBoxes()[0].type & platform::kMbIconMask, platform::kMbIconExclamation);
            // The user mends the entry and the dialog closes.
            d.SetDlgItemText(c.control, c.control == kName ? u"短" : u"3");
            d.ClickButton(kIdOk);
        });
        EXPECT_EQ(dialog.DoModal(), kIdOk);
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(local.MessageBoxes().size(), 1u);
        EXPECT_EQ(dialog.name, u"短");
    }
}

TEST_F(DialogBaseTest, ARefusedFieldStopsThePassAndLaterMembersKeepTheirValues)
{
    SampleDialog dialog;
    script.AnswerModal([&](DialogBase& d) {
        d.SetDlgItemText(kCount, u"9");
        d.SetDlgItemText(kSize, u"x");
        d.SetDlgItemText(kScale, u"3");
        EXPECT_FALSE(d.UpdateData(true));
        d.ClickButton(kIdCancel);
    });
    EXPECT_EQ(dialog.DoModal(), kIdCancel);
    EXPECT_EQ(dialog.count, 9);        // before the refused field
    EXPECT_EQ(dialog.size, 12u);       // the refused field
    EXPECT_DOUBLE_EQ(dialog.scale, 2.5);  // after it
}

TEST_F(DialogBaseTest, TheRealButtonsAndTheEscapeKeyReachOkAndCancel)
{
    SampleDialog dialog;
    script.AnswerModal([](DialogBase& d) {
        d.SetDlgItemText(kCount, u"8");
        d.Control<QPushButton>(kIdOk)->click();
    });
    script.AnswerModal([](DialogBase& d) {
        d.SetDlgItemText(kCount, u"9");
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(&d, &escape);
    });
    EXPECT_EQ(dialog.DoModal(), kIdOk);
    EXPECT_EQ(dialog.count, 8);
    EXPECT_EQ(dialog.DoModal(), kIdCancel);
    EXPECT_EQ(dialog.count, 8);
    EXPECT_EQ(script.UnfinishedDialogs(), 0);
}

TEST(QtDialogServiceTest, AModalRunEndsWithTheCodeGivenToEndDialog)
{
    // The service of the running program, on a real event loop: a timer plays the user.
    SampleDialog dialog;
    QTimer::singleShot(0, &dialog, [&dialog] {
        dialog.SetDlgItemText(kCount, u"33");
        dialog.ClickButton(kIdOk);
    });
    EXPECT_EQ(platform::DialogService::Current().RunModal(dialog), kIdOk);
    EXPECT_EQ(dialog.count, 33);
    EXPECT_FALSE(dialog.isVisible());

    QTimer::singleShot(0, &dialog, [&dialog] { dialog.close(); });  // the close box
    EXPECT_EQ(dialog.DoModal(), kIdCancel);
}

// A dialog whose button opens another modal dialog and takes its value.
class OuterDialog : public SampleDialog {
public:
    OuterDialog()
    {
        AddControl(kMoreButton, new QPushButton(QStringLiteral("..."), this));
        MapCommand(kMoreButton, [this] {
            SampleDialog inner(this);
            innerResult = inner.DoModal();
            if (innerResult == kIdOk)
                SetDlgItemText(kName, inner.name);
        });
    }
    int innerResult = 0;
};

TEST_F(DialogBaseTest, ANestedModalDialogIsAnsweredByTheNextScriptStep)
{
    OuterDialog outer;
    std::vector<std::string> order;
    script.AnswerModal([&](DialogBase& d) {
        order.push_back("outer opened");
        d.ClickButton(kMoreButton);  // opens the inner dialog, answered by the next step
        order.push_back("inner closed");
        EXPECT_EQ(d.GetDlgItemText(kName), u"里面");
        d.ClickButton(kIdOk);
    });
    script.AnswerModal([&](DialogBase& d) {
        order.push_back("inner opened");
        EXPECT_EQ(d.parent(), &outer);
        d.SetDlgItemText(kName, u"里面");
        d.ClickButton(kIdOk);
    });
    EXPECT_EQ(outer.DoModal(), kIdOk);
    EXPECT_EQ(outer.innerResult, kIdOk);
    EXPECT_EQ(outer.name, u"里面");
    EXPECT_EQ(order, (std::vector<std::string>{"outer opened", "inner opened", "inner closed"}));
    EXPECT_EQ(script.ModalCount(), 2);
    EXPECT_EQ(script.PendingSteps(), 0u);
}

TEST_F(DialogBaseTest, ADialogEndedByItsInitialisationDoesNotRunItsStep)
{
    class Refusing : public DialogBase {
    protected:
        bool OnInitDialog() override
        {
            EndDialog(kIdCancel);
            return true;
        }
    } dialog;
    bool ran = false;
    script.AnswerModal([&](DialogBase&) { ran = true; });
    EXPECT_EQ(dialog.DoModal(), kIdCancel);
    EXPECT_FALSE(ran);
}

// Decimal commas for streams, as a German user's settings give them.
struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST_F(DialogBaseTest, NumbersAreTheSameUnderAGermanLocale)
{
    const std::locale previousGlobal = std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    const QLocale previousQt;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::string previousC = std::setlocale(LC_ALL, nullptr);
    // Only takes effect where the German locale is installed; the rest of the test holds
    // either way.
    const bool cLocaleGerman = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;

    std::ostringstream stream;
    stream << 2.5;
    EXPECT_EQ(stream.str(), "2,5");  // the stream does follow the locale...
    EXPECT_EQ(platform::FormatDouble(2.5), u"2.5");  // ...the dialogs' numbers do not
    double parsed = 0;
    EXPECT_TRUE(platform::ParseDouble(u"2.5", parsed));
    EXPECT_DOUBLE_EQ(parsed, 2.5);
    EXPECT_FALSE(platform::ParseDouble(u"2,5", parsed));

    SampleDialog dialog;
    script.AnswerModal([](DialogBase& d) {
        EXPECT_EQ(d.GetDlgItemText(kScale), u"2.5");
        d.SetDlgItemText(kScale, u"1.25");
        d.ClickButton(kIdOk);
    });
    EXPECT_EQ(dialog.DoModal(), kIdOk);
    EXPECT_DOUBLE_EQ(dialog.scale, 1.25);
    if (!cLocaleGerman)
        GTEST_LOG_(INFO) << "de_DE.UTF-8 is not installed; the C library's locale was not switched";

    std::setlocale(LC_ALL, previousC.c_str());
    QLocale::setDefault(previousQt);
    std::locale::global(previousGlobal);
}

TEST(DataExchangeTest, NumberTexts)
{
    struct Case {
        double value;
        std::u16string text;
    };
    const Case cases[] = {{2.5, u"2.5"}, {0.1, u"0.1"}, {-3, u"-3"}, {1e20, u"1e+20"}, {1.0 / 3, u"0.333333333333333"}};
    for (const Case& c : cases)
        EXPECT_EQ(platform::FormatDouble(c.value), c.text);
    int i = 0;
    EXPECT_TRUE(platform::ParseInt(u"\t-42 ", i));
    EXPECT_EQ(i, -42);
    EXPECT_TRUE(platform::ParseInt(u"+7", i));
    EXPECT_EQ(i, 7);
    EXPECT_FALSE(platform::ParseInt(u"- 7", i));
    EXPECT_FALSE(platform::ParseInt(u"７", i));  // a full-width digit is not a number here
    EXPECT_EQ(platform::FormatMessage(u"从 %1 到 %2", u"1", u"30"), u"从 1 到 30");
}

}  // namespace
