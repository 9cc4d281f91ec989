// The new-score wizard run offscreen through the scripted dialog service: what the
// pages hand back, navigation, the Enter key, instrument editing, the beat, key and
// tempo choices and the paper page.
#include "app/dialogs/beat_dlg.h"
#include "app/dialogs/edit_list_ctrl.h"
#include "app/dialogs/input_combo_box.h"
#include "app/dialogs/list_cell_edit.h"
#include "app/dialogs/new_score_wizard.h"
#include "app/dialogs/num_edit.h"
#include "app/dialogs/popup_list_wnd.h"
#include "app/dialogs/wizard_info_page.h"
#include "app/dialogs/wizard_key_tempo_page.h"
#include "app/dialogs/wizard_paper_page.h"
#include "app/dialogs/wizard_staff_page.h"
#include "engine/editor/new_score_settings.h"
#include "platform/data_exchange.h"
#include "platform/scripted_dialog_service.h"
#include "tests/app/dialogs/dialog_test_util.h"
#include "tests/app/dialogs/test_folder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <memory>

namespace brindle {
namespace {

using platform::kIdCancel;
using platform::kIdOk;

// The New command's set-up: four pages, then the wizard, pages added in order.
class NewScoreWizardTest : public ::testing::Test {
protected:
    void Build()
    {
        info = std::make_unique<CWizardInfoPage>();
        staff = std::make_unique<CWizardStaffPage>(folder.Data());
        keyTempo = std::make_unique<CWizardKeyTempoPage>(folder.Data());
        paper = std::make_unique<CWizardPaperPage>(folder.Data());
        wizard = std::make_unique<CNewScoreWizard>();
        wizard->AddPage(info.get());
        wizard->AddPage(staff.get());
        wizard->AddPage(keyTempo.get());
        wizard->AddPage(paper.get());
    }

    // Runs the wizard with `step` doing the user's work; returns its end code.
    int Run(std::function<void(CNewScoreWizard&)> step)
    {
        if (!wizard)
            Build();
        service.AnswerModal([step](platform::DialogBase& dialog) { step(static_cast<CNewScoreWizard&>(dialog)); });
        return wizard->DoModal();
    }

    void EditCell(int row, int column, std::u16string text)
    {
        CEditListCtrl* list = staff->InstrumentList();
        list->EndCellEdit(ListCellEdit{list, row, column, std::move(text)});
    }

    static QAbstractButton* Button(platform::DialogBase& dialog, int id)
    {
        return dialog.Control<QAbstractButton>(id);
    }

