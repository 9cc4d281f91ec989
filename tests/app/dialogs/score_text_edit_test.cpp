// The in-place text box: what it takes from its item when shown and gives back when
// hidden, how it grows, the moves to the next and previous item, the press outside that
// ends the edit and still reaches the score, and pasting a text of several lines.
#include "app/dialogs/score_text_edit.h"
#include "platform/message_port.h"
#include "tests/app/dialogs/dialog_test_util.h"

#include <QClipboard>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using brindle::CScoreTextEdit;
using brindle::EditableTextItem;
using namespace brindle::test;

class FakeItem final : public EditableTextItem {
public:
    explicit FakeItem(std::u16string text) : EditableTextItem([] { return nullptr; }), text_(std::move(text))
    {
        font_.height = -20;
        font_.SetFaceName(u"Times New Roman");
    }
    void SetText(std::u16string_view text) override
    {
        stored.emplace_back(text);
        text_ = std::u16string(text);
    }
    std::u16string GetText() const override { return text_; }
    quaverly::LogFont GetFontHeight() const override { return font_; }

    std::vector<std::u16string> stored;
    quaverly::LogFont font_;

private:
    std::u16string text_;
};

// A stand-in for the score view: it records the box's messages and the presses it gets.
class FakeView : public QWidget {
public:
    FakeView()
        : port([this](const platform::WindowMessage& m) {
              messages.push_back(m.message);
              return platform::LResult(0);
          })
    {
        resize(400, 300);
    }
    platform::MessagePort port;
    std::vector<platform::MessageId> messages;
    std::vector<QPoint> presses;
    std::vector<Qt::MouseButton> buttons;
    int releases = 0;

protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        presses.push_back(e->position().toPoint());
        buttons.push_back(e->button());
    }
    void mouseReleaseEvent(QMouseEvent*) override { ++releases; }
};

class ScoreTextEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        box_ = new CScoreTextEdit(&view_);
        box_->hide();
        box_->SetNotifyWindow(&view_.port);
        box_->setGeometry(50, 40, 30, 28);
        ASSERT_TRUE(ShowActive(view_));
    }
    void TearDown() override { box_->hide(); }

    std::shared_ptr<FakeItem> Edit(std::u16string text)
    {
        auto item = std::make_shared<FakeItem>(std::move(text));
        box_->SetTextItem(item);
        box_->show();
        box_->setFocus();
        ProcessEvents();
        return item;
    }

    FakeView view_;
    CScoreTextEdit* box_ = nullptr;
};

TEST_F(ScoreTextEditTest, ShowingTakesTextAndFontAndHidingStoresTheText)
{
    auto item = Edit(u"小河淌水");
    EXPECT_EQ(box_->text(), QStringLiteral("小河淌水"));
    EXPECT_EQ(box_->cursorPosition(), 4);
    EXPECT_FALSE(box_->hasSelectedText());
    EXPECT_EQ(box_->font().pixelSize(), 20);
    EXPECT_EQ(QWidget::mouseGrabber(), box_);

    Type(QStringLiteral("ab"));
    box_->hide();
    ASSERT_EQ(item->stored.size(), 1u);
    EXPECT_EQ(item->stored[0], u"小河淌水ab");
    EXPECT_EQ(box_->GetTextItem(), nullptr);
    EXPECT_TRUE(box_->text().isEmpty());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    // Idle again: showing and hiding without an item stores nothing anywhere.
    box_->show();
    box_->hide();
    EXPECT_EQ(item->stored.size(), 1u);
}

TEST_F(ScoreTextEditTest, GrowsByTextWidthPlusTenAndNeverShrinks)
{
    Edit(u"");
    const int left = box_->x(), top = box_->y(), height = box_->height();
    Type(QStringLiteral("a"));
    EXPECT_EQ(box_->width(), 30) << "a short text fits";
    Type(QStringLiteral("Long enough to pass the edge"));
    const int wide = box_->fontMetrics().horizontalAdvance(box_->text()) + 10;
    EXPECT_EQ(box_->width(), wide);
    EXPECT_EQ(box_->x(), left);
    EXPECT_EQ(box_->y(), top);
    EXPECT_EQ(box_->height(), height);
    Type(QStringLiteral("\b\b\b\b\b\b\b\b\b\b"));
    EXPECT_EQ(box_->width(), wide) << "deleting does not narrow the box";
}

TEST_F(ScoreTextEditTest, ArrowsAtTheEndsMoveToTheNextAndPreviousItem)
{
    using M = std::vector<platform::MessageId>;
    Edit(u"abc");
    auto posted = [&] {
        ProcessEvents();
        return std::exchange(view_.messages, {});
    };
    SendKey(box_, Qt::Key_Right);
    EXPECT_EQ(posted(), M{CScoreTextEdit::kMsgNextItem}) << "Right at the end";
    SendKey(box_, Qt::Key_Left);
    EXPECT_EQ(posted(), M{}) << "Left in the middle";
    box_->home(false);
    SendKey(box_, Qt::Key_Left);
    EXPECT_EQ(posted(), M{CScoreTextEdit::kMsgPreviousItem}) << "Left at the start";
    SendKey(box_, Qt::Key_Right);
    EXPECT_EQ(posted(), M{}) << "Right at the start";
    box_->setSelection(2, 1);  // the last character selected, caret at the end
    SendKey(box_, Qt::Key_Right);
    EXPECT_EQ(posted(), M{}) << "Right with a selection";
    box_->setSelection(1, -1);
    SendKey(box_, Qt::Key_Left);
    EXPECT_EQ(posted(), M{}) << "Left with a selection";
}

