// The size box of the font toolbar. Sizes are kept in twips (1/20 point) and shown in
// points with at most one decimal (210 twips read "10.5"). Before its list drops down it
// fills with the sizes of the chosen face; a size typed that is no number or lies outside
// 1 to 1638 points is refused with a message and the last good size comes back.
#pragma once

#include "app/dialogs/font_name_combo.h"

namespace brindle {

class CFontSizeCombo : public CToolBarCombo {
    Q_OBJECT

public:
    static constexpr int kNotANumber = -2;
    static constexpr int kEmpty = -1;
    // Sizes from 20 twips (1 point) up to and without 32761 (1638 points) are taken.
    static constexpr int kMinimumTwips = 20;
    static constexpr int kTooLargeTwips = 32761;
    static constexpr std::u16string_view kMsgNotANumber = u"请输入合适的数字";
    static constexpr std::u16string_view kMsgOutOfRange = u"字体大小必须在1~1638之间";

    explicit CFontSizeCombo(QWidget* parent = nullptr);

    // Empty for a negative value; whole points, or points with one decimal.
    static std::u16string TwipsToPointString(int twips);
    // The size typed: kEmpty for nothing but blanks, kNotANumber when more than a number
    // and blanks, 0 for a negative number, else the points × 20, truncated.
    static int ParseTwips(std::u16string_view text);
    int GetTwipSize() const { return ParseTwips(GetTheText()); }
    void SetTwipSize(int twips);
    int LastTwips() const { return lastTwips_; }

    // Whether a parsed size may be used; false for kNotANumber and sizes outside the
    // range (kEmpty passes).
    static bool IsRefused(int twips) { return twips == kNotANumber || (twips >= 0 && twips < kMinimumTwips) || twips >= kTooLargeTwips; }
    // The message for a refused size.
    static std::u16string_view RefusalMessage(int twips);

    // The list for a face (none: an empty list), then the size typed or, when refused
    // (with its message), the last size.
    void FillSizes(const std::u16string& face, bool hasFace);

    // The sizes every outline face is offered in.
    static const std::vector<int>& StandardSizes();

    // Tells the user why a size was refused (information box).
    void ShowRefusal(int twips);

private:
    void AddRasterSize(int twips);

    int lastTwips_ = 0;
};

}  // namespace brindle
