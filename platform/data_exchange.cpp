#include "platform/data_exchange.h"

#include "platform/dialog_base.h"
#include "platform/dialog_service.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <system_error>

namespace platform {
namespace {

// The ASCII text between the blanks; nullopt when something else than ASCII is in it.
std::optional<std::string> Trimmed(std::u16string_view text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    const auto blank = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; };
    while (first < last && blank(text[first]))
        ++first;
    while (last > first && blank(text[last - 1]))
        --last;
    std::string ascii;
    for (std::size_t i = first; i < last; ++i) {
        if (text[i] > 0x7F)
            return std::nullopt;
        ascii.push_back(static_cast<char>(text[i]));
    }
    return ascii;
}

std::u16string Ascii(std::string_view text) { return std::u16string(text.begin(), text.end()); }

template <class T>
std::u16string Number(T value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return Ascii(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

template <class T>
bool ParseWhole(std::u16string_view text, T& value, bool allowMinus)
{
    auto ascii = Trimmed(text);
    if (!ascii || ascii->empty())
        return false;
    std::string_view digits = *ascii;
    bool negative = false;
    if (digits.front() == '+' || digits.front() == '-') {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty() || digits.front() < '0' || digits.front() > '9')
        return false;
    if (negative && !allowMinus)
        return false;
    long long parsed = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), parsed);
    if (result.ec != std::errc() || result.ptr != digits.data() + digits.size())
        return false;
    if (negative)
        parsed = -parsed;
    if (parsed < static_cast<long long>(std::numeric_limits<T>::min()) ||
        parsed > static_cast<long long>(std::numeric_limits<T>::max()))
        return false;
    value = static_cast<T>(parsed);
    return true;
}

}  // namespace

std::u16string FormatDouble(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return Ascii(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

bool ParseInt(std::u16string_view text, int& value) { return ParseWhole(text, value, true); }

bool ParseUnsigned(std::u16string_view text, unsigned& value) { return ParseWhole(text, value, false); }

bool ParseDouble(std::u16string_view text, double& value)
{
    auto ascii = Trimmed(text);
    if (!ascii || ascii->empty())
        return false;
    std::string_view number = *ascii;
    if (number.front() == '+')
        number.remove_prefix(1);
    // Only decimal forms: no "inf", "nan" or hexadecimal digits.
    if (number.empty() || !(std::isdigit(static_cast<unsigned char>(number.front())) || number.front() == '.' ||
                            number.front() == '-'))
        return false;
    double parsed = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), parsed,
                                        std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != number.data() + number.size() || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

std::u16string FormatMessage(std::u16string_view pattern, std::u16string_view first, std::u16string_view second)
{
    std::u16string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == u'%' && i + 1 < pattern.size() && (pattern[i + 1] == u'1' || pattern[i + 1] == u'2')) {
            out += pattern[i + 1] == u'1' ? first : second;
            ++i;
        } else {
            out.push_back(pattern[i]);
        }
    }
    return out;
}

DataExchange::DataExchange(DialogBase& dialog, bool saveAndValidate) : dialog_(dialog), save_(saveAndValidate) {}

void DataExchange::Fail(std::u16string_view message)
{
    if (failed_)
        return;
    failed_ = true;
    ShowMessage(message, kMbOk | kMbIconExclamation, &dialog_);
    if (QWidget* control = dialog_.GetDlgItem(lastControl_)) {
        control->setFocus();
        if (auto* line = qobject_cast<QLineEdit*>(control))
            line->selectAll();
    }
}

template <class T, class Format, class Parse>
void DataExchange::ExchangeNumber(int id, T& value, Format format, Parse parse, std::u16string_view message)
{
    if (Skip())
        return;
    Prepare(id);
    if (!save_) {
        dialog_.SetDlgItemText(id, format(value));
        return;
    }
    T parsed = 0;
    if (!parse(dialog_.GetDlgItemText(id), parsed))
        return Fail(message);
    value = parsed;
}

void DataExchange::Int(int id, int& value) { ExchangeNumber(id, value, Number<int>, ParseInt, kMsgNotInteger); }

void DataExchange::Unsigned(int id, unsigned& value)
{
    ExchangeNumber(id, value, Number<unsigned>, ParseUnsigned, kMsgNotUnsigned);
}

void DataExchange::Double(int id, double& value)
{
    ExchangeNumber(id, value, FormatDouble, ParseDouble, kMsgNotNumber);
}

void DataExchange::Text(int id, std::u16string& value)
{
    if (Skip())
        return;
    Prepare(id);
    if (save_)
        value = dialog_.GetDlgItemText(id);
    else
        dialog_.SetDlgItemText(id, value);
}

void DataExchange::Radio(int firstId, int& value)
{
    if (Skip())
        return;
    Prepare(firstId);
    int count = 0;
    while (qobject_cast<QAbstractButton*>(dialog_.GetDlgItem(firstId + count)))
        ++count;
    if (save_) {
        value = -1;
        for (int i = 0; i < count; ++i)
            if (dialog_.IsDlgButtonChecked(firstId + i)) {
                value = i;
                break;
            }
        return;
    }
    for (int i = 0; i < count; ++i)
        dialog_.CheckDlgButton(firstId + i, i == value ? 1 : 0);
}

void DataExchange::Check(int id, int& value)
{
    if (Skip())
        return;
    Prepare(id);
    if (save_)
        value = dialog_.IsDlgButtonChecked(id);
    else
        dialog_.CheckDlgButton(id, value < 0 || value > 2 ? 0 : value);
}

void DataExchange::ListIndex(int id, int& value)
{
    if (Skip())
        return;
    Prepare(id);
    QWidget* control = dialog_.GetDlgItem(id);
    if (auto* list = qobject_cast<QListWidget*>(control)) {
        if (save_)
            value = list->currentRow();
        else
            list->setCurrentRow(value >= 0 && value < list->count() ? value : -1);
    } else if (qobject_cast<QComboBox*>(control)) {
        ComboIndex(id, value);
    }
}

void DataExchange::ComboIndex(int id, int& value)
{
    if (Skip())
        return;
    Prepare(id);
    auto* combo = qobject_cast<QComboBox*>(dialog_.GetDlgItem(id));
    if (!combo)
        return;
    if (save_)
        value = combo->currentIndex();
    else
        combo->setCurrentIndex(value >= 0 && value < combo->count() ? value : -1);
}

void DataExchange::MinMaxInt(int value, int minimum, int maximum)
{
    if (Skip() || !save_)
        return;
    if (value < minimum || value > maximum)
        Fail(FormatMessage(kMsgIntegerRange, Number(minimum), Number(maximum)));
}

void DataExchange::MinMaxUnsigned(unsigned value, unsigned minimum, unsigned maximum)
{
    if (Skip() || !save_)
        return;
    if (value < minimum || value > maximum)
        Fail(FormatMessage(kMsgIntegerRange, Number(minimum), Number(maximum)));
}

void DataExchange::MinMaxDouble(double value, double minimum, double maximum)
{
    if (Skip() || !save_)
        return;
    if (!(value >= minimum && value <= maximum))
        Fail(FormatMessage(kMsgNumberRange, FormatDouble(minimum), FormatDouble(maximum)));
}

void DataExchange::MaxChars(const std::u16string& value, int maximum)
{
    if (Skip() || !save_)
        return;
    if (maximum >= 0 && value.size() > static_cast<std::size_t>(maximum))
        Fail(FormatMessage(kMsgTooManyChars, Number(maximum)));
}

}  // namespace platform
