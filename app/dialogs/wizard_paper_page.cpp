#include "app/dialogs/wizard_paper_page.h"

#include "app/dialogs/num_spin_ctrl.h"
#include "app/dialogs/paper_fields.h"
#include "platform/data_exchange.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace brindle {
namespace {

struct NumberField {
    const char16_t* label;
    int edit;
    int spin;
    int minimum;
    int maximum;
};

constexpr NumberField kSizeFields[] = {
    {u"长：", CWizardPaperPage::kIdHeight, CWizardPaperPage::kIdHeightSpin, 0, 1000},
    {u"宽：", CWizardPaperPage::kIdWidth, CWizardPaperPage::kIdWidthSpin, 0, 1000},
};
constexpr NumberField kMarginFields[] = {
    {u"上：", CWizardPaperPage::kIdTop, CWizardPaperPage::kIdTopSpin, 0, 100},
    {u"下：", CWizardPaperPage::kIdBottom, CWizardPaperPage::kIdBottomSpin, 0, 100},
    {u"左：", CWizardPaperPage::kIdLeft, CWizardPaperPage::kIdLeftSpin, 0, 100},
    {u"右：", CWizardPaperPage::kIdRight, CWizardPaperPage::kIdRightSpin, 0, 100},
};
constexpr NumberField kBarsField = {u"", CWizardPaperPage::kIdBarsPerLine, CWizardPaperPage::kIdBarsPerLineSpin, 1, 20};

}  // namespace

CWizardPaperPage::CWizardPaperPage(const DataFolder& folder) : CWizardPage(kTemplateId), folder_(folder)
{
    auto addNumber = [this](QGridLayout* grid, int row, int column, const NumberField& field, QWidget* parent) {
        AddNumberField(*this, grid, row, column, field.label, field.edit, field.spin, parent);
    };

    auto* sizeBox = new QGroupBox(QStringLiteral("页面大小（毫米）"), this);
    auto* sizeGrid = new QGridLayout(sizeBox);
    paperList_ = new QComboBox(sizeBox);
    paperList_->setMinimumWidth(120);
    sizeGrid->addWidget(paperList_, 0, 0, 1, 3);
    addNumber(sizeGrid, 1, 0, kSizeFields[0], sizeBox);
    addNumber(sizeGrid, 2, 0, kSizeFields[1], sizeBox);
    AddControl(kIdPaper, paperList_);

    QGroupBox* turnBox = AddOrientationBox(*this, kIdPortrait, kIdLandscape, this);
    static_cast<QVBoxLayout*>(turnBox->layout())->addStretch(1);

    auto* marginBox = new QGroupBox(QStringLiteral("页边距（毫米）"), this);
    auto* marginGrid = new QGridLayout(marginBox);
    addNumber(marginGrid, 0, 0, kMarginFields[0], marginBox);
    addNumber(marginGrid, 0, 3, kMarginFields[1], marginBox);
    addNumber(marginGrid, 1, 0, kMarginFields[2], marginBox);
    addNumber(marginGrid, 1, 3, kMarginFields[3], marginBox);

    auto* barsBox = new QWidget(this);
    auto* barsGrid = new QGridLayout(barsBox);
    barsGrid->setContentsMargins(0, 0, 0, 0);
    auto* automatic = new QRadioButton(QStringLiteral("自动计算每行小节数"), barsBox);
    auto* fixed = new QRadioButton(QStringLiteral("每行小节数固定为："), barsBox);
    barsGrid->addWidget(automatic, 0, 0, 1, 3);
    barsGrid->addWidget(fixed, 1, 0);
    addNumber(barsGrid, 1, 0, kBarsField, barsBox);
    barsGrid->setColumnStretch(3, 1);
    AddControl(kIdAutoBars, automatic);
    AddControl(kIdFixedBars, fixed);
    MapCommand(kIdAutoBars, [this] { ApplyBarsMode(); });
    MapCommand(kIdFixedBars, [this] { ApplyBarsMode(); });

    auto* top = new QHBoxLayout;
    top->addWidget(sizeBox);
    top->addWidget(turnBox);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(marginBox);
    layout->addWidget(barsBox);
    layout->addStretch(1);

    connect(paperList_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (initialising_ || index < 0)
            return;
        // Keep what the user set in the other fields (orientation, bars per line).
        UpdateData(true);
        SelectPaper(index);
        UpdateData(false);
    });
}

