// The editable list: a click on a cell of the focused row opens the right editor exactly
// over the cell, ending the edit writes the cell and tells the owner dialog (also after
// Escape, with the old text), read-only columns and modified clicks open nothing, a
// scroll ends the edit, and the text editor keeps to its allowed characters.
#include "app/dialogs/edit_list_ctrl.h"

#include "app/dialogs/input_combo_box.h"
#include "app/dialogs/input_edit.h"
#include "dialog_test_util.h"
#include "platform/dialog_service.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using brindle::CEditListCtrl;
using brindle::CInputComboBox;
using brindle::CInputEdit;
using brindle::ListCellEdit;
using brindle::test::Chord;
using brindle::test::Click;
using brindle::test::ProcessEvents;
using brindle::test::Type;

constexpr int kListId = 1050;
constexpr int kPartColumn = 0;
constexpr int kNameColumn = 1;
constexpr int kKindColumn = 2;

// The staff page's instrument table in small: a part number, an instrument name typed in,
// and a kind picked from the choices the dialog gives.
class InstrumentDialog : public platform::DialogBase {
public:
    InstrumentDialog() : DialogBase(nullptr, 0)
    {
        resize(360, 240);
        list = new CEditListCtrl(this);
        list->setGeometry(10, 10, 300, 200);
        AddControl(kListId, list);
        list->InsertColumn(0, u"声部", Qt::AlignHCenter, 40);
        list->InsertColumn(1, u"乐　器", Qt::AlignHCenter, 200);
        list->InsertColumn(2, u"乐器类型", Qt::AlignHCenter, 120);
        const char16_t* names[] = {u"钢琴", u"小提琴", u"长笛"};
        const char16_t* kinds[] = {u"普通", u"打击", u"普通"};
        for (int r = 0; r < 3; ++r) {
            list->InsertItem(r, std::u16string(1, static_cast<char16_t>(u'1' + r)));
            list->SetItemText(r, kNameColumn, names[r]);
            list->SetItemText(r, kKindColumn, kinds[r]);
        }
        list->SetChoiceColumn(kKindColumn, true);
        list->SetLabelEditing(true);
        MapMessage(brindle::kMsgListColumnChoices, [this](platform::WParam column, platform::LParam choices) {
            choiceRequests.push_back(static_cast<int>(column));
            auto* out = reinterpret_cast<brindle::ChoiceList*>(choices);
            if (static_cast<int>(column) == kKindColumn)
                *out = choicesToGive;
            return platform::LResult(0);
        });
        MapMessage(brindle::kMsgListCellEdited, [this](platform::WParam id, platform::LParam record) {
            ids.push_back(static_cast<int>(id));
            edits.push_back(*reinterpret_cast<const ListCellEdit*>(record));
            return platform::LResult(0);
        });
    }

    // The middle of a cell, in the list's viewport.
    QPoint CellCentre(int row, int column) const
    {
        return list->visualRect(list->model()->index(row, column)).center();
    }

    CEditListCtrl* list;
    brindle::ChoiceList choicesToGive{u"普通", u"打击", u"无音高"};
    std::vector<int> choiceRequests;
    std::vector<int> ids;
    std::vector<ListCellEdit> edits;
};

class EditListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog_ = std::make_unique<InstrumentDialog>();
        ASSERT_TRUE(brindle::test::ShowActive(*dialog_));
        list_ = dialog_->list;
    }

    void ClickCell(int row, int column, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        Click(list_->viewport(), dialog_->CellCentre(row, column), modifiers);
    }

    bool TextEditorOpen() const { return list_->TextEditor() && list_->TextEditor()->IsEditing(); }
    bool ChoiceEditorOpen() const { return list_->ChoiceEditor() && list_->ChoiceEditor()->IsEditing(); }

    std::unique_ptr<InstrumentDialog> dialog_;
    CEditListCtrl* list_ = nullptr;
};

