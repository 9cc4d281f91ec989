// The wizard's staff page: the staff type ("单谱表", "钢琴谱", "二声部",
// "三声部(钢琴伴唱)") and, for each of its staffs, the instrument, an ordinary one (a
// patch of the patch-name file) or a percussion one. The instruments are edited in place
// in the list; the choices offered are those of the kind of the row being edited, and
// the edits are kept in the staff templates, so they survive switching the type away
// and back.
#pragma once

#include "app/dialogs/data_folder.h"
#include "app/dialogs/wizard_page.h"

#include <string>
#include <vector>

class QListWidget;

namespace brindle {

class CEditListCtrl;
struct ListCellEdit;

struct InstrumentEntry {
    int program = 0;  // MIDI program; for percussion the key number (offset + name index)
    bool percussion = false;
    friend bool operator==(const InstrumentEntry&, const InstrumentEntry&) = default;
};

struct StaffTemplate {
    std::u16string name;
    std::vector<InstrumentEntry> instruments;
};

class CWizardStaffPage : public CWizardPage {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 145;
    static constexpr int kIdStaffType = 1010;
    static constexpr int kIdInstruments = 1011;

    static constexpr std::u16string_view kOrdinary = u"普通乐器";
    static constexpr std::u16string_view kPercussion = u"打击乐器";

    // Reads the patch and percussion names of the folder's patch-name file.
    explicit CWizardStaffPage(const DataFolder& folder = DataFolder::Program());

    // The chosen position in the staff-type list after OK; -1 before.
    int GetStaffType() const { return staffType_; }
    const std::vector<StaffTemplate>& GetStaffTemplates() const { return templates_; }
    std::vector<StaffTemplate>& GetStaffTemplates() { return templates_; }

    // "1-大钢琴", ...; "35-原声大鼓", ... (the number the instrument has).
    const std::vector<std::u16string>& GetPatchNames() const { return patchNames_; }
    const std::vector<std::u16string>& GetPercussionNames() const { return percussionNames_; }
    int GetPercussionOffset() const { return percussionOffset_; }

    CEditListCtrl* InstrumentList() const { return instruments_; }
    QListWidget* StaffTypeList() const { return staffTypes_; }

protected:
    bool OnInitDialog() override;
    bool StoreValues() override;

private:
    void FillInstrumentList();
    // The name shown for an entry; empty when the file has no such name.
    std::u16string InstrumentName(const InstrumentEntry& entry) const;
    const std::vector<std::u16string>& NamesOf(bool percussion) const;
    InstrumentEntry* EntryAt(int row);
    void SupplyChoices(int column, std::vector<std::u16string>& choices);
    void StoreEdit(const ListCellEdit& edit);

    int staffType_ = -1;
    std::vector<StaffTemplate> templates_;
    std::vector<std::u16string> patchNames_;
    std::vector<std::u16string> percussionNames_;
    int percussionOffset_ = 0;
    QListWidget* staffTypes_;
    CEditListCtrl* instruments_;
};

}  // namespace brindle
