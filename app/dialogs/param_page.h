// The common part of the layout-parameter pages: each page shows some entries of one or
// more sections of the layout-parameter file, one row per entry (a label, one edit or
// an x and a y edit, and for factors the size they multiply). Lengths and offsets are
// ints in 0.01 mm; factors are numbers shown rounded to two decimals.
//
// The page remembers what it showed. A factor is written back only when the user
// changed it, so that an untouched factor keeps the file's own digits; the owner
// decides whether a page writes at all (nothing changed on any page: nothing written).
#pragma once

#include "app/dialogs/wizard_page.h"
#include "app/settings/font_param_file.h"

#include <functional>
#include <string>
#include <vector>

namespace brindle {

class CParamPage : public CWizardPage {
    Q_OBJECT

public:
    explicit CParamPage(int templateId);

    // The file the page reads and writes; set before the page is created.
    void SetParamFile(FontParamFile* file) { file_ = file; }
    FontParamFile* GetParamFile() const { return file_; }

    // After a successful UpdateData(true): whether a value differs from what was shown.
    bool IsChanged() const;
    // Reads the controls and writes the entries: every int and pair, and the factors the
    // user changed. Nothing when the controls do not read.
    void SavePage() override;
    // Whether a write of the last SavePage failed.
    bool SaveFailed() const { return saveFailed_; }

    // A factor as shown: value × 100 + 0.5, truncated, / 100.
    static double RoundFactor(double value);

protected:
    using PairGetter = IntPair (FontParamFile::*)() const;
    using PairSetter = bool (FontParamFile::*)(const IntPair&);
    using IntGetter = int (FontParamFile::*)() const;
    using IntSetter = bool (FontParamFile::*)(int);
    using NumberGetter = double (FontParamFile::*)() const;
    using NumberSetter = bool (FontParamFile::*)(double);

    // Rows, in the order the page shows, reads and writes them. `unit` follows a factor
    // ("* 音符宽度"); empty for none.
    void AddPair(std::u16string label, int idX, int idY, PairGetter get, PairSetter set);
    void AddInt(std::u16string label, int id, IntGetter get, IntSetter set);
    void AddFactor(std::u16string label, int id, NumberGetter get, NumberSetter set, std::u16string unit = {});
    // A factor of the note spacing of a note value in ticks.
    void AddSpacing(std::u16string label, int id, int durationTicks);
    // Lays the rows out; called once by each page's constructor after its rows.
    void BuildRows();

    bool OnInitDialog() override;
    void DoDataExchange(platform::DataExchange& dx) override;

private:
    enum class Kind { Pair, Int, Factor };
    struct Field {
        Kind kind;
        std::u16string label;
        std::u16string unit;
        int id;
        int idY;
        std::function<IntPair(const FontParamFile&)> readPair;
        std::function<bool(FontParamFile&, const IntPair&)> writePair;
        std::function<double(const FontParamFile&)> readNumber;
        std::function<bool(FontParamFile&, double)> writeNumber;
        // What the controls hold, and what the page showed at first.
        int x = 0;
        int y = 0;
        double number = 0;
        int shownX = 0;
        int shownY = 0;
        double shownNumber = 0;
    };

    FontParamFile* file_ = nullptr;
    std::vector<Field> fields_;
    bool saveFailed_ = false;
};

}  // namespace brindle