TEST_F(EditListTest, ClickOnATextCellOpensTheTextBoxOverIt)
{
    list_->SetFocusedRow(1);
    ClickCell(1, kNameColumn);
    ASSERT_TRUE(TextEditorOpen());
    CInputEdit* editor = list_->TextEditor();
    EXPECT_FALSE(ChoiceEditorOpen());
    EXPECT_EQ(editor->geometry(), list_->GetCellRect(kNameColumn, 1));
    EXPECT_EQ(editor->geometry().top(), list_->visualRect(list_->model()->index(1, kNameColumn)).top());
    EXPECT_EQ(editor->Row(), 1);
    EXPECT_EQ(editor->Column(), kNameColumn);
    EXPECT_EQ(editor->text(), QStringLiteral("小提琴"));
    EXPECT_EQ(editor->selectedText(), QStringLiteral("小提琴"));
    EXPECT_TRUE(editor->hasFocus());
    EXPECT_TRUE(dialog_->choiceRequests.empty());
}

TEST_F(EditListTest, ClickOnAChoiceCellOpensTheChoicesOverIt)
{
    list_->SetFocusedRow(1);
    ClickCell(1, kKindColumn);
    ASSERT_TRUE(ChoiceEditorOpen());
    EXPECT_FALSE(TextEditorOpen());
    CInputComboBox* editor = list_->ChoiceEditor();
    EXPECT_EQ(dialog_->choiceRequests, std::vector<int>{kKindColumn});
    EXPECT_EQ(editor->geometry(), list_->GetCellRect(kKindColumn, 1));
    EXPECT_EQ(editor->count(), 3);
    EXPECT_EQ(editor->currentText(), QStringLiteral("打击"));  // the choice the cell's text begins
    // Three choices drop a list thirteen rows high.
    EXPECT_EQ(editor->maxVisibleItems(), 13);
    EXPECT_TRUE(editor->hasFocus());
}

TEST_F(EditListTest, DroppedListHeightFollowsTheChoices)
{
    struct Case {
        int choices;
        int rows;
    };
    for (const Case c : {Case{0, 10}, Case{1, 11}, Case{9, 19}, Case{10, 11}, Case{128, 11}}) {
        SCOPED_TRACE(c.choices);
        brindle::ChoiceList choices;
        for (int i = 0; i < c.choices; ++i)
            choices.push_back(u"choice " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)));
        list_->EditCellChoice(0, kKindColumn, choices, u"", -1);
        ASSERT_TRUE(ChoiceEditorOpen());
        EXPECT_EQ(list_->ChoiceEditor()->maxVisibleItems(), c.rows);
        list_->ChoiceEditor()->Finish();
    }
}

TEST_F(EditListTest, EnterWritesTheCellAndTellsTheOwner)
{
    list_->SetFocusedRow(0);
    ClickCell(0, kNameColumn);
    ASSERT_TRUE(TextEditorOpen());
    Type(QStringLiteral("Oboe"));
    Chord(Qt::Key_Return, Qt::NoModifier);
    EXPECT_FALSE(TextEditorOpen());
    EXPECT_FALSE(dialog_->IsEnded());  // Enter is the editor's, not the dialog's
    EXPECT_EQ(list_->GetItemText(0, kNameColumn), u"Oboe");
    ASSERT_EQ(dialog_->edits.size(), 1u);
    EXPECT_EQ(dialog_->ids, std::vector<int>{kListId});
    EXPECT_EQ(dialog_->edits[0].from, list_);
    EXPECT_EQ(dialog_->edits[0].row, 0);
    EXPECT_EQ(dialog_->edits[0].column, kNameColumn);
    EXPECT_EQ(dialog_->edits[0].text, u"Oboe");
    EXPECT_TRUE(list_->hasFocus());
    ProcessEvents();
    EXPECT_FALSE(list_->TextEditor()->isVisible());
}