TEST_F(ScoreTextEditTest, EnterIsSwallowed)
{
    auto item = Edit(u"abc");
    SendKey(box_, Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_TRUE(box_->isVisible());
    EXPECT_EQ(box_->text(), QStringLiteral("abc"));
    EXPECT_TRUE(item->stored.empty());
}

TEST_F(ScoreTextEditTest, PressOutsideStoresTheTextAndReachesTheWidgetUnderIt)
{
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        SCOPED_TRACE(button == Qt::LeftButton ? "left" : "right");
        view_.presses.clear();
        view_.buttons.clear();
        auto item = Edit(u"词");
        Type(QStringLiteral("x"));
        // While the box holds the mouse, a press anywhere comes to the box.
        const QPoint onView(300, 200);
        const QPointF local = box_->mapFromGlobal(view_.mapToGlobal(QPointF(onView)));
        QMouseEvent press(QEvent::MouseButtonPress, local, view_.mapToGlobal(QPointF(onView)), button, button,
                          Qt::NoModifier);
        QApplication::sendEvent(box_, &press);
        EXPECT_FALSE(box_->isVisible());
        ASSERT_EQ(item->stored.size(), 1u);
        EXPECT_EQ(item->stored[0], u"词x");
        ASSERT_EQ(view_.presses.size(), 1u);
        EXPECT_EQ(view_.presses[0], onView);
        EXPECT_EQ(view_.buttons[0], button);
        // The release follows its press to the view.
        const int releases = view_.releases;
        QMouseEvent release(QEvent::MouseButtonRelease, local, view_.mapToGlobal(QPointF(onView)), button,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(box_, &release);
        EXPECT_EQ(view_.releases, releases + 1);
    }
}

TEST_F(ScoreTextEditTest, PressInsideKeepsEditing)
{
    auto item = Edit(u"abc");
    Click(box_, QPoint(2, 5));
    EXPECT_TRUE(box_->isVisible());
    EXPECT_TRUE(item->stored.empty());
    EXPECT_TRUE(view_.presses.empty());
}

TEST_F(ScoreTextEditTest, LosingTheFocusStoresTheText)
{
    auto item = Edit(u"abc");
    QWidget other(&view_);
    other.setFocusPolicy(Qt::StrongFocus);
    other.setGeometry(0, 0, 10, 10);
    other.show();
    other.setFocus();
    ProcessEvents();
    EXPECT_FALSE(box_->isVisible());
    ASSERT_EQ(item->stored.size(), 1u);
    EXPECT_EQ(item->stored[0], u"abc");
}

TEST_F(ScoreTextEditTest, TwoLinePasteInsertsOneLineAndKeepsTheClipboard)
{
    struct Case {
        const char* name;
        QString clipboard;
        QString text;
    };
    const Case cases[] = {
        {"CR LF", QStringLiteral("a\r\nb"), QStringLiteral("xab")},
        {"LF", QStringLiteral("a\nb\n"), QStringLiteral("xab")},
        {"one line", QStringLiteral("ab"), QStringLiteral("xab")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Edit(u"x");
        QGuiApplication::clipboard()->setText(c.clipboard);
        SendKey(box_, Qt::Key_V, {}, Qt::ControlModifier);
        EXPECT_EQ(box_->text(), c.text);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), c.clipboard) << "the clipboard keeps the user's text";
        box_->hide();
    }
    // A selection is replaced by what is pasted.
    Edit(u"12345");
    QGuiApplication::clipboard()->setText(QStringLiteral("a\r\nb"));
    box_->setSelection(1, 3);
    box_->Paste();
    EXPECT_EQ(box_->text(), QStringLiteral("1ab5"));
}

TEST_F(ScoreTextEditTest, PaintsThePictureUnderTheTextInItsColour)
{
    QImage paper(8, 8, QImage::Format_RGB32);
    paper.fill(QColor(240, 220, 180));
    box_->SetBackgroundBitmap(paper);
    box_->SetTextColor(platform::Rgb(200, 0, 0));
    Edit(u"");
    const QImage shot = box_->grab().toImage();
    EXPECT_EQ(shot.pixelColor(1, 1), QColor(240, 220, 180));
    EXPECT_EQ(box_->palette().color(QPalette::Text), QColor(200, 0, 0));
    box_->SetBackgroundBitmap(QImage());
    EXPECT_EQ(box_->grab().toImage().pixelColor(1, 1), QColor(Qt::white)) << "no picture: white";
}

}  // namespace
