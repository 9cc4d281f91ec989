// The page set-up dialog "页面设置对话框": a paper of the page-size file, its size,
// orientation and margins in millimetres. It starts from the PageInfo it is given (the
// paper of that name selected, the given values shown); choosing another paper takes
// that paper's size and margins, upright. It writes nothing: the caller reads the
// result after OK.
//
// A paper of no size, or whose margins leave nothing to print on, is refused at OK and
// the dialog stays open. With an empty paper list the result keeps the given name.
#pragma once

#include "app/dialogs/data_folder.h"
#include "app/settings/page_info.h"
#include "platform/dialog_base.h"

#include <string>
#include <vector>

class QComboBox;

namespace brindle {

class CPageSetupDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 204;
    static constexpr int kIdWidth = 1035;
    static constexpr int kIdWidthSpin = 1055;
    static constexpr int kIdHeight = 1047;
    static constexpr int kIdHeightSpin = 1054;
    static constexpr int kIdTop = 1041;
    static constexpr int kIdTopSpin = 1056;
    static constexpr int kIdBottom = 1043;
    static constexpr int kIdBottomSpin = 1058;
    static constexpr int kIdLeft = 1037;
    static constexpr int kIdLeftSpin = 1057;
    static constexpr int kIdRight = 1039;
    static constexpr int kIdRightSpin = 1059;
    static constexpr int kIdPortrait = 1051;  // then 1052 landscape
    static constexpr int kIdLandscape = 1052;
    static constexpr int kIdPaper = 1045;

    explicit CPageSetupDlg(QWidget* parent = nullptr, const DataFolder& folder = DataFolder::Program());

    // The starting values: the paper's name, size, margins and orientation.
    void SetPageInfo(const PageInfo& info);
    // After OK: the chosen paper's name (the given one when the list is empty), the size,
    // margins and orientation of the fields.
    PageInfo GetPageInfo() const;

    const std::vector<PageInfo>& GetPapers() const { return papers_; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(platform::DataExchange& dx) override;
    void OnOK() override;

private:
    DataFolder folder_;
    std::u16string name_;
    std::vector<PageInfo> papers_;
    int chosen_ = -1;
    int width_ = 210;
    int height_ = 297;
    int top_ = 25;
    int bottom_ = 25;
    int left_ = 15;
    int right_ = 10;
    int orientation_ = 0;
    bool initialising_ = false;
    QComboBox* paperList_;
};

}  // namespace brindle