TEST_F(EditListTest, EscapeRestoresTheTextAndStillReports)
{
    list_->SetFocusedRow(2);
    ClickCell(2, kNameColumn);
    ASSERT_TRUE(TextEditorOpen());
    Type(QStringLiteral("Tuba"));
    Chord(Qt::Key_Escape, Qt::NoModifier);
    EXPECT_FALSE(dialog_->IsEnded());
    EXPECT_EQ(list_->GetItemText(2, kNameColumn), u"长笛");
    ASSERT_EQ(dialog_->edits.size(), 1u);
    EXPECT_EQ(dialog_->edits[0].text, u"长笛");
    EXPECT_TRUE(list_->TextEditor()->IsCancelled());

    // The choice editor too.
    list_->SetFocusedRow(2);
    ClickCell(2, kKindColumn);
    ASSERT_TRUE(ChoiceEditorOpen());
    list_->ChoiceEditor()->setCurrentIndex(1);
    Chord(Qt::Key_Escape, Qt::NoModifier);
    EXPECT_EQ(list_->GetItemText(2, kKindColumn), u"普通");
    ASSERT_EQ(dialog_->edits.size(), 2u);
    EXPECT_EQ(dialog_->edits[1].text, u"普通");
}

TEST_F(EditListTest, ChoiceTakenWhenTheDroppedListCloses)
{
    list_->SetFocusedRow(0);
    ClickCell(0, kKindColumn);
    ASSERT_TRUE(ChoiceEditorOpen());
    CInputComboBox* editor = list_->ChoiceEditor();
    editor->showPopup();
    ProcessEvents();
    editor->setCurrentIndex(2);
    editor->hidePopup();
    ASSERT_TRUE(brindle::test::ProcessUntil([&] { return !dialog_->edits.empty(); }));
    EXPECT_EQ(list_->GetItemText(0, kKindColumn), u"无音高");
    EXPECT_EQ(dialog_->edits[0].text, u"无音高");
    EXPECT_FALSE(ChoiceEditorOpen());
}

TEST_F(EditListTest, ChoiceEditorWithoutAChoiceKeepsTheCell)
{
    dialog_->choicesToGive = {u"甲", u"乙"};  // none begins with the cell's text
    list_->SetFocusedRow(1);
    ClickCell(1, kKindColumn);
    ASSERT_TRUE(ChoiceEditorOpen());
    EXPECT_EQ(list_->ChoiceEditor()->currentIndex(), -1);
    Chord(Qt::Key_Return, Qt::NoModifier);
    EXPECT_EQ(list_->GetItemText(1, kKindColumn), u"打击");
    ASSERT_EQ(dialog_->edits.size(), 1u);
    EXPECT_EQ(dialog_->edits[0].text, u"打击");
}

TEST_F(EditListTest, ChoicesAreFoundByTheirBeginningIgnoringCase)
{
    const brindle::ChoiceList choices{u"Piano", u"piccolo", u"Harp"};
    EXPECT_EQ(CEditListCtrl::FindChoice(choices, u"PIC"), 1);
    EXPECT_EQ(CEditListCtrl::FindChoice(choices, u"harp"), 2);
    EXPECT_EQ(CEditListCtrl::FindChoice(choices, u"Pi"), 0);
    EXPECT_EQ(CEditListCtrl::FindChoice(choices, u"Oboe"), -1);
    EXPECT_EQ(CEditListCtrl::FindChoice({}, u""), -1);
}

TEST_F(EditListTest, ClicksThatOpenNothing)
{
    list_->SetReadOnlyColumn(kPartColumn, true);
    list_->SetFocusedRow(0);
    ClickCell(0, kPartColumn);
    EXPECT_FALSE(TextEditorOpen());
    EXPECT_FALSE(ChoiceEditorOpen());
    EXPECT_EQ(list_->FocusedRow(), 0);

    // Shift and Ctrl only change the selection.
    ClickCell(1, kNameColumn, Qt::ControlModifier);
    EXPECT_FALSE(TextEditorOpen());
    ClickCell(2, kKindColumn, Qt::ShiftModifier);
    EXPECT_FALSE(ChoiceEditorOpen());
    EXPECT_GE(list_->SelectedRows().size(), 2u);

    // Without the label-editing style nothing opens at all.
    list_->SetLabelEditing(false);
    list_->SetFocusedRow(1);
    ClickCell(1, kNameColumn);
    EXPECT_FALSE(TextEditorOpen());
    EXPECT_TRUE(dialog_->choiceRequests.empty());
    EXPECT_TRUE(dialog_->edits.empty());
}

