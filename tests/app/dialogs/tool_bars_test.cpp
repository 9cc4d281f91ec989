// The main window's toolbars: the tempo trackbar's moves posted to the main window, the
// font toolbar's places for its boxes, the size texts and how they are refused, the face
// picked by its first letters, and what reaches the main window.
#include "app/dialogs/flat_tool_bar.h"
#include "app/dialogs/font_change_record.h"
#include "app/dialogs/font_name_combo.h"
#include "app/dialogs/font_size_combo.h"
#include "app/dialogs/font_tool_bar.h"
#include "app/dialogs/slider_tool_bar.h"
#include "platform/frame_window_base.h"
#include "platform/scripted_dialog_service.h"
#include "tests/app/dialogs/dialog_test_util.h"

#include <QAbstractItemView>
#include <QAction>
#include <QLineEdit>
#include <QSlider>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using brindle::CFontNameCombo;
using brindle::CFontSizeCombo;
using brindle::CFontToolBar;
using brindle::FontChangeRecord;
using brindle::FontDesc;
using namespace brindle::test;

// A main window that keeps what its toolbars send it.
class RecordingFrame : public platform::FrameWindowBase {
public:
    RecordingFrame()
    {
        MapMessage(brindle::CSliderToolBar::kMsgTempo, [this](platform::WParam w, platform::LParam l) {
            tempos.push_back({w, l});
            return platform::LResult(0);
        });
        MapMessage(brindle::kMsgFontChange, [this](platform::WParam w, platform::LParam) {
            changes.push_back(*reinterpret_cast<const FontChangeRecord*>(w));
            return platform::LResult(0);
        });
        MapMessage(brindle::kWmNotify, [this](platform::WParam, platform::LParam l) {
            notifications.push_back(reinterpret_cast<const brindle::ToolBarNotify*>(l)->code);
            return platform::LResult(0);
        });
    }
    std::vector<std::pair<platform::WParam, platform::LParam>> tempos;
    std::vector<FontChangeRecord> changes;
    std::vector<int> notifications;
};

TEST(SliderToolBar, PostsTheUsersMovesToTheMainWindow)
{
    RecordingFrame frame;
    auto* bar = new brindle::CSliderToolBar(&frame);
    frame.addToolBar(bar);
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setTickPosition(QSlider::NoTicks);
    slider->setRange(brindle::CSliderToolBar::kMinimumTempo, brindle::CSliderToolBar::kMaximumTempo);
    slider->setValue(brindle::CSliderToolBar::kDefaultTempo);
    bar->addWidget(slider);
    ProcessEvents();
    EXPECT_TRUE(frame.tempos.empty()) << "the program's own setting is not posted";

    slider->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    slider->triggerAction(QAbstractSlider::SliderToMaximum);
    slider->setValue(80);
    ProcessEvents();
    using Posted = std::vector<std::pair<platform::WParam, platform::LParam>>;
    EXPECT_EQ(frame.tempos, (Posted{{101, 0}, {250, 0}}));
}

TEST(SliderToolBar, ASliderMadeOnTheToolBarIsWatchedToo)
{
    RecordingFrame frame;
    auto* bar = new brindle::CSliderToolBar(&frame);
    frame.addToolBar(bar);
    // Made with the toolbar as its parent: the toolbar hears of it before it is a slider.
    auto* slider = new QSlider(Qt::Horizontal, bar);
    slider->setRange(40, 250);
    slider->setValue(100);
    bar->addWidget(slider);
    frame.show();
    ProcessEvents();
    slider->triggerAction(QAbstractSlider::SliderPageStepSub);
    ProcessEvents();
    ASSERT_EQ(frame.tempos.size(), 1u);
    EXPECT_EQ(frame.tempos[0].first, static_cast<platform::WParam>(slider->value()));
}