    dialog_test::TestFolder folder{dialog_test::TestFolder::Names::Lists};
    platform::ScriptedDialogService service;
    platform::ScopedDialogService scope{service};
    std::unique_ptr<CWizardInfoPage> info;
    std::unique_ptr<CWizardStaffPage> staff;
    std::unique_ptr<CWizardKeyTempoPage> keyTempo;
    std::unique_ptr<CWizardPaperPage> paper;
    // Made last, so it goes first and hands the pages back.
    std::unique_ptr<CNewScoreWizard> wizard;
};

TEST_F(NewScoreWizardTest, FinishingOnTheFirstPageGivesTheWholeDefaultSet)
{
    ASSERT_EQ(Run([](CNewScoreWizard& w) {
                  EXPECT_EQ(w.GetCurrentIndex(), 0);
                  w.ClickButton(kIdOk);
              }),
              kIdOk);

    EXPECT_EQ(info->GetTitle(), u"");
    EXPECT_EQ(info->GetSubtitle(), u"");
    EXPECT_EQ(info->GetComposer(), u"");
    EXPECT_EQ(info->GetPoet(), u"");
    EXPECT_EQ(info->GetCopyright(), u"");

    EXPECT_EQ(staff->GetStaffType(), 0);
    ASSERT_EQ(staff->GetStaffTemplates().size(), 4u);
    EXPECT_EQ(staff->GetStaffTemplates()[0].instruments, (std::vector<InstrumentEntry>{{0, false}}));

    // The same values the editor's new-score record starts from.
    const quaverly::NewScoreSettings defaults;
    int beats = 0, beatType = 0, beatUnit = 0, perMinute = 0;
    keyTempo->GetTimeSignature(beats, beatType);
    keyTempo->GetTempo(beatUnit, perMinute);
    EXPECT_EQ(keyTempo->GetKey(), defaults.key.fifths);
    EXPECT_EQ(beats, defaults.timeSignature.beats);
    EXPECT_EQ(beatType, defaults.timeSignature.beatType);
    EXPECT_EQ(beatUnit, defaults.tempo.beatUnit);
    EXPECT_EQ(perMinute, defaults.tempo.perMinute);
    EXPECT_EQ(keyTempo->IsExactTempo(), defaults.exactTempo);
    EXPECT_EQ(keyTempo->GetTempoTerm(), defaults.tempoText.text);

    // The program's paper list marks A4 as the default.
    PageInfo a4;
    a4.name = u"A4";
    EXPECT_EQ(paper->GetPageInfo(), a4);
    EXPECT_FALSE(paper->IsFixedBarsPerLine());
    EXPECT_EQ(paper->GetBarsPerLine(), 5);
}

TEST_F(NewScoreWizardTest, PreviousAndNextFollowThePageAndOkWorksOnEveryPage)
{
    for (int finishOn = 0; finishOn < 4; ++finishOn) {
        SCOPED_TRACE(finishOn);
        wizard.reset();
        Build();
        ASSERT_EQ(Run([&](CNewScoreWizard& w) {
                      struct State {
                          bool previous, next;
                      };
                      const State states[] = {{false, true}, {true, true}, {true, true}, {true, false}};
                      for (int page = 0; page < 4; ++page) {
                          EXPECT_EQ(w.GetCurrentIndex(), page);
                          EXPECT_EQ(Button(w, CNewScoreWizard::kIdPrevious)->isEnabled(), states[page].previous);
                          EXPECT_EQ(Button(w, CNewScoreWizard::kIdNext)->isEnabled(), states[page].next);
                          EXPECT_TRUE(Button(w, kIdOk)->isEnabled());
                          for (int other = 0; other < 4; ++other)
                              EXPECT_EQ(w.GetPage(other)->isVisibleTo(&w), other == page);
                          if (page == finishOn)
                              break;
                          w.ClickButton(CNewScoreWizard::kIdNext);
                      }
                      // Next on the last page and Previous on the first go nowhere.
                      if (finishOn == 3) {
                          w.ClickButton(CNewScoreWizard::kIdNext);
                          EXPECT_EQ(w.GetCurrentIndex(), 3);
                          for (int i = 0; i < 5; ++i)
                              w.ClickButton(CNewScoreWizard::kIdPrevious);
                          EXPECT_EQ(w.GetCurrentIndex(), 0);
                          for (int i = 0; i < 3; ++i)
                              w.ClickButton(CNewScoreWizard::kIdNext);
                      }
                      w.ClickButton(kIdOk);
                  }),
                  kIdOk);
        EXPECT_EQ(staff->GetStaffType(), 0);
    }
}

TEST_F(NewScoreWizardTest, CancelEndsWithCancel)
{
    EXPECT_EQ(Run([](CNewScoreWizard& w) { w.ClickButton(kIdCancel); }), kIdCancel);
    EXPECT_EQ(staff->GetStaffType(), -1);
}

TEST_F(NewScoreWizardTest, EnterInsideAPageNeitherConfirmsNorCloses)
{
    Run([&](CNewScoreWizard& w) {
        auto* title = info->Control<QLineEdit>(CWizardInfoPage::kIdTitle);
        title->setText(QStringLiteral("春天"));
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QStringLiteral("\r"));
            QApplication::sendEvent(title, &press);
            EXPECT_TRUE(press.isAccepted());
        }
        EXPECT_FALSE(w.IsEnded());
        EXPECT_FALSE(info->IsEnded());
        EXPECT_EQ(info->GetTitle(), u"");

        // A button of a page with the focus does not take Enter either.
        w.ClickButton(CNewScoreWizard::kIdNext);
        w.ClickButton(CNewScoreWizard::kIdNext);
        auto* noteValue = keyTempo->Control<QPushButton>(CWizardKeyTempoPage::kIdNoteValue);
        keyTempo->CheckDlgButton(CWizardKeyTempoPage::kIdExactTempo, 1);
        keyTempo->ClickButton(CWizardKeyTempoPage::kIdExactTempo);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(noteValue, &press);
        EXPECT_FALSE(keyTempo->NoteValuePopup()->isVisible());
        EXPECT_FALSE(w.IsEnded());
        w.ClickButton(kIdOk);
    });
    EXPECT_EQ(info->GetTitle(), u"春天");
}

// The instrument cells are edited in place with the keys the list's own editors take:
// Enter ends the edit with the choice made, Escape with the cell's old text, and
// neither reaches the page or the wizard.
TEST_F(NewScoreWizardTest, EnterAndEscapeEndTheInstrumentCellEditsOnTheStaffPage)
{
    Run([&](CNewScoreWizard& w) {
        ASSERT_TRUE(test::ShowActive(w));
        w.ClickButton(CNewScoreWizard::kIdNext);
        CEditListCtrl* list = staff->InstrumentList();
        const auto open = [&](int column) {
            list->SetFocusedRow(0);
            test::Click(list->viewport(), list->visualRect(list->model()->index(0, column)).center());
            return list->ChoiceEditor() && list->ChoiceEditor()->IsEditing();
        };
        struct Case {
            int column;
            int choice;
            Qt::Key key;
            std::u16string cell;
            InstrumentEntry entry;
        };
        for (const Case& c : {Case{1, 40, Qt::Key_Return, u"41-小提琴", {40, false}},
                              Case{2, 1, Qt::Key_Enter, u"打击乐器", {35, true}},
                              Case{2, 0, Qt::Key_Escape, u"打击乐器", {35, true}}}) {
            SCOPED_TRACE(c.key);
            ASSERT_TRUE(open(c.column));
            list->ChoiceEditor()->setCurrentIndex(c.choice);
            test::Chord(c.key, Qt::NoModifier);
            EXPECT_FALSE(list->ChoiceEditor()->IsEditing());
            EXPECT_EQ(list->GetItemText(0, c.column), c.cell);
            EXPECT_EQ(staff->GetStaffTemplates()[0].instruments[0], c.entry);
            EXPECT_FALSE(staff->IsEnded());
            EXPECT_FALSE(w.IsEnded());
        }
        w.ClickButton(kIdOk);
    });
    EXPECT_EQ(staff->GetStaffTemplates()[0].instruments[0], (InstrumentEntry{35, true}));
}

