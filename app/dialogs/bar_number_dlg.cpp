#include "app/dialogs/bar_number_dlg.h"

#include "app/dialogs/dialog_util.h"
#include "app/dialogs/up_down_ctrl.h"
#include "platform/data_exchange.h"
#include "platform/dialog_service.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <limits>

namespace brindle {
namespace {

// The dialog is laid out by coordinates, as its collapsing moves things by a fixed
// height.
constexpr int kWidth = 400;
constexpr int kAdvancedTop = 150;
constexpr int kButtonTop = kAdvancedTop + CBarNumberDlg::kCollapseHeight + 10;
constexpr int kExpandedHeight = kButtonTop + 40;

QLabel* Label(const char16_t* text, QWidget* parent, int x, int y, int width = 60)
{
    auto* label = new QLabel(ToQString(text), parent);
    label->setGeometry(x, y, width, 22);
    return label;
}

}  // namespace

CBarNumberDlg::CBarNumberDlg(QWidget* parent) : DialogBase(parent, kTemplateId)
{
    setWindowTitle(QStringLiteral("添加小节序号对话框"));

    const auto edit = [this](int id, QWidget* parentWidget, int x, int y) {
        auto* line = new QLineEdit(parentWidget);
        line->setGeometry(x, y, 70, 24);
        AddControl(id, line);
        return line;
    };
    const auto upDown = [this](int id, QLineEdit* buddy) {
        auto* control = new CUpDownCtrl(buddy->parentWidget());
        control->setGeometry(buddy->geometry().right() + 1, buddy->geometry().top(), 18, 24);
        control->SetBuddy(buddy);
        AddControl(id, control);
        return control;
    };

    auto* modeGroup = new QGroupBox(this);
    modeGroup->setGeometry(10, 10, kWidth - 20, 60);
    auto* firstOfLine = new QRadioButton(QStringLiteral("每行首小节"), modeGroup);
    firstOfLine->setGeometry(12, 18, 130, 24);
    auto* everyN = new QRadioButton(QStringLiteral("间隔小节"), modeGroup);
    everyN->setGeometry(160, 18, 110, 24);
    AddControl(kIdFirstOfLine, firstOfLine);
    AddControl(kIdEveryN, everyN);
    upDown(kIdIntervalUpDown, edit(kIdInterval, modeGroup, 275, 18));

    auto* frameGroup = new QGroupBox(this);
    frameGroup->setGeometry(10, 80, kWidth - 20, 60);
    const struct {
        int id;
        const char16_t* text;
    } frames[] = {{kIdFrameNone, u"无"}, {kIdFrameBrackets, u"括号"}, {kIdFrameBox, u"方框"}, {kIdFrameCircle, u"圆环"}};
    int x = 12;
    for (const auto& frame : frames) {
        auto* button = new QRadioButton(ToQString(frame.text), frameGroup);
        button->setGeometry(x, 18, 80, 24);
        AddControl(frame.id, button);
        x += 90;
    }

    auto* offsetGroup = new QGroupBox(QStringLiteral("偏移(0.1mm)"), this);
    offsetGroup->setGeometry(10, kAdvancedTop, kWidth - 20, 60);
    Label(u"X:", offsetGroup, 12, 24, 24);
    edit(kIdOffsetX, offsetGroup, 40, 23);
    Label(u"Y:", offsetGroup, 170, 24, 24);
    edit(kIdOffsetY, offsetGroup, 198, 23);

    auto* countGroup = new QGroupBox(QStringLiteral("计数"), this);
    countGroup->setGeometry(10, kAdvancedTop + 70, kWidth - 20, 60);
    Label(u"从指定小节开始计数:", countGroup, 12, 24, 180);
    upDown(kIdFirstCountedUpDown, edit(kIdFirstCounted, countGroup, 200, 23));

    auto* rangeGroup = new QGroupBox(QStringLiteral("计数范围"), this);
    rangeGroup->setGeometry(10, kAdvancedTop + 140, kWidth - 20, 60);
    Label(u"从", rangeGroup, 12, 24, 24);
    upDown(kIdRangeFromUpDown, edit(kIdRangeFrom, rangeGroup, 40, 23));
    Label(u"到", rangeGroup, 170, 24, 24);
    upDown(kIdRangeToUpDown, edit(kIdRangeTo, rangeGroup, 198, 23));
    offsetGroup_ = offsetGroup;
    countGroup_ = countGroup;
    rangeGroup_ = rangeGroup;

    advancedButton_ = QRect(10, kButtonTop, 100, 28);
    okButton_ = QRect(kWidth - 200, kButtonTop, 90, 28);
    cancelButton_ = QRect(kWidth - 100, kButtonTop, 90, 28);
    AddButton(*this, kIdAdvanced, u"高级(&A)")->setGeometry(advancedButton_);
    AddButton(*this, platform::kIdOk, kTextOk)->setGeometry(okButton_);
    AddButton(*this, platform::kIdCancel, kTextCancel)->setGeometry(cancelButton_);
    expandedSize_ = QSize(kWidth, kExpandedHeight);
    setFixedSize(expandedSize_);
    collapsed_ = false;

    MapCommand(kIdAdvanced, [this] {
        if (collapsed_)
            Expand();
        else
            Collapse();
    });
    MapCommand(kIdEveryN, [this] { EnableInterval(true); });
    MapCommand(kIdFirstOfLine, [this] { EnableInterval(false); });
}

void CBarNumberDlg::EnableInterval(bool on)
{
    GetDlgItem(kIdInterval)->setEnabled(on);
    GetDlgItem(kIdIntervalUpDown)->setEnabled(on);
}

void CBarNumberDlg::PlaceButtons(int shift)
{
    GetDlgItem(kIdAdvanced)->setGeometry(advancedButton_.translated(0, shift));
    GetDlgItem(platform::kIdOk)->setGeometry(okButton_.translated(0, shift));
    GetDlgItem(platform::kIdCancel)->setGeometry(cancelButton_.translated(0, shift));
}

// Both are taken from the expanded geometry, so collapsing twice shrinks only once.
void CBarNumberDlg::Collapse()
{
    for (QWidget* part : {offsetGroup_, countGroup_, rangeGroup_})
        part->hide();
    setFixedSize(expandedSize_.width(), expandedSize_.height() - kCollapseHeight);
    PlaceButtons(-kCollapseHeight);
    collapsed_ = true;
}

void CBarNumberDlg::Expand()
{
    for (QWidget* part : {offsetGroup_, countGroup_, rangeGroup_})
        part->show();
    setFixedSize(expandedSize_);
    PlaceButtons(0);
    collapsed_ = false;
}

bool CBarNumberDlg::OnInitDialog()
{
    Control<CUpDownCtrl>(kIdIntervalUpDown)->SetRange(1, kMaxInterval);
    Control<CUpDownCtrl>(kIdFirstCountedUpDown)->SetRange(1, 1000);
    Control<CUpDownCtrl>(kIdRangeFromUpDown)->SetRange(1, 1000);
    Control<CUpDownCtrl>(kIdRangeToUpDown)->SetRange(1, 10000);
    offsetX_ = 0;
    offsetY_ = -50;
    EnableInterval(false);
    Collapse();
    return DialogBase::OnInitDialog();
}

void CBarNumberDlg::DoDataExchange(platform::DataExchange& dx)
{
    // The field being exchanged, so that a refusal can be traced to its control.
    const auto at = [&](int id) {
        if (!dx.Failed())
            exchanging_ = id;
    };
    modes_.Exchange(dx, mode_);
    frames_.Exchange(dx, frame_);
    // Every N bars needs an N the editor can divide by. With the first bar of each line
    // the field is disabled and not read, so it cannot stop the dialog.
    if (!dx.SaveAndValidate() || mode_ == 1) {
        at(kIdInterval);
        dx.Int(kIdInterval, interval_);
        dx.MinMaxInt(interval_, 1, kMaxInterval);
    }
    at(kIdOffsetX);
    dx.Int(kIdOffsetX, offsetX_);
    dx.MinMaxInt(offsetX_, -kMaxOffset, kMaxOffset);
    at(kIdOffsetY);
    dx.Int(kIdOffsetY, offsetY_);
    dx.MinMaxInt(offsetY_, -kMaxOffset, kMaxOffset);
    at(kIdFirstCounted);
    ExchangeBarNumber(dx, kIdFirstCounted, firstCounted_);
    at(kIdRangeFrom);
    dx.Unsigned(kIdRangeFrom, rangeFrom_);
    dx.MinMaxUnsigned(rangeFrom_, 1, kMaxBarNumber);
    at(kIdRangeTo);
    ExchangeBarNumber(dx, kIdRangeTo, rangeTo_,
                      dx.SaveAndValidate() && rangeFrom_ <= static_cast<unsigned>(kMaxBarNumber)
                          ? static_cast<int>(rangeFrom_)
                          : 1);
}

void CBarNumberDlg::OnOK()
{
    exchanging_ = 0;
    if (UpdateData(true)) {
        EndDialog(platform::kIdOk);
        return;
    }
    // A refused field of the hidden part is shown, to be put right.
    QWidget* refused = GetDlgItem(exchanging_);
    if (collapsed_ && refused && refused != GetDlgItem(kIdInterval)) {
        Expand();
        refused->setFocus();
    }
}

void CBarNumberDlg::GetBarNumberFormat(quaverly::BarNumberFormat& format) const
{
    format.format = mode_ < 0 ? 0 : mode_;
    format.decorator = frame_ < 0 ? 0 : frame_;
    format.index = 0;
    format.interval = interval_;
    format.countFrom = firstCounted_ - 1;
    format.firstNumber = static_cast<int>(rangeFrom_) - 1;
    format.lastNumber = rangeTo_ - 1;
    format.hOffset = offsetX_ * 10;
    format.vOffset = offsetY_ * 10;
}

}  // namespace brindle