bool CWizardPaperPage::OnInitDialog()
{
    initialising_ = true;
    const int chosen = LoadPaperList(folder_, papers_, *paperList_);
    if (papers_.empty()) {
        const PageInfo fresh;
        width_ = fresh.width;
        height_ = fresh.height;
        left_ = fresh.left;
        top_ = fresh.top;
        right_ = fresh.right;
        bottom_ = fresh.bottom;
    } else {
        SelectPaper(chosen);
    }
    for (const NumberField& field : kSizeFields)
        if (auto* spin = Control<CNumSpinCtrl>(field.spin))
            spin->SetRange(static_cast<float>(field.minimum), static_cast<float>(field.maximum));
    for (const NumberField& field : kMarginFields)
        if (auto* spin = Control<CNumSpinCtrl>(field.spin))
            spin->SetRange(static_cast<float>(field.minimum), static_cast<float>(field.maximum));
    if (auto* spin = Control<CNumSpinCtrl>(kBarsField.spin))
        spin->SetRange(static_cast<float>(kBarsField.minimum), static_cast<float>(kBarsField.maximum));
    const bool result = CWizardPage::OnInitDialog();
    ApplyBarsMode();
    initialising_ = false;
    return result;
}

void CWizardPaperPage::SelectPaper(int index)
{
    if (index < 0 || index >= static_cast<int>(papers_.size()))
        return;
    const PageInfo& paper = papers_[static_cast<std::size_t>(index)];
    paperList_->setCurrentIndex(index);
    width_ = paper.width;
    height_ = paper.height;
    left_ = paper.left;
    top_ = paper.top;
    right_ = paper.right;
    bottom_ = paper.bottom;
}

void CWizardPaperPage::ApplyBarsMode()
{
    const bool fixed = IsDlgButtonChecked(kIdFixedBars) != 0;
    for (int id : {kIdBarsPerLine, kIdBarsPerLineSpin})
        if (QWidget* control = GetDlgItem(id))
            control->setEnabled(fixed);
}

void CWizardPaperPage::DoDataExchange(platform::DataExchange& dx)
{
    auto number = [&dx](int id, int& value, int minimum, int maximum) {
        ExchangeNumberField(dx, id, value, minimum, maximum);
    };
    number(kIdHeight, height_, 0, 1000);
    number(kIdWidth, width_, 0, 1000);
    number(kIdTop, top_, 0, 100);
    number(kIdBottom, bottom_, 0, 100);
    number(kIdLeft, left_, 0, 100);
    number(kIdRight, right_, 0, 100);
    dx.Radio(kIdPortrait, orientation_);
    dx.Radio(kIdAutoBars, barsMode_);
    number(kIdBarsPerLine, barsPerLine_, 1, 20);
}

bool CWizardPaperPage::StoreValues()
{
    if (!CWizardPage::StoreValues())
        return false;
    paperIndex_ = paperList_->currentIndex();
    return AcceptPaper(*this, GetPageInfo(), {kIdWidth, kIdHeight, kIdLeft, kIdTop});
}

PageInfo CWizardPaperPage::GetPageInfo() const
{
    PageInfo info;
    if (paperIndex_ >= 0 && paperIndex_ < static_cast<int>(papers_.size()))
        info.name = papers_[static_cast<std::size_t>(paperIndex_)].name;
    info.width = width_;
    info.height = height_;
    info.portrait = orientation_ == 0;
    info.left = left_;
    info.top = top_;
    info.right = right_;
    info.bottom = bottom_;
    return info;
}

}  // namespace brindle
