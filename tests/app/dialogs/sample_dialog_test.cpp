// A sample dialog with every control of this folder, for people to look at:
//     build/bin/test_app_dialogs --gtest_filter='Specimen.*'
// writes build/bin/specimen/dialog_controls.png (or into $BRINDLE_SPECIMEN_DIR): number
// fields with their spin buttons, the note-value button with its popup list dropped, and
// the instrument list with a cell being edited.
#include "app/dialogs/edit_list_ctrl.h"
#include "app/dialogs/input_edit.h"
#include "app/dialogs/num_edit.h"
#include "app/dialogs/num_spin_ctrl.h"
#include "app/dialogs/popup_list_wnd.h"
#include "dialog_test_util.h"
#include "platform/dialog_service.h"
#include "platform/font_mapper.h"
#include "platform/font_resources.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace {

using brindle::CEditListCtrl;
using brindle::CNumEdit;
using brindle::CNumSpinCtrl;
using brindle::CPopupListWnd;

quaverly::LogFont SignatureFont()
{
    quaverly::LogFont font;
    font.height = -22;
    font.charSet = 1;
    font.quality = 4;
    font.SetFaceName(u"Tansy Signature");
    return font;
}

class SampleDialog : public platform::DialogBase {
public:
    SampleDialog() : DialogBase(nullptr, 0)
    {
        setWindowTitle(QStringLiteral("控件示例"));
        auto* grid = new QGridLayout(this);
        const auto numberRow = [&](int row, const char16_t* label, float minimum, float maximum, float value,
                                   float step) {
            grid->addWidget(new QLabel(QString::fromUtf16(label), this), row, 0);
            auto* pair = new QHBoxLayout;
            pair->setSpacing(0);
            auto* edit = new CNumEdit(this);
            auto* spin = new CNumSpinCtrl(this);
            edit->setFixedWidth(70);
            spin->setFixedHeight(edit->sizeHint().height());
            pair->addWidget(edit);
            pair->addWidget(spin);
            pair->addStretch();
            grid->addLayout(pair, row, 1);
            spin->SetBuddy(edit);
            spin->SetRange(minimum, maximum);
            spin->SetPos(value);
            spin->SetDelta(step);
            return spin;
        };
        numberRow(0, u"添加小节数：", 1, 1000, 4, 1);
        numberRow(1, u"添加位置(之后)：", 1, 32, 8, 1);
        CNumSpinCtrl* margin = numberRow(2, u"左边距(mm)：", 0, 50, 12.5f, 0.5f);
        margin->Step(1);

        auto* tempo = new QHBoxLayout;
        noteButton = new QPushButton(QStringLiteral("Q"), this);
        noteButton->setFont(platform::FontMapper::ToQFont(SignatureFont(), 22));
        noteButton->setFixedSize(40, 32);
        tempo->addWidget(noteButton);
        tempo->addWidget(new QLabel(QStringLiteral("＝"), this));
        auto* bpm = new CNumEdit(this);
        bpm->SetDigitsOnly(true);
        bpm->setFixedWidth(60);
        auto* bpmSpin = new CNumSpinCtrl(this);
        bpmSpin->setFixedHeight(bpm->sizeHint().height());
        bpmSpin->SetBuddy(bpm);
        bpmSpin->SetRange(40, 250);
        bpmSpin->SetPos(100);
        tempo->setSpacing(4);
        tempo->addWidget(bpm);
        tempo->addWidget(bpmSpin);
        tempo->addStretch();
        grid->addWidget(new QLabel(QStringLiteral("节拍："), this), 3, 0);
        grid->addLayout(tempo, 3, 1);

        list = new CEditListCtrl(this);
        list->setMinimumSize(330, 120);
        list->InsertColumn(0, u"声部", Qt::AlignHCenter, 40);
        list->InsertColumn(1, u"乐　器", Qt::AlignHCenter, 200);
        list->InsertColumn(2, u"乐器类型", Qt::AlignHCenter, 80);
        const char16_t* names[] = {u"1-Acoustic Grand Piano", u"41-Violin", u"74-Flute", u"36-Bass Drum 1"};
        const char16_t* kinds[] = {u"普通", u"普通", u"普通", u"打击"};
        for (int r = 0; r < 4; ++r) {
            list->InsertItem(r, std::u16string(1, static_cast<char16_t>(u'1' + r)));
            list->SetItemText(r, 1, names[r]);
            list->SetItemText(r, 2, kinds[r]);
        }
        list->SetChoiceColumn(2, true);
        list->SetReadOnlyColumn(0, true);
        list->SetLabelEditing(true);
        grid->addWidget(new QLabel(QStringLiteral("乐　器："), this), 4, 0, Qt::AlignTop);
        grid->addWidget(list, 4, 1);

        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        auto* ok = new QPushButton(QStringLiteral("确定"), this);
        auto* cancel = new QPushButton(QStringLiteral("取消"), this);
        buttons->addWidget(ok);
        buttons->addWidget(cancel);
        AddControl(platform::kIdOk, ok);
        AddControl(platform::kIdCancel, cancel);
        grid->addLayout(buttons, 5, 0, 1, 2);

        popup = new CPopupListWnd(this);
        popup->resize(40, 110);
        popup->SetFont(SignatureFont());
        popup->SetNotify(&Port(), platform::kWmUser + 100);
        popup->SetRowHeight(22);
        for (int id = 1; id <= 5; ++id)
            popup->AddItem(std::u16string(1, static_cast<char16_t>(u'N' + id)), id);
    }

