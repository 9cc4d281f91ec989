#include "app/dialogs/font_size_combo.h"

#include "platform/dialog_service.h"

#include <QFontDatabase>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace brindle {

CFontSizeCombo::CFontSizeCombo(QWidget* parent) : CToolBarCombo(parent) {}

std::u16string CFontSizeCombo::TwipsToPointString(int twips)
{
    if (twips < 0)
        return {};
    const long halfPoints = (static_cast<long>(twips) + 5) / 10;
    char buffer[32];
    if (halfPoints % 2 == 0)
        std::snprintf(buffer, sizeof buffer, "%ld", halfPoints / 2);
    else
        std::snprintf(buffer, sizeof buffer, "%.1f", static_cast<double>(halfPoints) * 0.5);
    return std::u16string(buffer, buffer + std::char_traits<char>::length(buffer));
}

int CFontSizeCombo::ParseTwips(std::u16string_view text)
{
    const auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
    std::size_t i = 0;
    while (i < text.size() && blank(text[i]))
        ++i;
    if (i == text.size())
        return kEmpty;
    // A number in the C locale, whatever the user's: ASCII only.
    std::string narrow;
    for (std::size_t j = i; j < text.size(); ++j)
        narrow.push_back(text[j] < 0x80 ? static_cast<char>(text[j]) : '?');
    const char* first = narrow.data();
    const char* last = first + narrow.size();
    bool negative = false;
    if (first != last && (*first == '+' || *first == '-')) {
        negative = *first == '-';
        ++first;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error == std::errc::invalid_argument || std::isnan(value))
        return kNotANumber;
    for (const char* p = end; p != last; ++p)
        if (*p != ' ' && *p != '\t')
            return kNotANumber;
    if (negative && value > 0)
        return 0;
    const double twips = value * 20.0;
    if (error == std::errc::result_out_of_range || twips >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return static_cast<int>(twips);
}

std::u16string_view CFontSizeCombo::RefusalMessage(int twips)
{
    return twips == kNotANumber ? kMsgNotANumber : kMsgOutOfRange;
}

void CFontSizeCombo::ShowRefusal(int twips)
{
    platform::ShowMessage(RefusalMessage(twips), platform::kMbOk | platform::kMbIconInformation, this);
}

void CFontSizeCombo::SetTwipSize(int twips)
{
    if (GetTwipSize() != twips)
        SetTheText(TwipsToPointString(twips), true);
    lastTwips_ = twips;
}

const std::vector<int>& CFontSizeCombo::StandardSizes()
{
    static const std::vector<int> sizes = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
    return sizes;
}

void CFontSizeCombo::AddRasterSize(int twips)
{
    const QString text = QString::fromStdU16String(TwipsToPointString(twips));
    if (findText(text, Qt::MatchFixedString) >= 0)
        return;
    int at = count();
    for (int i = 0; i < count(); ++i)
        if (itemData(i).toInt() > twips) {
            at = i;
            break;
        }
    insertItem(at, text, twips);
}

void CFontSizeCombo::FillSizes(const std::u16string& face, bool hasFace)
{
    int twips = GetTwipSize();
    if (twips == kNotANumber || IsRefused(twips)) {
        ShowRefusal(twips);
        twips = lastTwips_;
    }
    ClearList();
    if (hasFace) {
        const QString family = QString::fromStdU16String(face);
        if (QFontDatabase::hasFamily(family) && !QFontDatabase::isSmoothlyScalable(family)) {
            for (const int points : QFontDatabase::pointSizes(family))
                if (points > 0 && points < kTooLargeTwips / 20)
                    AddRasterSize(points * 20);
        } else {
            for (const int points : StandardSizes())
                addItem(QString::number(points), points * 20);
        }
    }
    SetTwipSize(twips);
}

}  // namespace brindle