TEST(FlatToolBar, MovingRepaintsWithoutMoving)
{
    QWidget parent;
    parent.resize(300, 200);
    auto* bar = new brindle::CFlatToolBar(&parent);
    bar->addAction(QStringLiteral("新建"));
    bar->move(10, 10);
    parent.show();
    ProcessEvents();
    bar->move(40, 60);
    ProcessEvents();
    EXPECT_EQ(bar->pos(), QPoint(40, 60));
    EXPECT_EQ(bar->metaObject()->className(), std::string("brindle::CFlatToolBar"));
}

TEST(FontSizeCombo, PointTextsAndTwips)
{
    struct Twips {
        int twips;
        const char16_t* text;
    };
    for (const Twips& c : {Twips{210, u"10.5"}, Twips{200, u"10"}, Twips{0, u"0"}, Twips{10, u"0.5"},
                           Twips{204, u"10"}, Twips{205, u"10.5"}, Twips{32760, u"1638"}, Twips{-1, u""}})
        EXPECT_EQ(CFontSizeCombo::TwipsToPointString(c.twips), c.text) << c.twips;

    struct Parse {
        const char16_t* text;
        int twips;
    };
    const Parse cases[] = {
        {u"10.5", 210},   {u" 10 ", 200},   {u"\t12\t", 240}, {u"", -1},      {u"  ", -1},
        {u"abc", -2},     {u"10a", -2},     {u"1 0", -2},     {u"-3", 0},     {u"0.5", 10},
        {u"1638", 32760}, {u"1638.5", 32770}, {u"+8", 160},   {u"-", -2},     {u"１０", -2},
        {u"1e999", 2147483647},
    };
    for (const Parse& c : cases)
        EXPECT_EQ(CFontSizeCombo::ParseTwips(c.text), c.twips) << QString::fromUtf16(c.text).toStdString();
}

class FontToolBarTest : public ::testing::Test {
protected:
    static std::vector<FontDesc> Faces()
    {
        return {{u"Times New Roman", FontDesc::kTrueType}, {u"Arial Black", FontDesc::kTrueType},
                {u"Arial", FontDesc::kTrueType},           {u"Ardour Sans", FontDesc::kTrueType},
                {u"宋体", FontDesc::kTrueType},             {u"@宋体", FontDesc::kTrueType},
                {u"Fixed", 0}};
    }

    void SetUp() override
    {
        bar_ = new CFontToolBar(&frame_, &Faces);
        for (int i = 0; i < 4; ++i)
            bar_->addSeparator();
        bar_->addAction(QStringLiteral("粗体"));
        bar_->addAction(QStringLiteral("斜体"));
        bar_->addAction(QStringLiteral("下划线"));
        bar_->PositionCombos();
        frame_.addToolBar(bar_);
        frame_.resize(800, 300);
        ASSERT_TRUE(ShowActive(frame_));
    }

    // Puts the focus into a box; what leaving the other box sent is forgotten.
    void Focus(QWidget* box)
    {
        box->setFocus();
        ProcessEvents();
        frame_.changes.clear();
        frame_.notifications.clear();
    }

    void SetSize(const QString& text)
    {
        Focus(bar_->SizeBox());
        bar_->SizeBox()->lineEdit()->selectAll();
        Type(text);
    }

    platform::ScriptedDialogService dialogs_;
    platform::ScopedDialogService scoped_{dialogs_};
    RecordingFrame frame_;
    CFontToolBar* bar_ = nullptr;
};

TEST_F(FontToolBarTest, BoxesTakeTheFirstAndThirdPlaces)
{
    const QList<QAction*> entries = bar_->actions();
    ASSERT_EQ(entries.size(), 7);
    EXPECT_EQ(bar_->widgetForAction(entries[0]), bar_->NameBox());
    EXPECT_TRUE(entries[1]->isSeparator());
    EXPECT_EQ(bar_->widgetForAction(entries[2]), bar_->SizeBox());
    EXPECT_TRUE(entries[3]->isSeparator());
    EXPECT_EQ(entries[4]->text(), QStringLiteral("粗体"));
    EXPECT_EQ(bar_->NameBox()->width(), 32 * bar_->AverageCharWidth());
    EXPECT_EQ(bar_->SizeBox()->width(), 10 * bar_->AverageCharWidth());
    EXPECT_EQ(bar_->NameBox()->height(), bar_->SizeBox()->height());
    EXPECT_TRUE(bar_->NameBox()->isVisible());
}

