#include "app/dialogs/edit_symbol_dlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/dialogs/num_edit.h"
#include "app/dialogs/num_spin_ctrl.h"
#include "app/dialogs/symbol_preview_wnd.h"
#include "engine/model/int_clamp.h"
#include "platform/data_exchange.h"
#include "platform/dialog_service.h"

namespace brindle {
namespace {

constexpr int kPlacementCount = 4;

// An integer field with its spin buttons in a row.
QHBoxLayout* FieldRow(CNumEdit* edit, CNumSpinCtrl* spin)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    row->addWidget(edit);
    row->addWidget(spin);
    return row;
}

}  // namespace

CEditSymbolDlg::CEditSymbolDlg(QWidget* parent) : DialogBase(parent, kTemplateId), preview_(new CSymbolPreviewWnd(this))
{
    setWindowTitle(QStringLiteral("编辑符号"));
    preview_->setFixedSize(240, 200);

    auto* size = new CNumEdit(this);
    auto* sizeSpin = new CNumSpinCtrl(this);
    auto* horizontal = new CNumEdit(this);
    auto* horizontalSpin = new CNumSpinCtrl(this);
    auto* vertical = new CNumEdit(this);
    auto* verticalSpin = new CNumSpinCtrl(this);
    for (CNumEdit* edit : {size, horizontal, vertical})
        edit->setFixedWidth(64);
    AddControl(kIdPreview, preview_);
    AddControl(kIdSize, size);
    AddControl(kIdSizeSpin, sizeSpin);
    AddControl(kIdHorizontal, horizontal);
    AddControl(kIdHorizontalSpin, horizontalSpin);
    AddControl(kIdVertical, vertical);
    AddControl(kIdVerticalSpin, verticalSpin);

    auto* sizeGroup = new QGroupBox(QStringLiteral("符号大小："), this);
    auto* sizeLayout = new QHBoxLayout(sizeGroup);
    sizeLayout->addLayout(FieldRow(size, sizeSpin));
    sizeLayout->addStretch();

    auto* placeGroup = new QGroupBox(QStringLiteral("位于音符的："), this);
    auto* placeLayout = new QGridLayout(placeGroup);
    const char16_t* const names[kPlacementCount] = {u"上面", u"下面", u"左面", u"右面"};
    for (int i = 0; i < kPlacementCount; ++i) {
        auto* radio = new QRadioButton(QString::fromUtf16(names[i]), placeGroup);
        AddControl(kIdAbove + i, radio);
        placeLayout->addWidget(radio, i / 2, i % 2);
        MapCommand(kIdAbove + i, [this, i] { preview_->SetPlacement(i); });
    }

    auto* offsetGroup = new QGroupBox(QStringLiteral("偏移(0.1mm)"), this);
    auto* offsetLayout = new QGridLayout(offsetGroup);
    offsetLayout->addWidget(new QLabel(QStringLiteral("水平："), offsetGroup), 0, 0);
    offsetLayout->addLayout(FieldRow(horizontal, horizontalSpin), 0, 1);
    offsetLayout->addWidget(new QLabel(QStringLiteral("垂直："), offsetGroup), 1, 0);
    offsetLayout->addLayout(FieldRow(vertical, verticalSpin), 1, 1);

    auto* ok = new QPushButton(QStringLiteral("确定(&O)"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消(&C)"), this);
    cancel->setAutoDefault(false);
    AddControl(platform::kIdOk, ok);
    AddControl(platform::kIdCancel, cancel);

    auto* fields = new QVBoxLayout;
    fields->addWidget(sizeGroup);
    fields->addWidget(placeGroup);
    fields->addWidget(offsetGroup);
    fields->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(preview_, 0, Qt::AlignTop);
    top->addLayout(fields);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

    connect(size, &QLineEdit::textChanged, this, [this] { OnSizeText(); });
    connect(horizontal, &QLineEdit::textChanged, this, [this] { OnOffsetText(kIdHorizontal); });
    connect(vertical, &QLineEdit::textChanged, this, [this] { OnOffsetText(kIdVertical); });
    MapMessage(platform::kWmTimer, [this](platform::WParam id, platform::LParam) {
        if (id == kRepaintTimer) {
            preview_->update();
            Port().KillTimer(kRepaintTimer);
        }
        return platform::LResult(0);
    });
}

int CEditSymbolDlg::LogPixelsY()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int dpi = screen ? static_cast<int>(std::lround(screen->logicalDotsPerInchY())) : 0;
    return dpi > 0 ? dpi : 96;
}

int CEditSymbolDlg::MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    std::int64_t quotient = product / denominator;
    const std::int64_t remainder = product % denominator;
    if (std::llabs(remainder) * 2 >= std::llabs(static_cast<std::int64_t>(denominator)))
        quotient += (product < 0) != (denominator < 0) ? -1 : 1;
    return quaverly::ClampToInt(quotient);
}

