// "新建符号对话框": the glyph chooser. A drop-down list of the outline fonts installed
// (sorted by name) and a grid of every character the chosen font holds, in the order of
// the font's character ranges. OK (or a double click on a cell) gives the character of
// the selected cell and its font.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/model/log_font.h"
#include "platform/dialog_base.h"

namespace brindle {

class CSymbolGridWnd;

class CNewSymbolDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 261;
    static constexpr int kIdFontList = 1290;
    static constexpr int kIdGrid = 1291;
    static constexpr int kGridColumns = 10;
    static constexpr int kGridRows = 6;
    static constexpr std::u16string_view kMsgNoSelection = u"没有符号被选中!";

    explicit CNewSymbolDlg(QWidget* parent = nullptr);

    // After DoModal returned OK: the selected cell's font and character.
    quaverly::LogFont GetLogFont() const;
    std::u16string GetSymbolText() const;

    // The outline fonts found, in the catalogue's order.
    const std::vector<quaverly::LogFont>& Fonts() const { return fonts_; }
    // The index of the chosen font in Fonts(); -1 before one is chosen.
    int ChosenFont() const { return chosen_; }
    const std::u16string& Characters() const { return characters_; }
    CSymbolGridWnd* Grid() const { return grid_; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void ChooseFont();
    void CollectCharacters();
    void FillCells();

    CSymbolGridWnd* grid_;
    std::vector<quaverly::LogFont> fonts_;
    int chosen_ = -1;
    std::u16string characters_;
    // The item the user picked last (-1 for none): it stays selected across scrolling.
    int choice_ = -1;
    bool filling_ = false;
};

}  // namespace brindle