TEST_F(NewScoreWizardTest, EscapeInsideAPageCancelsTheWizard)
{
    EXPECT_EQ(Run([&](CNewScoreWizard&) {
                  QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                  QApplication::sendEvent(info->GetDlgItem(CWizardInfoPage::kIdTitle), &press);
              }),
              kIdCancel);
}

TEST_F(NewScoreWizardTest, TheFiveTextsComeBackInTheirOwnFields)
{
    Run([&](CNewScoreWizard& w) {
        info->SetDlgItemText(CWizardInfoPage::kIdTitle, u"标题");
        info->SetDlgItemText(CWizardInfoPage::kIdSubtitle, u"副标题");
        info->SetDlgItemText(CWizardInfoPage::kIdComposer, u"曲");
        info->SetDlgItemText(CWizardInfoPage::kIdPoet, u"词");
        info->SetDlgItemText(CWizardInfoPage::kIdCopyright, u"©");
        w.ClickButton(kIdOk);
    });
    EXPECT_EQ(info->GetTitle(), u"标题");
    EXPECT_EQ(info->GetSubtitle(), u"副标题");
    EXPECT_EQ(info->GetComposer(), u"曲");
    EXPECT_EQ(info->GetPoet(), u"词");
    EXPECT_EQ(info->GetCopyright(), u"©");
}

TEST_F(NewScoreWizardTest, NamesAreNumberedFromTheFile)
{
    Build();
    ASSERT_EQ(staff->GetPatchNames().size(), 128u);
    EXPECT_EQ(staff->GetPatchNames()[0], u"1-大钢琴");
    EXPECT_EQ(staff->GetPercussionOffset(), 35);
    ASSERT_EQ(staff->GetPercussionNames().size(), 47u);
    EXPECT_EQ(staff->GetPercussionNames()[0], u"35-原声大鼓");
}

TEST_F(NewScoreWizardTest, PercussionAndBackResetsProgramAndName)
{
    Run([&](CNewScoreWizard& w) {
        CEditListCtrl* list = staff->InstrumentList();
        ASSERT_EQ(list->GetItemCount(), 1);
        EXPECT_EQ(list->GetItemText(0, 0), u"1");
        EXPECT_EQ(list->GetItemText(0, 1), u"1-大钢琴");
        EXPECT_EQ(list->GetItemText(0, 2), u"普通乐器");

        EditCell(0, 1, u"41-小提琴");
        EXPECT_EQ(staff->GetStaffTemplates()[0].instruments[0], (InstrumentEntry{40, false}));

        EditCell(0, 2, u"打击乐器");
        EXPECT_EQ(staff->GetStaffTemplates()[0].instruments[0], (InstrumentEntry{35, true}));
        EXPECT_EQ(list->GetItemText(0, 1), u"35-原声大鼓");

        EditCell(0, 1, staff->GetPercussionNames()[3]);
        EXPECT_EQ(staff->GetStaffTemplates()[0].instruments[0], (InstrumentEntry{38, true}));

        // Choosing the kind it already has changes nothing.
        EditCell(0, 2, u"打击乐器");
        EXPECT_EQ(staff->GetStaffTemplates()[0].instruments[0], (InstrumentEntry{38, true}));

        EditCell(0, 2, u"普通乐器");
        EXPECT_EQ(staff->GetStaffTemplates()[0].instruments[0], (InstrumentEntry{0, false}));
        EXPECT_EQ(list->GetItemText(0, 1), u"1-大钢琴");
        w.ClickButton(kIdOk);
    });
}