TEST_F(EditListTest, NarrowChoiceColumnNeverOpens)
{
    list_->setColumnWidth(kKindColumn, CEditListCtrl::kMinChoiceWidth - 1);
    list_->EditCellChoice(0, kKindColumn, {u"a"}, u"", 0);
    EXPECT_FALSE(ChoiceEditorOpen());
    list_->EditCellChoice(0, 7, {u"a"}, u"", 0);  // no such column
    list_->EditCellChoice(9, kNameColumn, {u"a"}, u"", 0);  // no such row
    EXPECT_FALSE(ChoiceEditorOpen());
    list_->setColumnWidth(kKindColumn, CEditListCtrl::kMinChoiceWidth);
    list_->EditCellChoice(0, kKindColumn, {u"a"}, u"", 0);
    EXPECT_TRUE(ChoiceEditorOpen());
}

TEST_F(EditListTest, ReadOnlyAndChoiceSetsAddAndRemoveOnce)
{
    list_->SetReadOnlyColumn(1, true);
    list_->SetReadOnlyColumn(1, true);
    EXPECT_TRUE(list_->IsReadOnlyColumn(1));
    list_->SetReadOnlyColumn(1, false);
    EXPECT_FALSE(list_->IsReadOnlyColumn(1));
    list_->SetReadOnlyColumn(3, false);
    EXPECT_FALSE(list_->IsReadOnlyColumn(3));
    EXPECT_TRUE(list_->IsChoiceColumn(kKindColumn));
    list_->SetChoiceColumn(kKindColumn, false);
    EXPECT_FALSE(list_->IsChoiceColumn(kKindColumn));
}

TEST_F(EditListTest, ScrollingEndsTheEdit)
{
    for (QScrollBar* bar : {list_->horizontalScrollBar(), list_->verticalScrollBar()}) {
        SCOPED_TRACE(bar == list_->horizontalScrollBar() ? "sideways" : "down");
        for (int r = list_->GetItemCount(); r < 40; ++r)
            list_->InsertItem(r, u"x");
        ProcessEvents();
        ASSERT_GT(bar->maximum(), 0);
        bar->setValue(0);
        list_->SetFocusedRow(0);
        const std::size_t before = dialog_->edits.size();
        list_->EditCell(0, kPartColumn, u"1");
        ASSERT_TRUE(TextEditorOpen());
        Type(QStringLiteral("2"));
        bar->setValue(bar->value() + 5);
        EXPECT_FALSE(TextEditorOpen());
        ASSERT_EQ(dialog_->edits.size(), before + 1);
        EXPECT_EQ(dialog_->edits.back().text, u"2");
        EXPECT_EQ(list_->GetItemText(0, kPartColumn), u"2");
    }
}

TEST_F(EditListTest, ANewClickKeepsTheNewEditorOpen)
{
    list_->SetFocusedRow(0);
    ClickCell(0, kNameColumn);
    Type(QStringLiteral("A"));
    list_->SetFocusedRow(1);
    ClickCell(1, kNameColumn);
    ProcessEvents();  // the first edit's close arrives after the second began
    ASSERT_EQ(dialog_->edits.size(), 1u);
    EXPECT_EQ(dialog_->edits[0].text, u"A");
    ASSERT_TRUE(TextEditorOpen());
    EXPECT_TRUE(list_->TextEditor()->isVisible());
    EXPECT_EQ(list_->TextEditor()->Row(), 1);
    EXPECT_EQ(list_->TextEditor()->geometry(), list_->GetCellRect(kNameColumn, 1));
}