void CEditSymbolDlg::SetUpSpin(CNumSpinCtrl* spin, CNumEdit* edit, int minimum, int maximum)
{
    spin->SetBuddy(edit);
    spin->SetRange(static_cast<float>(minimum), static_cast<float>(maximum));
    spin->SetPos(0.0f);
    spin->SetDelta(1.0f);
}

void CEditSymbolDlg::DoDataExchange(platform::DataExchange& dx)
{
    dx.Int(kIdSize, size_);
    VerifyNumEdit(dx, kIdSize);
    dx.Radio(kIdAbove, placement_);
    dx.Int(kIdHorizontal, horizontal_);
    VerifyNumEdit(dx, kIdHorizontal);
    dx.Int(kIdVertical, vertical_);
    VerifyNumEdit(dx, kIdVertical);
}

bool CEditSymbolDlg::OnInitDialog()
{
    preview_->ReadReferenceFont(Location());
    preview_->SetFont(symbol_.font);
    preview_->SetText(symbol_.charText);
    preview_->SetHorizontalOffset(symbol_.hOffset);
    preview_->SetVerticalOffset(symbol_.vOffset);
    preview_->SetPlacement(symbol_.placement);
    placement_ = symbol_.placement >= 0 && symbol_.placement < kPlacementCount ? symbol_.placement : -1;
    // The preview's fonts may only be ready once the dialog is on the screen.
    Port().SetTimer(kRepaintTimer, 100);

    SetUpSpin(Control<CNumSpinCtrl>(kIdSizeSpin), Control<CNumEdit>(kIdSize), 0, kMaxSize);
    SetUpSpin(Control<CNumSpinCtrl>(kIdHorizontalSpin), Control<CNumEdit>(kIdHorizontal), -kMaxOffset, kMaxOffset);
    SetUpSpin(Control<CNumSpinCtrl>(kIdVerticalSpin), Control<CNumEdit>(kIdVertical), -kMaxOffset, kMaxOffset);

    const int height = symbol_.font.height;
    size_ = height < 0 ? -MulDiv(height, 72, LogPixelsY()) : height;
    size_ = std::clamp(size_, 0, kMaxSize);
    horizontal_ = std::clamp(symbol_.hOffset / 10, -kMaxOffset, kMaxOffset);
    vertical_ = std::clamp(symbol_.vOffset / 10, -kMaxOffset, kMaxOffset);
    UpdateData(false);
    return true;
}

void CEditSymbolDlg::OnSizeText()
{
    int size = 0;
    if (!platform::ParseInt(GetDlgItemText(kIdSize), size))
        return;
    quaverly::LogFont font = symbol_.font;
    font.height = -MulDiv(size, LogPixelsY(), 72);
    font.width = 0;
    preview_->SetFont(font);
}

void CEditSymbolDlg::OnOffsetText(int id)
{
    int value = 0;
    if (!platform::ParseInt(GetDlgItemText(id), value))
        return;
    const int offset = quaverly::ClampToInt(static_cast<std::int64_t>(value) * 10);
    if (id == kIdHorizontal)
        preview_->SetHorizontalOffset(offset);
    else
        preview_->SetVerticalOffset(offset);
}

void CEditSymbolDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    symbol_.font.height = -MulDiv(size_, LogPixelsY(), 72);
    if (placement_ >= 0)
        symbol_.placement = placement_;
    symbol_.hOffset = horizontal_ * 10;
    symbol_.vOffset = vertical_ * 10;
    EndDialog(platform::kIdOk);
}

}  // namespace brindle