TEST_F(NewScoreWizardTest, ANameNotInTheListStaysInTheCellAndStoresTheFirstNumber)
{
    Run([&](CNewScoreWizard& w) {
        EditCell(0, 1, u"风笛手");
        EXPECT_EQ(staff->InstrumentList()->GetItemText(0, 1), u"风笛手");
        EXPECT_EQ(staff->GetStaffTemplates()[0].instruments[0], (InstrumentEntry{0, false}));
        EditCell(0, 2, u"打击乐器");
        EditCell(0, 1, u"风笛手");
        EXPECT_EQ(staff->GetStaffTemplates()[0].instruments[0], (InstrumentEntry{35, true}));
        // A row the template does not have is ignored.
        EditCell(5, 1, u"1-大钢琴");
        w.ClickButton(kIdOk);
    });
}

TEST_F(NewScoreWizardTest, EditsStayWithTheirStaffTypeAndTheChosenTypeIsReturned)
{
    Run([&](CNewScoreWizard& w) {
        QListWidget* types = staff->StaffTypeList();
        ASSERT_EQ(types->count(), 4);
        EXPECT_EQ(types->item(3)->text(), QStringLiteral("三声部(钢琴伴唱)"));
        types->setCurrentRow(3);
        ASSERT_EQ(staff->InstrumentList()->GetItemCount(), 3);
        EditCell(2, 2, u"打击乐器");
        types->setCurrentRow(1);
        EXPECT_EQ(staff->InstrumentList()->GetItemCount(), 2);
        EXPECT_EQ(staff->InstrumentList()->GetItemText(1, 2), u"普通乐器");
        types->setCurrentRow(3);
        EXPECT_EQ(staff->InstrumentList()->GetItemText(2, 1), u"35-原声大鼓");
        EXPECT_EQ(staff->InstrumentList()->GetItemText(2, 2), u"打击乐器");
        w.ClickButton(kIdOk);
    });
    EXPECT_EQ(staff->GetStaffType(), 3);
    const std::vector<InstrumentEntry> expected = {{0, false}, {0, false}, {35, true}};
    EXPECT_EQ(staff->GetStaffTemplates()[3].instruments, expected);
}

TEST_F(NewScoreWizardTest, ChoicesComeFromTheRowBeingEdited)
{
    Run([&](CNewScoreWizard& w) {
        staff->StaffTypeList()->setCurrentRow(1);
        EditCell(1, 2, u"打击乐器");
        CEditListCtrl* list = staff->InstrumentList();
        auto choices = [&](int row, int column) {
            list->SetFocusedRow(row);
            // Both rows selected: still only the edited row's names.
            list->selectAll();
            ChoiceList result = {u"left over"};
            staff->Port().Send(kMsgListColumnChoices, static_cast<platform::WParam>(column),
                               reinterpret_cast<platform::LParam>(&result));
            return result;
        };
        EXPECT_EQ(choices(0, 1), staff->GetPatchNames());
        EXPECT_EQ(choices(1, 1), staff->GetPercussionNames());
        EXPECT_EQ(choices(1, 2), (ChoiceList{u"普通乐器", u"打击乐器"}));
        EXPECT_EQ(choices(0, 0), ChoiceList{});
        w.ClickButton(kIdOk);
    });
}

TEST_F(NewScoreWizardTest, ClickingACellOffersTheChoicesOfItsRow)
{
    Run([&](CNewScoreWizard& w) {
        w.ClickButton(CNewScoreWizard::kIdNext);
        ASSERT_TRUE(brindle::test::ShowActive(w));
        staff->StaffTypeList()->setCurrentRow(1);
        CEditListCtrl* list = staff->InstrumentList();
        auto click = [&](int row, int column) {
            list->SetFocusedRow(row);
            brindle::test::Click(list->viewport(), list->GetCellRect(column, row).center());
            CInputComboBox* editor = list->ChoiceEditor();
            return editor && editor->IsEditing() ? editor : nullptr;
        };
        CInputComboBox* editor = click(1, 2);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->Choices(), (ChoiceList{u"普通乐器", u"打击乐器"}));
        editor->setCurrentIndex(1);
        editor->Finish();
        EXPECT_EQ(staff->GetStaffTemplates()[1].instruments[1], (InstrumentEntry{35, true}));
        EXPECT_EQ(list->GetItemText(1, 1), u"35-原声大鼓");

        editor = click(1, 1);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->Choices(), staff->GetPercussionNames());
        editor->setCurrentIndex(2);
        editor->Finish();
        EXPECT_EQ(staff->GetStaffTemplates()[1].instruments[1], (InstrumentEntry{37, true}));

        editor = click(0, 1);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->Choices(), staff->GetPatchNames());
        editor->Finish();
        w.ClickButton(kIdOk);
    });
    EXPECT_EQ(staff->GetStaffType(), 1);
}

TEST_F(NewScoreWizardTest, EditsFromAnotherListAreIgnored)
{
    Run([&](CNewScoreWizard& w) {
        ListCellEdit stray{nullptr, 0, 2, u"打击乐器"};
        staff->Port().Send(kMsgListCellEdited, CWizardStaffPage::kIdInstruments,
                           reinterpret_cast<platform::LParam>(&stray));
        staff->Port().Send(kMsgListCellEdited, 4242, reinterpret_cast<platform::LParam>(&stray));
        EXPECT_EQ(staff->GetStaffTemplates()[0].instruments[0], (InstrumentEntry{0, false}));
        w.ClickButton(kIdOk);
    });
}

