#include "app/dialogs/paper_fields.h"

#include "app/dialogs/num_edit.h"
#include "app/dialogs/num_spin_ctrl.h"
#include "app/dialogs/paper_check.h"
#include "app/settings/page_info_file.h"
#include "platform/data_exchange.h"
#include "platform/dialog_base.h"
#include "platform/dialog_service.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace brindle {

void AddNumberField(platform::DialogBase& dialog, QGridLayout* grid, int row, int column,
                    const char16_t* label, int editId, int spinId, QWidget* parent)
{
    auto* edit = new CNumEdit(parent);
    edit->setFixedWidth(60);
    auto* spin = new CNumSpinCtrl(parent);
    spin->SetBuddy(edit);
    if (label[0] != u'\0')
        grid->addWidget(new QLabel(QString::fromUtf16(label), parent), row, column);
    grid->addWidget(edit, row, column + 1);
    grid->addWidget(spin, row, column + 2);
    dialog.AddControl(editId, edit);
    dialog.AddControl(spinId, spin);
}

void ExchangeNumberField(platform::DataExchange& dx, int id, int& value, int minimum, int maximum)
{
    dx.Int(id, value);
    dx.MinMaxInt(value, minimum, maximum);
    VerifyNumEdit(dx, id);
}

QGroupBox* AddOrientationBox(platform::DialogBase& dialog, int portraitId, int landscapeId,
                             QWidget* parent)
{
    auto* box = new QGroupBox(QStringLiteral("页面方向"), parent);
    auto* column = new QVBoxLayout(box);
    auto* portrait = new QRadioButton(QStringLiteral("纵向"), box);
    auto* landscape = new QRadioButton(QStringLiteral("横向"), box);
    column->addWidget(portrait);
    column->addWidget(landscape);
    dialog.AddControl(portraitId, portrait);
    dialog.AddControl(landscapeId, landscape);
    return box;
}

int LoadPaperList(const DataFolder& folder, std::vector<PageInfo>& papers, QComboBox& list)
{
    PageInfoFile file;
    file.SetFile(folder.Open(folder.SystemInfo().GetPageInfoFile()));
    papers.clear();
    list.clear();
    const int count = file.Load();
    int chosen = 0;
    for (int i = 0; i < count; ++i) {
        papers.push_back(file.GetPaper(i));
        if (file.IsDefault(i))
            chosen = i;
        list.addItem(QString::fromStdU16String(papers.back().name));
    }
    return chosen;
}

bool AcceptPaper(platform::DialogBase& dialog, const PageInfo& paper, const PaperFieldIds& ids)
{
    const PaperFault fault = CheckPaper(paper);
    if (fault == PaperFault::None)
        return true;
    platform::ShowMessage(PaperFaultMessage(fault), platform::kMbOk | platform::kMbIconExclamation, &dialog);
    const int focus = fault == PaperFault::EmptySize ? (paper.width <= 0 ? ids.width : ids.height)
                      : fault == PaperFault::WideMargins ? ids.left
                                                         : ids.top;
    if (QWidget* control = dialog.GetDlgItem(focus))
        control->setFocus();
    return false;
}

}  // namespace brindle