    QPushButton* noteButton;
    CEditListCtrl* list;
    CPopupListWnd* popup;
};

void SaveSpecimen(const QImage& image, const char* name)
{
    const char* dir = std::getenv("BRINDLE_SPECIMEN_DIR");
    const std::filesystem::path folder =
        dir ? std::filesystem::path(dir) : std::filesystem::path(BRINDLE_BIN_DIR) / "specimen";
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / name;
    ASSERT_TRUE(image.save(QString::fromStdString(file.string())));
    std::cout << "specimen page: " << file.string() << "\n";
}

TEST(Specimen, DialogControls)
{
    platform::AddFontResource(std::filesystem::path(BRINDLE_SOURCE_DIR) / "data" / "fonts" / "Tansy.ttc");
    SampleDialog dialog;
    dialog.resize(420, 400);
    ASSERT_TRUE(brindle::test::ShowActive(dialog));
    brindle::test::ProcessEvents();

    // The popup as dropped under the note-value button, the pointer on the half note. It
    // hides when the cell editor takes the focus, so the picture is composed afterwards.
    const QPoint under = dialog.noteButton->mapTo(&dialog, QPoint(0, dialog.noteButton->height()));
    dialog.popup->move(dialog.mapToGlobal(under));
    dialog.popup->show();
    brindle::test::MoveMouse(dialog.popup, QPoint(20, 1 + 22 + 11));
    EXPECT_EQ(dialog.popup->HotRow(), 1);
    brindle::test::ProcessEvents();
    dialog.popup->hide();
    ASSERT_TRUE(brindle::test::ShowActive(dialog));

    // A cell of the focused row being edited.
    dialog.list->SetFocusedRow(1);
    brindle::test::Click(dialog.list->viewport(),
                         dialog.list->visualRect(dialog.list->model()->index(1, 1)).center());
    ASSERT_NE(dialog.list->TextEditor(), nullptr);
    ASSERT_TRUE(dialog.list->TextEditor()->IsEditing());
    dialog.list->TextEditor()->end(false);
    brindle::test::Type(QStringLiteral(" (solo)"));
    brindle::test::ProcessEvents();
    ASSERT_TRUE(dialog.list->TextEditor()->IsEditing());
    EXPECT_FALSE(dialog.popup->isVisible());

    QImage image = dialog.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    {
        QPainter painter(&image);
        painter.drawImage(under, dialog.popup->Render());
    }
    SaveSpecimen(image, "dialog_controls.png");
}

}  // namespace
