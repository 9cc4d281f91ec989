#include "app/dialogs/wizard_staff_page.h"

#include "app/dialogs/edit_list_ctrl.h"
#include "app/dialogs/list_cell_edit.h"
#include "app/settings/patch_name_file.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>

#include <algorithm>

namespace brindle {
namespace {

std::u16string Numbered(int number, const std::u16string& name)
{
    return ProfileFile::FormatInt(number) + u"-" + name;
}

// The position of `text` in `names` by exact comparison; -1 when it is not there.
int FindExact(const std::vector<std::u16string>& names, const std::u16string& text)
{
    const auto it = std::find(names.begin(), names.end(), text);
    return it == names.end() ? -1 : static_cast<int>(it - names.begin());
}

}  // namespace

CWizardStaffPage::CWizardStaffPage(const DataFolder& folder) : CWizardPage(kTemplateId)
{
    templates_ = {
        {u"单谱表", std::vector<InstrumentEntry>(1)},
        {u"钢琴谱", std::vector<InstrumentEntry>(2)},
        {u"二声部", std::vector<InstrumentEntry>(2)},
        {u"三声部(钢琴伴唱)", std::vector<InstrumentEntry>(3)},
    };

    const PatchNameFile patches(folder.Open(folder.SystemInfo().GetPatchNameFile()));
    const int patchCount = patches.GetPatchCount();
    for (int i = 0; i < patchCount; ++i)
        patchNames_.push_back(Numbered(i + 1, patches.GetPatchName(i)));
    percussionOffset_ = patches.GetPercussionOffset();
    const int percussionCount = patches.GetPercussionCount();
    for (int i = 0; i < percussionCount; ++i)
        percussionNames_.push_back(Numbered(percussionOffset_ + i, patches.GetPercussionName(i)));

    staffTypes_ = new QListWidget(this);
    staffTypes_->setFixedWidth(150);
    instruments_ = new CEditListCtrl(this);
    instruments_->setMinimumSize(330, 150);
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("谱表类型："), this), 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("乐　器："), this), 0, 1);
    layout->addWidget(staffTypes_, 1, 0);
    layout->addWidget(instruments_, 1, 1);
    AddControl(kIdStaffType, staffTypes_);
    AddControl(kIdInstruments, instruments_);

    connect(staffTypes_, &QListWidget::currentRowChanged, this, [this] { FillInstrumentList(); });
    MapMessage(kMsgListColumnChoices, [this](platform::WParam column, platform::LParam list) {
        if (auto* choices = reinterpret_cast<std::vector<std::u16string>*>(list))
            SupplyChoices(static_cast<int>(column), *choices);
        return platform::LResult(0);
    });
    MapMessage(kMsgListCellEdited, [this](platform::WParam id, platform::LParam record) {
        const auto* edit = reinterpret_cast<const ListCellEdit*>(record);
        if (edit && static_cast<int>(id) == kIdInstruments && edit->from == instruments_)
            StoreEdit(*edit);
        return platform::LResult(0);
    });
}

bool CWizardStaffPage::OnInitDialog()
{
    const bool result = CWizardPage::OnInitDialog();
    for (const StaffTemplate& entry : templates_)
        staffTypes_->addItem(QString::fromStdU16String(entry.name));
    ensurePolished();
    const int client = instruments_->viewport()->width() > 120 ? instruments_->viewport()->width()
                                                                 : instruments_->minimumWidth() - 4;
    instruments_->InsertColumn(0, u"声部", Qt::AlignHCenter, 40);
    instruments_->InsertColumn(1, u"乐　器", Qt::AlignHCenter, std::max(0, client - 120));
    instruments_->InsertColumn(2, u"乐器类型", Qt::AlignHCenter, 80);
    instruments_->SetReadOnlyColumn(0, true);
    instruments_->SetChoiceColumn(1, true);
    instruments_->SetChoiceColumn(2, true);
    instruments_->SetLabelEditing(true);
    staffTypes_->setCurrentRow(0);
    FillInstrumentList();
    return result;
}

const std::vector<std::u16string>& CWizardStaffPage::NamesOf(bool percussion) const
{
    return percussion ? percussionNames_ : patchNames_;
}

std::u16string CWizardStaffPage::InstrumentName(const InstrumentEntry& entry) const
{
    const std::vector<std::u16string>& names = NamesOf(entry.percussion);
    const long long index = entry.percussion ? static_cast<long long>(entry.program) - percussionOffset_
                                             : entry.program;
    if (index < 0 || index >= static_cast<long long>(names.size()))
        return {};
    return names[static_cast<std::size_t>(index)];
}

void CWizardStaffPage::FillInstrumentList()
{
    instruments_->DeleteAllItems();
    const int type = staffTypes_->currentRow();
    if (type < 0 || type >= static_cast<int>(templates_.size()))
        return;
    const std::vector<InstrumentEntry>& entries = templates_[static_cast<std::size_t>(type)].instruments;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int row = instruments_->InsertItem(static_cast<int>(i), ProfileFile::FormatInt(static_cast<int>(i) + 1));
        instruments_->SetItemText(row, 1, InstrumentName(entries[i]));
        instruments_->SetItemText(row, 2, entries[i].percussion ? kPercussion : kOrdinary);
    }
}

InstrumentEntry* CWizardStaffPage::EntryAt(int row)
{
    const int type = staffTypes_->currentRow();
    if (type < 0 || type >= static_cast<int>(templates_.size()))
        return nullptr;
    std::vector<InstrumentEntry>& entries = templates_[static_cast<std::size_t>(type)].instruments;
    if (row < 0 || row >= static_cast<int>(entries.size()))
        return nullptr;
    return &entries[static_cast<std::size_t>(row)];
}

void CWizardStaffPage::SupplyChoices(int column, std::vector<std::u16string>& choices)
{
    choices.clear();
    // The choices belong to the row whose cell is being edited: the list opens its
    // editors on the focused row only.
    const InstrumentEntry* entry = EntryAt(instruments_->FocusedRow());
    if (!entry)
        return;
    if (column == 1)
        choices = NamesOf(entry->percussion);
    else if (column == 2)
        choices = {std::u16string(kOrdinary), std::u16string(kPercussion)};
}

void CWizardStaffPage::StoreEdit(const ListCellEdit& edit)
{
    InstrumentEntry* entry = EntryAt(edit.row);
    if (!entry)
        return;
    if (edit.column == 1) {
        const int found = FindExact(NamesOf(entry->percussion), edit.text);
        if (entry->percussion)
            entry->program = percussionOffset_ + std::max(found, 0);
        else
            entry->program = std::max(found, 0);
    } else if (edit.column == 2) {
        const bool percussion = edit.text == kPercussion;
        if (percussion == entry->percussion)
            return;
        const std::vector<std::u16string>& names = NamesOf(percussion);
        instruments_->SetItemText(edit.row, 1, names.empty() ? std::u16string() : names.front());
        entry->program = percussion ? percussionOffset_ : 0;
        entry->percussion = percussion;
    }
}

bool CWizardStaffPage::StoreValues()
{
    if (!CWizardPage::StoreValues())
        return false;
    staffType_ = std::max(staffTypes_->currentRow(), 0);
    return true;
}

}  // namespace brindle
