// The layout-parameter dialog "参数设置": nine pages of the layout-parameter file (notes,
// chords, grace notes, note spacing, bars, rows, systems, lyrics, title), chosen from a
// list on the left and shown one at a time in the frame "单位: 0.01mm".
//
// OK first reads every page; a value that does not read keeps the dialog open on its
// page and nothing is written. When nothing was changed the file is left as it is;
// otherwise every page writes its entries (factors only where changed). Cancel writes
// nothing.
#pragma once

#include "app/dialogs/data_folder.h"
#include "app/settings/font_param_file.h"
#include "platform/dialog_base.h"

#include <memory>
#include <string>
#include <vector>

class QListWidget;

namespace brindle {

class CParamPage;

class CParamSettingsDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 253;
    static constexpr int kIdCategories = 1194;
    static constexpr int kIdPlaceholder = 1195;

    explicit CParamSettingsDlg(QWidget* parent = nullptr, const DataFolder& folder = DataFolder::Program());
    ~CParamSettingsDlg() override;

    int GetPageCount() const { return static_cast<int>(entries_.size()); }
    CParamPage* GetPage(int index) const;
    std::u16string GetCategoryName(int index) const;
    int GetCurrentIndex() const { return current_; }
    // Shows the page at a list position (as a click in the list does).
    void SelectPage(int index);

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    struct Entry {
        std::u16string name;
        std::unique_ptr<CParamPage> page;
    };
    void ShowPage();

    DataFolder folder_;
    FontParamFile file_;
    std::vector<Entry> entries_;
    int current_ = 0;
    QListWidget* categories_;
    QWidget* placeholder_;
};

}  // namespace brindle