TEST_F(EditListTest, HitTestWalksTheColumns)
{
    ProcessEvents();
    list_->horizontalScrollBar()->setValue(0);
    const int y = dialog_->CellCentre(1, 0).y();
    struct Case {
        int x;
        bool hit;
        int column;
    };
    // Columns cover [left, left + width] with both edges; the left column wins an edge.
    for (const Case c : {Case{0, true, 0}, Case{40, true, 0}, Case{41, true, 1}, Case{240, true, 1},
                         Case{241, true, 2}}) {
        SCOPED_TRACE(c.x);
        int row = -1;
        int column = -1;
        EXPECT_EQ(list_->HitTestCell(QPoint(c.x, y), row, column), c.hit);
        EXPECT_EQ(row, 1);
        EXPECT_EQ(column, c.column);
    }
    int row = -1;
    int column = -1;
    const int below = list_->visualRect(list_->model()->index(2, 0)).bottom() + 30;
    EXPECT_FALSE(list_->HitTestCell(QPoint(10, below), row, column));
}

TEST_F(EditListTest, CellRectScrollsTheColumnIntoView)
{
    ProcessEvents();
    QScrollBar* bar = list_->horizontalScrollBar();
    const int client = list_->viewport()->width();
    ASSERT_LT(client, 360);  // the three columns are 360 wide
    bar->setValue(0);

    // The last column overhangs: the list scrolls by the overhang, and the rectangle spans it.
    QRect cell = list_->GetCellRect(kKindColumn, 0);
    EXPECT_EQ(bar->value(), 360 - client);
    EXPECT_EQ(cell.left(), 240 - bar->value());
    EXPECT_EQ(cell.width(), 120);
    EXPECT_EQ(cell.right(), client - 1);
    EXPECT_EQ(cell.top(), list_->visualRect(list_->model()->index(0, 0)).top());

    // A column whose left edge lies outside comes to the left edge.
    cell = list_->GetCellRect(kPartColumn, 0);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(cell.left(), 0);
    EXPECT_EQ(cell.width(), 40);

    // A column that fits: no scroll.
    bar->setValue(10);
    cell = list_->GetCellRect(kNameColumn, 0);
    EXPECT_EQ(bar->value(), 10);
    EXPECT_EQ(cell.left(), 30);

    EXPECT_TRUE(list_->GetCellRect(5, 0).isEmpty());
    EXPECT_TRUE(list_->GetCellRect(0, 9).isEmpty());
}

