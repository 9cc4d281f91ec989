// "编辑符号": the size, placement and offsets of one user symbol, with a live preview
// beside a note. The size is shown in points (0 - 100), the offsets in 0.1 mm
// (-1000 - 1000; the record keeps 0.01 mm, so the last digit of a stored offset is
// dropped). Nothing reaches the record before OK; OK refuses a field that holds no
// number in its range.
//
// Values from a file outside the fields' ranges are shown at the nearest end of the
// range; a placement outside 0 - 3 checks no button and is kept unless one is clicked.
#pragma once

#include <optional>
#include <string_view>

#include "app/dialogs/data_folder.h"
#include "app/settings/extend_symbol.h"
#include "platform/dialog_base.h"

namespace brindle {

class CNumEdit;
class CNumSpinCtrl;
class CSymbolPreviewWnd;

class CEditSymbolDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 262;
    static constexpr int kIdPreview = 1300;
    static constexpr int kIdSize = 1301;
    static constexpr int kIdSizeSpin = 1302;
    static constexpr int kIdAbove = 1303;  // then below, left, right
    static constexpr int kIdBelow = 1304;
    static constexpr int kIdLeft = 1305;
    static constexpr int kIdRight = 1306;
    static constexpr int kIdHorizontal = 1307;
    static constexpr int kIdHorizontalSpin = 1308;
    static constexpr int kIdVertical = 1309;
    static constexpr int kIdVerticalSpin = 1310;
    static constexpr int kRepaintTimer = 1;
    static constexpr int kMaxSize = 100;
    static constexpr int kMaxOffset = 1000;

    explicit CEditSymbolDlg(QWidget* parent = nullptr);

    // Where the font file is found (for the preview's note); by default the program's own
    // settings. Before DoModal.
    void SetDataFolder(DataFolder folder) { folder_ = std::move(folder); }

    // Before DoModal: the record edited.
    void SetSymbol(const ExtendSymbol& symbol) { symbol_ = symbol; }
    // After DoModal returned OK: the edited record.
    const ExtendSymbol& GetSymbol() const { return symbol_; }

    CSymbolPreviewWnd* Preview() const { return preview_; }
    // The values the fields were given or were read back as.
    int SizeValue() const { return size_; }
    int PlacementChoice() const { return placement_; }
    int HorizontalValue() const { return horizontal_; }
    int VerticalValue() const { return vertical_; }

    // The screen's logical dots per inch upwards, by which sizes in points become font
    // heights (96 when the screen tells none).
    static int LogPixelsY();
    // number × numerator / denominator, rounded half away from zero; -1 for a denominator
    // of 0; held to the int range.
    static int MulDiv(int number, int numerator, int denominator);

protected:
    void DoDataExchange(platform::DataExchange& dx) override;
    bool OnInitDialog() override;
    void OnOK() override;

private:
    const DataFolder& Location() const { return folder_; }
    void OnSizeText();
    void OnOffsetText(int id);
    static void SetUpSpin(CNumSpinCtrl* spin, CNumEdit* edit, int minimum, int maximum);

    DataFolder folder_ = DataFolder::Program();
    CSymbolPreviewWnd* preview_;
    ExtendSymbol symbol_;
    int size_ = 0;
    int placement_ = -1;
    int horizontal_ = 0;
    int vertical_ = 0;
};

}  // namespace brindle