TEST_F(FontToolBarTest, StartsWithSongAndTenAndListsOutlineFacesSorted)
{
    EXPECT_EQ(bar_->NameBox()->GetTheText(), u"宋体");
    EXPECT_EQ(bar_->SizeBox()->GetTheText(), u"10");
    std::vector<std::u16string> listed;
    for (int i = 0; i < bar_->NameBox()->count(); ++i)
        listed.push_back(bar_->NameBox()->itemText(i).toStdU16String());
    // No vertical face, no bitmap face.
    ASSERT_EQ(listed.size(), 5u);
    EXPECT_EQ(listed[0], u"Ardour Sans");
    EXPECT_EQ(listed[1], u"Arial");
    EXPECT_EQ(listed[2], u"Arial Black");
    EXPECT_EQ(bar_->NameBox()->lineEdit()->maxLength(), 32);
    EXPECT_EQ(bar_->SizeBox()->lineEdit()->maxLength(), 4);
}

TEST_F(FontToolBarTest, TypingArSelectsAndSendsTheFirstFaceBeginningWithIt)
{
    Focus(bar_->NameBox());
    bar_->NameBox()->lineEdit()->selectAll();
    Type(QStringLiteral("Ar"));
    Chord(Qt::Key_Tab, Qt::NoModifier);
    ProcessEvents();
    EXPECT_EQ(QApplication::focusWidget(), bar_->SizeBox());
    EXPECT_EQ(bar_->NameBox()->GetTheText(), u"Ardour Sans");
    EXPECT_EQ(bar_->NameBox()->currentIndex(), 0);
    ASSERT_EQ(frame_.changes.size(), 1u);
    EXPECT_EQ(frame_.changes[0].kind, brindle::FontChangeKind::FaceName);
    EXPECT_EQ(frame_.changes[0].faceName, u"Ardour Sans");
    EXPECT_EQ(frame_.notifications.front(), CFontToolBar::kNotifyKillFocus);

    // A face that begins no entry is not sent.
    Focus(bar_->NameBox());
    bar_->NameBox()->lineEdit()->selectAll();
    Type(QStringLiteral("Zz"));
    bar_->ApplyFaceName();
    EXPECT_TRUE(frame_.changes.empty());
    EXPECT_EQ(bar_->NameBox()->GetTheText(), u"Zz");
}