TEST_F(NewScoreWizardTest, WithoutPatchNamesTheListShowsNoNames)
{
    TempFolder::Write(folder / "lists" / "PatchName.ini", "");
    Run([&](CNewScoreWizard& w) {
        EXPECT_EQ(staff->InstrumentList()->GetItemText(0, 1), u"");
        EditCell(0, 2, u"打击乐器");
        EXPECT_EQ(staff->InstrumentList()->GetItemText(0, 1), u"");
        EXPECT_EQ(staff->GetStaffTemplates()[0].instruments[0], (InstrumentEntry{0, true}));
        w.ClickButton(kIdOk);
    });
}

struct BeatCase {
    const char* name;
    int button;           // 0 .. 8
    int dialogBeats;      // what the beat dialog leaves (0: cancelled)
    int dialogBeatType;
    int beats, beatType;  // the result
};

class WizardBeatTest : public NewScoreWizardTest, public ::testing::WithParamInterface<BeatCase> {};

// The time-signature dialog's step: it starts at 4/4; the beats and beat type typed and
// confirmed, or (0) the dialog cancelled.
platform::ScriptedDialogService::ModalStep BeatDialogStep(int beats, int beatType)
{
    return [=](platform::DialogBase& d) {
        EXPECT_NE(dynamic_cast<CBeatDlg*>(&d), nullptr);
        EXPECT_EQ(d.GetDlgItemText(CBeatDlg::kIdBeatsBox), u"4");
        EXPECT_EQ(d.GetDlgItemText(CBeatDlg::kIdBeatTypeBox), u"4");
        if (beats == 0) {
            d.ClickButton(kIdCancel);
            return;
        }
        d.SetDlgItemText(CBeatDlg::kIdBeatsBox, QString::number(beats).toStdU16String());
        d.SetDlgItemText(CBeatDlg::kIdBeatTypeBox, QString::number(beatType).toStdU16String());
        d.ClickButton(kIdOk);
    };
}