TEST_F(EditListTest, DisallowedCharacterBeeps)
{
    brindle::test::RecordingBeep beep;
    brindle::ScopedBeepService scope(beep);
    list_->SetAllowedChars(u"0123456789");
    list_->SetFocusedRow(0);
    ClickCell(0, kPartColumn);
    ASSERT_TRUE(TextEditorOpen());
    CInputEdit* editor = list_->TextEditor();
    EXPECT_EQ(editor->AllowedChars(), u"0123456789");
    editor->end(false);
    Type(QStringLiteral("4a-"));
    EXPECT_EQ(editor->text(), QStringLiteral("14"));
    EXPECT_EQ(beep.beeps, (std::vector<unsigned>{platform::kMbIconExclamation, platform::kMbIconExclamation}));
    Type(QStringLiteral("\b"));
    EXPECT_EQ(editor->text(), QStringLiteral("1"));
    Chord(Qt::Key_A, Qt::ControlModifier);  // not one of copy, paste and cut
    EXPECT_EQ(beep.beeps.size(), 3u);
    Chord(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(beep.beeps.size(), 3u);

    // Without allowed characters anything may be typed.
    editor->Finish();
    list_->SetAllowedChars(u"");
    list_->SetFocusedRow(0);
    ClickCell(0, kPartColumn);
    list_->TextEditor()->end(false);
    Type(QStringLiteral("a-"));
    EXPECT_EQ(list_->TextEditor()->text(), QStringLiteral("1a-"));
    EXPECT_EQ(beep.beeps.size(), 3u);
}

TEST_F(EditListTest, PasteKeepsToTheAllowedCharacters)
{
    struct Case {
        const char* name;
        const char16_t* allowed;
        const char16_t* clipboard;
        const char16_t* text;  // after pasting at the end of "1"
    };
    const Case cases[] = {
        {"allowed characters only", u"0123456789", u"23", u"123"},
        {"one character not allowed", u"0123456789", u"2a", u"1"},
        {"no allowed set pastes anything", u"", u"单簧管 B", u"1单簧管 B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        list_->SetAllowedChars(c.allowed);
        list_->EditCell(0, kPartColumn, u"1");
        ASSERT_TRUE(TextEditorOpen());
        CInputEdit* editor = list_->TextEditor();
        editor->end(false);
        QGuiApplication::clipboard()->setText(QString::fromUtf16(c.clipboard));
        Chord(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(editor->text(), QString::fromUtf16(c.text));
        editor->Finish();
    }
}

TEST_F(EditListTest, TextArrivingPastTheKeysIsCheckedToo)
{
    // The context menu's Paste and a drop insert without a key.
    list_->SetAllowedChars(u"0123456789");
    list_->EditCell(0, kPartColumn, u"1");
    CInputEdit* editor = list_->TextEditor();
    editor->end(false);
    editor->insert(QStringLiteral("2x"));
    EXPECT_EQ(editor->text(), QStringLiteral("1"));
    editor->insert(QStringLiteral("25"));
    EXPECT_EQ(editor->text(), QStringLiteral("125"));
}

TEST_F(EditListTest, EditsOfRowsThatWentAreDropped)
{
    list_->EditCell(2, kNameColumn, u"长笛");
    ASSERT_TRUE(TextEditorOpen());
    list_->DeleteAllItems();
    EXPECT_FALSE(TextEditorOpen());
    list_->setFocus();
    ProcessEvents();
    EXPECT_TRUE(dialog_->edits.empty());

    ListCellEdit stale;
    stale.from = list_;
    stale.row = 5;
    stale.column = 1;
    stale.text = u"x";
    list_->EndCellEdit(stale);
    EXPECT_TRUE(dialog_->edits.empty());
}

TEST_F(EditListTest, ClosingTheDialogWithAnOpenEditor)
{
    list_->EditCell(0, kNameColumn, u"钢琴");
    ASSERT_TRUE(TextEditorOpen());
    dialog_.reset();  // must not reach the list or the dialog while they go
}

TEST(EditListColumns, InsertingAColumnMovesTheLaterOnes)
{
    CEditListCtrl list;
    list.InsertColumn(0, u"A", Qt::AlignLeft, 30);
    list.InsertColumn(1, u"C", Qt::AlignLeft, 50);
    list.InsertItem(0, u"a0");
    list.SetItemText(0, 1, u"c0");
    EXPECT_EQ(list.InsertColumn(1, u"B", Qt::AlignHCenter, 40), 1);
    EXPECT_EQ(list.GetColumnCount(), 3);
    EXPECT_EQ(list.headerItem()->text(2), QStringLiteral("C"));
    EXPECT_EQ(list.columnWidth(1), 40);
    EXPECT_EQ(list.columnWidth(2), 50);
    EXPECT_EQ(list.GetItemText(0, 1), u"");
    EXPECT_EQ(list.GetItemText(0, 2), u"c0");
    EXPECT_EQ(list.InsertItem(99, u"a1"), 1);
    EXPECT_EQ(list.GetItemCount(), 2);
    EXPECT_FALSE(list.SetItemText(0, 3, u"x"));
    EXPECT_FALSE(list.SetItemText(-1, 0, u"x"));
    EXPECT_EQ(list.GetItemText(7, 0), u"");
}

}  // namespace
