#include "app/dialogs/page_setup_dlg.h"

#include "app/dialogs/num_spin_ctrl.h"
#include "app/dialogs/paper_fields.h"
#include "platform/data_exchange.h"
#include "platform/dialog_service.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace brindle {
namespace {

struct NumberField {
    const char16_t* label;
    int edit;
    int spin;
    int maximum;
};

constexpr NumberField kFields[] = {
    {u"宽：", CPageSetupDlg::kIdWidth, CPageSetupDlg::kIdWidthSpin, 1000},
    {u"长：", CPageSetupDlg::kIdHeight, CPageSetupDlg::kIdHeightSpin, 1000},
    {u"上：", CPageSetupDlg::kIdTop, CPageSetupDlg::kIdTopSpin, 100},
    {u"下：", CPageSetupDlg::kIdBottom, CPageSetupDlg::kIdBottomSpin, 100},
    {u"左：", CPageSetupDlg::kIdLeft, CPageSetupDlg::kIdLeftSpin, 100},
    {u"右：", CPageSetupDlg::kIdRight, CPageSetupDlg::kIdRightSpin, 100},
};

}  // namespace

CPageSetupDlg::CPageSetupDlg(QWidget* parent, const DataFolder& folder)
    : DialogBase(parent, kTemplateId), folder_(folder)
{
    setWindowTitle(QStringLiteral("页面设置对话框"));
    auto addNumber = [this](QGridLayout* grid, int row, int column, const NumberField& field, QWidget* box) {
        AddNumberField(*this, grid, row, column, field.label, field.edit, field.spin, box);
    };

    auto* sizeBox = new QGroupBox(QStringLiteral("页面大小（毫米）"), this);
    auto* sizeGrid = new QGridLayout(sizeBox);
    paperList_ = new QComboBox(sizeBox);
    paperList_->setMinimumWidth(120);
    sizeGrid->addWidget(paperList_, 0, 0, 1, 6);
    addNumber(sizeGrid, 1, 0, kFields[0], sizeBox);
    addNumber(sizeGrid, 1, 3, kFields[1], sizeBox);
    AddControl(kIdPaper, paperList_);

    QGroupBox* turnBox = AddOrientationBox(*this, kIdPortrait, kIdLandscape, this);

    auto* marginBox = new QGroupBox(QStringLiteral("页边距（毫米）"), this);
    auto* marginGrid = new QGridLayout(marginBox);
    addNumber(marginGrid, 0, 0, kFields[2], marginBox);
    addNumber(marginGrid, 0, 3, kFields[3], marginBox);
    addNumber(marginGrid, 1, 0, kFields[4], marginBox);
    addNumber(marginGrid, 1, 3, kFields[5], marginBox);

    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    ok->setDefault(true);
    AddControl(platform::kIdOk, ok);
    AddControl(platform::kIdCancel, cancel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* top = new QHBoxLayout;
    top->addWidget(sizeBox, 1);
    top->addWidget(turnBox);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(marginBox);
    layout->addLayout(buttons);

    connect(paperList_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (initialising_ || index < 0 || index >= static_cast<int>(papers_.size()))
            return;
        UpdateData(true);
        SetPageInfo(papers_[static_cast<std::size_t>(index)]);
        UpdateData(false);
    });
}

void CPageSetupDlg::SetPageInfo(const PageInfo& info)
{
    name_ = info.name;
    width_ = info.width;
    height_ = info.height;
    top_ = info.top;
    bottom_ = info.bottom;
    left_ = info.left;
    right_ = info.right;
    orientation_ = info.portrait ? 0 : 1;
}

PageInfo CPageSetupDlg::GetPageInfo() const
{
    PageInfo info;
    info.name = chosen_ >= 0 && chosen_ < static_cast<int>(papers_.size())
                    ? papers_[static_cast<std::size_t>(chosen_)].name
                    : name_;
    info.width = width_;
    info.height = height_;
    info.portrait = orientation_ == 0;
    info.left = left_;
    info.top = top_;
    info.right = right_;
    info.bottom = bottom_;
    return info;
}

bool CPageSetupDlg::OnInitDialog()
{
    initialising_ = true;
    LoadPaperList(folder_, papers_, *paperList_);
    int position = -1;
    for (std::size_t i = 0; i < papers_.size() && position < 0; ++i)
        if (papers_[i].name == name_)
            position = static_cast<int>(i);
    if (position < 0 && !papers_.empty())
        position = 0;
    paperList_->setCurrentIndex(position);
    for (const NumberField& field : kFields)
        if (auto* spin = Control<CNumSpinCtrl>(field.spin)) {
            spin->SetRange(0, static_cast<float>(field.maximum));
            spin->SetPos(0);
            spin->SetDelta(1);
        }
    const bool result = DialogBase::OnInitDialog();
    initialising_ = false;
    return result;
}

void CPageSetupDlg::DoDataExchange(platform::DataExchange& dx)
{
    for (const NumberField& field : kFields) {
        int& value = field.edit == kIdWidth    ? width_
                     : field.edit == kIdHeight ? height_
                     : field.edit == kIdTop    ? top_
                     : field.edit == kIdBottom ? bottom_
                     : field.edit == kIdLeft   ? left_
                                               : right_;
        ExchangeNumberField(dx, field.edit, value, 0, field.maximum);
    }
    dx.Radio(kIdPortrait, orientation_);
}

void CPageSetupDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    chosen_ = paperList_->currentIndex();
    if (!AcceptPaper(*this, GetPageInfo(), {kIdWidth, kIdHeight, kIdLeft, kIdTop}))
        return;
    EndDialog(platform::kIdOk);
}

}  // namespace brindle