TEST_F(FontToolBarTest, SizeTable)
{
    struct Case {
        QString text;
        int sent;  // points; -1 nothing sent
        std::u16string_view message;
    };
    const Case cases[] = {
        {QStringLiteral("10.5"), 10, {}},
        {QStringLiteral("0.5"), -1, CFontSizeCombo::kMsgOutOfRange},
        {QStringLiteral("1638"), 1638, {}},
        {QStringLiteral("1639"), -1, CFontSizeCombo::kMsgOutOfRange},
        {QStringLiteral("ab"), -1, CFontSizeCombo::kMsgNotANumber},
        {QStringLiteral("1"), 1, {}},
        {QString(), -1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        frame_.changes.clear();
        const std::size_t boxes = dialogs_.MessageBoxes().size();
        SetSize(c.text);
        if (c.text.isEmpty())
            Type(QStringLiteral("\b"));
        bar_->ApplySize();
        if (c.sent < 0) {
            EXPECT_TRUE(frame_.changes.empty());
        } else {
            ASSERT_EQ(frame_.changes.size(), 1u);
            EXPECT_EQ(frame_.changes[0].kind, brindle::FontChangeKind::Size);
            EXPECT_EQ(frame_.changes[0].size, c.sent);
        }
        if (c.message.empty()) {
            EXPECT_EQ(dialogs_.MessageBoxes().size(), boxes);
        } else {
            ASSERT_EQ(dialogs_.MessageBoxes().size(), boxes + 1);
            EXPECT_EQ(dialogs_.MessageBoxes().back().text, c.message);
            EXPECT_EQ(dialogs_.MessageBoxes().back().type, platform::kMbOk | platform::kMbIconInformation);
        }
        EXPECT_EQ(bar_->SizeBox()->currentText(), c.text) << "the text stays as typed";
    }
    // The box takes four characters; longer sizes are refused by the same rule.
    EXPECT_FALSE(CFontSizeCombo::IsRefused(CFontSizeCombo::ParseTwips(u"1638")));
    EXPECT_TRUE(CFontSizeCombo::IsRefused(CFontSizeCombo::ParseTwips(u"1638.5")));
    EXPECT_EQ(CFontSizeCombo::RefusalMessage(CFontSizeCombo::ParseTwips(u"1638.5")), CFontSizeCombo::kMsgOutOfRange);
}

TEST_F(FontToolBarTest, DropDownListsTheStandardSizesAndPutsBackTheLastGoodSize)
{
    CFontSizeCombo* size = bar_->SizeBox();
    bar_->FillSizeList();
    ASSERT_EQ(size->count(), 16) << "an outline face has the sixteen sizes";
    EXPECT_EQ(size->itemText(0), QStringLiteral("8"));
    EXPECT_EQ(size->itemText(15), QStringLiteral("72"));
    EXPECT_EQ(size->GetTheText(), u"10");
    EXPECT_EQ(size->Selected(), 2);
    EXPECT_EQ(size->LastTwips(), 200);

    // Letters: the message, then the last size.
    SetSize(QStringLiteral("ab"));
    bar_->FillSizeList();
    ASSERT_FALSE(dialogs_.MessageBoxes().empty());
    EXPECT_EQ(dialogs_.MessageBoxes().back().text, CFontSizeCombo::kMsgNotANumber);
    EXPECT_EQ(size->GetTheText(), u"10");

    // Out of range: the range message, then the last size.
    SetSize(QStringLiteral("2000"));
    bar_->FillSizeList();
    EXPECT_EQ(dialogs_.MessageBoxes().back().text, CFontSizeCombo::kMsgOutOfRange);
    EXPECT_EQ(size->GetTheText(), u"10");

    // A face not in the list: no sizes, the size typed stays.
    bar_->NameBox()->SetTheText(u"Unknown", true);
    SetSize(QStringLiteral("13"));
    bar_->FillSizeList();
    EXPECT_EQ(size->count(), 0);
    EXPECT_EQ(size->GetTheText(), u"13");
    EXPECT_EQ(size->LastTwips(), 260);
}

TEST(FontToolBarFirstDrop, LettersBeforeAnyGoodSizeGiveZero)
{
    platform::ScriptedDialogService dialogs;
    platform::ScopedDialogService scoped(dialogs);
    CFontSizeCombo size;
    size.SetTheText(u"xy", true);
    size.FillSizes(u"Arial", true);
    ASSERT_EQ(dialogs.MessageBoxes().size(), 1u);
    EXPECT_EQ(dialogs.MessageBoxes()[0].text, CFontSizeCombo::kMsgNotANumber);
    EXPECT_EQ(size.GetTheText(), u"0");
}

TEST_F(FontToolBarTest, EnterAndEscapeNotifyTheOwnerAndArrowsDropTheList)
{
    Focus(bar_->SizeBox());
    Chord(Qt::Key_Return, Qt::NoModifier);
    Chord(Qt::Key_Escape, Qt::NoModifier);
    EXPECT_EQ(frame_.notifications, (std::vector<int>{CFontToolBar::kNotifyReturn, CFontToolBar::kNotifyReturn}));
    EXPECT_TRUE(frame_.changes.empty());
    Chord(Qt::Key_Down, Qt::NoModifier);
    ProcessEvents();
    EXPECT_TRUE(bar_->SizeBox()->view()->isVisible());
    EXPECT_EQ(bar_->SizeBox()->count(), 16) << "the list was filled as it dropped";
    bar_->SizeBox()->hidePopup();
    ProcessEvents();
}

}  // namespace
