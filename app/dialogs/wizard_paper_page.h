// The wizard's paper page: a paper of the page-size file (the last one marked "Default"
// at first), its size and margins in millimetres (which the user may change), the
// orientation, and whether the bars per line are computed or fixed (1 to 20). A paper of
// no size, or whose margins leave nothing to print on, is refused at OK.
//
// With no paper in the file the list is empty and the page starts from an A4-sized
// record (210 x 297 mm, margins 15, 25, 10, 25) without a name.
#pragma once

#include "app/dialogs/data_folder.h"
#include "app/dialogs/wizard_page.h"
#include "app/settings/page_info.h"

#include <vector>

class QComboBox;

namespace brindle {

class CWizardPaperPage : public CWizardPage {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 149;
    static constexpr int kIdPaper = 1040;
    static constexpr int kIdHeight = 1041;
    static constexpr int kIdHeightSpin = 1042;
    static constexpr int kIdWidth = 1043;
    static constexpr int kIdWidthSpin = 1044;
    static constexpr int kIdTop = 1045;
    static constexpr int kIdTopSpin = 1046;
    static constexpr int kIdBottom = 1047;
    static constexpr int kIdBottomSpin = 1048;
    static constexpr int kIdLeft = 1049;
    static constexpr int kIdLeftSpin = 1050;
    static constexpr int kIdRight = 1051;
    static constexpr int kIdRightSpin = 1052;
    static constexpr int kIdPortrait = 1053;  // then 1054 landscape
    static constexpr int kIdLandscape = 1054;
    // Radio groups take consecutive ids: the next group starts apart from this one.
    static constexpr int kIdAutoBars = 1060;  // then 1061 fixed
    static constexpr int kIdFixedBars = 1061;
    static constexpr int kIdBarsPerLine = 1063;
    static constexpr int kIdBarsPerLineSpin = 1064;

    explicit CWizardPaperPage(const DataFolder& folder = DataFolder::Program());

    // Name of the chosen paper (empty without papers), size and margins as shown,
    // portrait unless landscape was chosen. Width and height are never swapped.
    PageInfo GetPageInfo() const;
    bool IsFixedBarsPerLine() const { return barsMode_ == 1; }
    int GetBarsPerLine() const { return barsPerLine_; }

    const std::vector<PageInfo>& GetPapers() const { return papers_; }
    int GetPaperIndex() const { return paperIndex_; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(platform::DataExchange& dx) override;
    bool StoreValues() override;

private:
    void SelectPaper(int index);
    void ApplyBarsMode();

    DataFolder folder_;
    std::vector<PageInfo> papers_;
    int paperIndex_ = 0;
    int width_ = 0;
    int height_ = 0;
    int left_ = 0;
    int top_ = 0;
    int right_ = 0;
    int bottom_ = 0;
    int barsMode_ = 0;
    int barsPerLine_ = 5;
    int orientation_ = 0;
    bool initialising_ = false;
    QComboBox* paperList_;
};

}  // namespace brindle