TEST_P(WizardBeatTest, BeatButtonsGiveTheirSignature)
{
    const BeatCase& c = GetParam();
    Build();
    Run([&](CNewScoreWizard& w) {
        w.ClickButton(CNewScoreWizard::kIdNext);
        w.ClickButton(CNewScoreWizard::kIdNext);
        // "I" opens the time-signature dialog: it takes this step.
        if (c.button == 8)
            service.AnswerModal(BeatDialogStep(c.dialogBeats, c.dialogBeatType));
        Button(*keyTempo, CWizardKeyTempoPage::kIdFirstBeat + c.button)->click();
        w.ClickButton(kIdOk);
    });
    int beats = 0, beatType = 0;
    keyTempo->GetTimeSignature(beats, beatType);
    EXPECT_EQ(beats, c.beats);
    EXPECT_EQ(beatType, c.beatType);
    EXPECT_EQ(service.ModalCount(), c.button == 8 ? 2 : 1);
    EXPECT_EQ(service.PendingSteps(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, WizardBeatTest,
    ::testing::Values(BeatCase{"A", 0, 0, 0, 2, 2}, BeatCase{"B", 1, 0, 0, 2, 4}, BeatCase{"C", 2, 0, 0, 3, 4},
                      BeatCase{"D", 3, 0, 0, 4, 4}, BeatCase{"E", 4, 0, 0, 3, 8}, BeatCase{"F", 5, 0, 0, 6, 8},
                      BeatCase{"G", 6, 0, 0, 9, 8}, BeatCase{"H", 7, 0, 0, 12, 8},
                      BeatCase{"OtherConfirmed", 8, 5, 8, 5, 8}, BeatCase{"OtherCancelled", 8, 0, 0, 4, 4}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(NewScoreWizardTest, AnOtherBeatIsForgottenWhenAFixedOneIsChosenAfterIt)
{
    Build();
    Run([&](CNewScoreWizard& w) {
        service.AnswerModal(BeatDialogStep(5, 8));
        Button(*keyTempo, CWizardKeyTempoPage::kIdOtherBeat)->click();
        Button(*keyTempo, CWizardKeyTempoPage::kIdFirstBeat + 1)->click();
        w.ClickButton(kIdOk);
    });
    int beats = 0, beatType = 0;
    keyTempo->GetTimeSignature(beats, beatType);
    EXPECT_EQ(beats, 2);
    EXPECT_EQ(beatType, 4);
}

TEST_F(NewScoreWizardTest, KeyTempoWordsAndMetronomeMark)
{
    Run([&](CNewScoreWizard& w) {
        auto* keys = keyTempo->Control<QComboBox>(CWizardKeyTempoPage::kIdKey);
        ASSERT_EQ(keys->count(), 15);
        EXPECT_EQ(keys->itemText(0), QStringLiteral("   a"));
        EXPECT_EQ(keys->itemText(14), QStringLiteral("   o"));
        EXPECT_EQ(keys->currentIndex(), 7);
        keys->setCurrentIndex(0);

        auto* terms = keyTempo->Control<QComboBox>(CWizardKeyTempoPage::kIdTempoTerm);
        ASSERT_EQ(terms->count(), 20);
        EXPECT_EQ(terms->currentText(), QString());
        terms->setCurrentIndex(11);

        // The mark's controls follow the check box.
        auto* tempo = keyTempo->GetDlgItem(CWizardKeyTempoPage::kIdTempo);
        EXPECT_FALSE(tempo->isEnabled());
        EXPECT_FALSE(keyTempo->GetDlgItem(CWizardKeyTempoPage::kIdNoteValue)->isEnabled());
        Button(*keyTempo, CWizardKeyTempoPage::kIdExactTempo)->click();
        EXPECT_TRUE(tempo->isEnabled());
        EXPECT_TRUE(keyTempo->GetDlgItem(CWizardKeyTempoPage::kIdNoteValue)->isEnabled());
        EXPECT_TRUE(keyTempo->GetDlgItem(CWizardKeyTempoPage::kIdTempoSpin)->isEnabled());

        // The popup offers the five note values and tells the page the one picked.
        CPopupListWnd* popup = keyTempo->NoteValuePopup();
        ASSERT_EQ(popup->Items().size(), 5u);
        EXPECT_EQ(popup->Items()[0].text, u"O");
        EXPECT_EQ(popup->Items()[4].id, 5);
        EXPECT_EQ(popup->RowHeight(), 22);
        EXPECT_EQ(popup->Font().height, -20);
        EXPECT_EQ(popup->Font().FaceName(), u"Tansy Signature");
        keyTempo->Port().Send(CWizardKeyTempoPage::kMsgNoteValue, 4);
        keyTempo->Port().Send(CWizardKeyTempoPage::kMsgNoteValue, 9);  // no such value
        EXPECT_EQ(keyTempo->GetDlgItemText(CWizardKeyTempoPage::kIdNoteValue), u"R");
        keyTempo->SetDlgItemText(CWizardKeyTempoPage::kIdTempo, u"96");
        w.ClickButton(kIdOk);
    });
    EXPECT_EQ(keyTempo->GetKey(), -7);
    EXPECT_EQ(keyTempo->GetTempoTerm(), u"中速");
    EXPECT_TRUE(keyTempo->IsExactTempo());
    int beatUnit = 0, perMinute = 0;
    keyTempo->GetTempo(beatUnit, perMinute);
    EXPECT_EQ(beatUnit, 80640);
    EXPECT_EQ(perMinute, 96);
}

TEST_F(NewScoreWizardTest, ATypedTempoWordIsKept)
{
    Run([&](CNewScoreWizard& w) {
        keyTempo->Control<QComboBox>(CWizardKeyTempoPage::kIdTempoTerm)->setEditText(QStringLiteral("深情地"));
        keyTempo->Control<QComboBox>(CWizardKeyTempoPage::kIdKey)->setCurrentIndex(14);
        w.ClickButton(kIdOk);
    });
    EXPECT_EQ(keyTempo->GetTempoTerm(), u"深情地");
    EXPECT_EQ(keyTempo->GetKey(), 7);
}

TEST_F(NewScoreWizardTest, NoteValueLetters)
{
    const std::pair<char16_t, int> letters[] = {
        {u'O', 645120}, {u'P', 322560}, {u'Q', 161280}, {u'R', 80640}, {u'S', 40320}, {u'x', 161280}};
    for (const auto& [letter, ticks] : letters)
        EXPECT_EQ(CWizardKeyTempoPage::BeatUnitOf(letter), ticks);
}

TEST_F(NewScoreWizardTest, AValueThatDoesNotReadKeepsTheWizardOpenOnItsPage)
{
    EXPECT_EQ(Run([&](CNewScoreWizard& w) {
                  Button(*keyTempo, CWizardKeyTempoPage::kIdExactTempo)->click();
                  keyTempo->SetDlgItemText(CWizardKeyTempoPage::kIdTempo, u"300");
                  Button(*paper, CWizardPaperPage::kIdFixedBars)->click();
                  paper->SetDlgItemText(CWizardPaperPage::kIdBarsPerLine, u"");
                  w.ClickButton(kIdOk);
                  EXPECT_FALSE(w.IsEnded());
                  EXPECT_EQ(w.GetCurrentIndex(), 2);
                  keyTempo->SetDlgItemText(CWizardKeyTempoPage::kIdTempo, u"250");
                  w.ClickButton(kIdOk);
                  EXPECT_FALSE(w.IsEnded());
                  EXPECT_EQ(w.GetCurrentIndex(), 3);
                  paper->SetDlgItemText(CWizardPaperPage::kIdBarsPerLine, u"20");
                  w.ClickButton(kIdOk);
              }),
              kIdOk);
    ASSERT_EQ(service.MessageBoxes().size(), 2u);
    EXPECT_EQ(service.MessageBoxes()[0].text, u"请输入一个介于 40 和 250 之间的整数。");
    EXPECT_EQ(service.MessageBoxes()[1].text, platform::kMsgNotInteger);
    int beatUnit = 0, perMinute = 0;
    keyTempo->GetTempo(beatUnit, perMinute);
    EXPECT_EQ(perMinute, 250);
    EXPECT_EQ(paper->GetBarsPerLine(), 20);
}

constexpr const char* kTwoDefaults =
    "[A4]\r\nName=A4\r\nWidth=210\r\nHeight=297\r\nLeft=15\r\nTop=25\r\nRight=10\r\nBottom=25\r\nDefault=TRUE\r\n"
    "[B5]\r\nName=B5\r\nWidth=176\r\nHeight=250\r\nLeft=15\r\nTop=20\r\nRight=10\r\nBottom=20\r\nDefault=TRUE\r\n"
    "[Letter]\r\nName=Letter\r\nWidth=216\r\nHeight=279\r\nDefault=FALSE\r\n";

TEST_F(NewScoreWizardTest, TheLastDefaultPaperIsPreselected)
{
    folder.WritePapers(kTwoDefaults);
    Run([&](CNewScoreWizard& w) {
        auto* papers = paper->Control<QComboBox>(CWizardPaperPage::kIdPaper);
        ASSERT_EQ(papers->count(), 3);
        EXPECT_EQ(papers->currentText(), QStringLiteral("B5"));
        EXPECT_EQ(paper->GetDlgItemText(CWizardPaperPage::kIdWidth), u"176");
        EXPECT_EQ(paper->GetDlgItemText(CWizardPaperPage::kIdTop), u"20");
        w.ClickButton(kIdOk);
    });
    EXPECT_EQ(paper->GetPageInfo().name, u"B5");
    EXPECT_EQ(paper->GetPageInfo().height, 250);
}

TEST_F(NewScoreWizardTest, WithoutADefaultTheFirstPaperIsChosen)
{
    folder.WritePapers("[Letter]\r\nName=Letter\r\nWidth=216\r\nHeight=279\r\nLeft=10\r\nTop=10\r\nRight=10\r\n"
                       "Bottom=10\r\n[A4]\r\nName=A4\r\nWidth=210\r\nHeight=297\r\n");
    Run([](CNewScoreWizard& w) { w.ClickButton(kIdOk); });
    EXPECT_EQ(paper->GetPageInfo().name, u"Letter");
    EXPECT_EQ(paper->GetPageInfo().width, 216);
}

TEST_F(NewScoreWizardTest, LandscapeDoesNotSwapTheFields)
{
    Run([&](CNewScoreWizard& w) {
        w.ClickButton(CNewScoreWizard::kIdNext);
        w.ClickButton(CNewScoreWizard::kIdNext);
        w.ClickButton(CNewScoreWizard::kIdNext);
        Button(*paper, CWizardPaperPage::kIdLandscape)->click();
        EXPECT_EQ(paper->GetDlgItemText(CWizardPaperPage::kIdWidth), u"210");
        EXPECT_EQ(paper->GetDlgItemText(CWizardPaperPage::kIdHeight), u"297");
        w.ClickButton(kIdOk);
    });
    const PageInfo info = paper->GetPageInfo();
    EXPECT_FALSE(info.portrait);
    EXPECT_EQ(info.width, 210);
    EXPECT_EQ(info.height, 297);
    EXPECT_EQ(info.left, 15);
    EXPECT_EQ(info.top, 25);
}

TEST_F(NewScoreWizardTest, ChoosingAPaperTakesItsSizeAndKeepsTheOrientation)
{
    folder.WritePapers(kTwoDefaults);
    Run([&](CNewScoreWizard& w) {
        Button(*paper, CWizardPaperPage::kIdLandscape)->click();
        paper->SetDlgItemText(CWizardPaperPage::kIdLeft, u"30");
        paper->Control<QComboBox>(CWizardPaperPage::kIdPaper)->setCurrentIndex(2);
        EXPECT_EQ(paper->GetDlgItemText(CWizardPaperPage::kIdWidth), u"216");
        EXPECT_EQ(paper->GetDlgItemText(CWizardPaperPage::kIdLeft), u"0");
        paper->SetDlgItemText(CWizardPaperPage::kIdLeft, u"12");
        paper->SetDlgItemText(CWizardPaperPage::kIdBottom, u"12");
        EXPECT_EQ(paper->IsDlgButtonChecked(CWizardPaperPage::kIdLandscape), 1);
        w.ClickButton(kIdOk);
    });
    PageInfo expected;
    expected.name = u"Letter";
    expected.width = 216;
    expected.height = 279;
    expected.portrait = false;
    expected.left = 12;
    expected.top = expected.right = 0;
    expected.bottom = 12;
    EXPECT_EQ(paper->GetPageInfo(), expected);
}

TEST_F(NewScoreWizardTest, FixedBarsPerLine)
{
    Run([&](CNewScoreWizard& w) {
        QWidget* bars = paper->GetDlgItem(CWizardPaperPage::kIdBarsPerLine);
        EXPECT_FALSE(bars->isEnabled());
        EXPECT_FALSE(paper->GetDlgItem(CWizardPaperPage::kIdBarsPerLineSpin)->isEnabled());
        Button(*paper, CWizardPaperPage::kIdFixedBars)->click();
        EXPECT_TRUE(bars->isEnabled());
        EXPECT_TRUE(paper->GetDlgItem(CWizardPaperPage::kIdBarsPerLineSpin)->isEnabled());
        paper->SetDlgItemText(CWizardPaperPage::kIdBarsPerLine, u"4");
        w.ClickButton(kIdOk);
    });
    EXPECT_TRUE(paper->IsFixedBarsPerLine());
    EXPECT_EQ(paper->GetBarsPerLine(), 4);
}

TEST_F(NewScoreWizardTest, WithoutPapersTheWizardOffersAnA4SizedPage)
{
    folder.WritePapers("");
    Run([&](CNewScoreWizard& w) {
        EXPECT_EQ(paper->Control<QComboBox>(CWizardPaperPage::kIdPaper)->count(), 0);
        w.ClickButton(kIdOk);
    });
    EXPECT_EQ(paper->GetPageInfo(), PageInfo{});
}

struct PaperFaultCase {
    const char* name;
    int field;  // set to `text`; on A4 (210 x 297, margins 15, 25, 10, 25)
    const char16_t* text;
    int secondField;  // and this one to `secondText` (0: none)
    const char16_t* secondText;
    const char16_t* message;
};

class WizardPaperFaultTest : public NewScoreWizardTest, public ::testing::WithParamInterface<PaperFaultCase> {};

TEST_P(WizardPaperFaultTest, AnUnusablePaperKeepsTheWizardOpenOnThePaperPage)
{
    const PaperFaultCase& c = GetParam();
    EXPECT_EQ(Run([&](CNewScoreWizard& w) {
                  const std::u16string before = paper->GetDlgItemText(c.field);
                  paper->SetDlgItemText(c.field, c.text);
                  if (c.secondField)
                      paper->SetDlgItemText(c.secondField, c.secondText);
                  w.ClickButton(kIdOk);
                  EXPECT_FALSE(w.IsEnded());
                  EXPECT_EQ(w.GetCurrentIndex(), 3);
                  EXPECT_TRUE(paper->isVisibleTo(&w));
                  // Put right, the wizard finishes.
                  paper->SetDlgItemText(c.field, before);
                  w.ClickButton(kIdOk);
              }),
              kIdOk);
    ASSERT_EQ(service.MessageBoxes().size(), 1u);
    EXPECT_EQ(service.MessageBoxes()[0].text, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, WizardPaperFaultTest,
    ::testing::Values(
        PaperFaultCase{"NoWidth", CWizardPaperPage::kIdWidth, u"0", 0, u"", u"页面的宽和长必须大于0。"},
        PaperFaultCase{"NoHeight", CWizardPaperPage::kIdHeight, u"0", 0, u"", u"页面的宽和长必须大于0。"},
        PaperFaultCase{"SideMarginsFillTheWidth", CWizardPaperPage::kIdWidth, u"100", CWizardPaperPage::kIdLeft,
                       u"90", u"左、右页边距之和必须小于页面的宽。"},
        PaperFaultCase{"TopMarginsFillTheHeight", CWizardPaperPage::kIdHeight, u"50", 0, u"",
                       u"上、下页边距之和必须小于页面的长。"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(NewScoreWizardTest, ScreenshotOfEveryPage)
{
    ASSERT_TRUE(dialog_test::AddMusicFonts());
    Build();
    Run([&](CNewScoreWizard& w) {
        w.show();
        for (int page = 0; page < 4; ++page) {
            if (page == 1)
                EditCell(0, 1, u"41-小提琴");
            if (page == 2) {
                Button(*keyTempo, CWizardKeyTempoPage::kIdExactTempo)->click();
                keyTempo->Control<QComboBox>(CWizardKeyTempoPage::kIdTempoTerm)->setCurrentIndex(11);
            }
            QApplication::processEvents();
            dialog_test::SaveScreenshot(w.grab().toImage(), "wizard_page_" + std::to_string(page + 1) + ".png");
            w.ClickButton(CNewScoreWizard::kIdNext);
        }
        w.ClickButton(kIdCancel);
    });
}

}  // namespace
}  // namespace brindle
