#include "app/dialogs/num_edit.h"

#include "app/dialogs/beep_service.h"
#include "app/dialogs/dialog_util.h"
#include "app/dialogs/typed_character.h"
#include "platform/data_exchange.h"
#include "platform/dialog_base.h"
#include "platform/dialog_service.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace brindle {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

std::u16string Ascii(std::string_view text) { return std::u16string(text.begin(), text.end()); }

// The number at the start of `text` as a C scanner reads a float: blanks, a sign, digits
// with at most one point (at least one digit), and an exponent when digits follow the
// "e". Only decimal forms: no "inf", "nan" or hexadecimal numbers, so the field never
// holds a value that is not a number. A number too large for a float reads as an
// infinity (outside every range), one too small as 0. `end` is where the number stops.
bool ScanNumber(std::u16string_view text, float& value, std::size_t& end)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    std::string number;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            number.push_back('-');
        ++i;
    }
    // Decimal exponent of the leading significant digit, for numbers out of float range.
    long long magnitude = 0;
    bool significant = false;
    std::size_t digits = 0;
    long long integerDigits = 0;
    long long leadingFractionZeros = 0;
    while (i < text.size() && IsDigit(text[i])) {
        if (text[i] != u'0' || significant) {
            significant = true;
            ++integerDigits;
        }
        number.push_back(static_cast<char>(text[i++]));
        ++digits;
    }
    if (i < text.size() && text[i] == u'.') {
        number.push_back('.');
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            if (!significant && text[i] == u'0')
                ++leadingFractionZeros;
            else
                significant = true;
            number.push_back(static_cast<char>(text[i++]));
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    long long exponent = 0;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        std::size_t j = i + 1;
        bool negative = false;
        if (j < text.size() && (text[j] == u'+' || text[j] == u'-'))
            negative = text[j++] == u'-';
        std::size_t first = j;
        std::string exponentText;
        while (j < text.size() && IsDigit(text[j])) {
            exponent = std::min<long long>(exponent * 10 + (text[j] - u'0'), 1'000'000);
            exponentText.push_back(static_cast<char>(text[j++]));
        }
        if (j > first) {
            if (negative)
                exponent = -exponent;
            number += negative ? "e-" : "e";
            number += exponentText;
            i = j;
        }
    }
    end = i;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        magnitude = (integerDigits > 0 ? integerDigits - 1 : -(leadingFractionZeros + 1)) + exponent;
        const bool negative = !number.empty() && number.front() == '-';
        if (magnitude > 0)
            value = negative ? -std::numeric_limits<float>::infinity() : std::numeric_limits<float>::infinity();
        else
            value = negative ? -0.0f : 0.0f;
        return true;
    }
    return result.ec == std::errc();
}

// The shortest text that reads back as the float.
std::u16string ShortFloat(float value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return Ascii(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

}  // namespace

CNumEdit::CNumEdit(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, [this] { OnTextChanged(); });
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) { OnTextEdited(text); });
}

void CNumEdit::GetRange(float& minimum, float& maximum) const
{
    minimum = minimum_;
    maximum = maximum_;
}

void CNumEdit::SetRange(float minimum, float maximum)
{
    minimum_ = minimum;
    maximum_ = maximum;
}

int CNumEdit::Classify(std::u16string_view text, float minimum, float maximum, float* value)
{
    if (text.size() == 1 && (text[0] == u'+' || text[0] == u'-'))
        return kLoneSign;
    float number = 0;
    std::size_t end = 0;
    if (!ScanNumber(text, number, end))
        return kNotNumber;
    while (end < text.size() && IsBlank(text[end]))
        ++end;
    if (end != text.size())
        return kNotNumber;
    if (value)
        *value = number;
    return number > maximum || number < minimum ? kOutOfRange : kValid;
}

bool CNumEdit::CouldGrowIntoRange(std::u16string_view text, float minimum, float maximum)
{
    // Only plain digits with an optional sign: appending a digit multiplies the magnitude
    // by ten and adds 0 to 9, so after k more digits it lies in [n * 10^k, (n + 1) * 10^k).
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    if (i == text.size() || text.size() - i > 9)
        return false;
    double n = 0;
    for (; i < text.size(); ++i) {
        if (!IsDigit(text[i]))
            return false;
        n = n * 10 + (text[i] - u'0');
    }
    // The magnitudes the range allows on this side of 0.
    const double low = negative ? -static_cast<double>(maximum) : static_cast<double>(minimum);
    const double high = negative ? -static_cast<double>(minimum) : static_cast<double>(maximum);
    if (high < 0 || !(n < low))
        return false;  // only a number too small in magnitude can grow into the range
    for (double scale = 10; n * scale <= high && scale <= 1e10; scale *= 10)
        if ((n + 1) * scale > low)
            return true;
    return false;
}

int CNumEdit::Classify() const { return Classify(text().toStdU16String(), minimum_, maximum_); }

int CNumEdit::Verify()
{
    const int verdict = Classify();
    if (verbose_ && (verdict == kOutOfRange || verdict == kNotNumber))
        platform::ShowMessage(verdict == kOutOfRange ? kMsgOutOfRange : kMsgNotNumber,
                              platform::kMbOk | platform::kMbIconStop, this);
    return verdict;
}

bool CNumEdit::SetValue(float value)
{
    if (std::isnan(value) || value > maximum_ || value < minimum_)
        return false;
    GetFormatString(value);
    setText(ToQString(FormatValue(value)));
    return true;
}

float CNumEdit::GetValue()
{
    if (Verify() != kValid)
        return minimum_;
    float value = minimum_;
    Classify(text().toStdU16String(), minimum_, maximum_, &value);
    return value;
}

std::u16string CNumEdit::GetFormatString(float value)
{
    // Six significant digits, as "%G" writes them; the characters after the point count.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                      std::chars_format::general, 6);
    const std::string_view shown(buffer, static_cast<std::size_t>(result.ptr - buffer));
    if (const auto point = shown.find('.'); point != std::string_view::npos) {
        const std::size_t after = shown.size() - point - 1;
        if (after > places_)
            places_ = static_cast<std::uint8_t>(after);
    }
    return u"%." + Ascii(std::to_string(places_)) + u"f";
}

std::u16string CNumEdit::FormatValue(float value) const
{
    char buffer[128];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                      std::chars_format::fixed, static_cast<int>(places_));
    if (result.ec != std::errc())
        return ShortFloat(value);
    return Ascii(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

void CNumEdit::ChangeValue(int clicks)
{
    float value = GetValue() + static_cast<float>(clicks) * step_;
    if (value > maximum_)
        value = maximum_;
    else if (value < minimum_)
        value = minimum_;
    SetValue(value);
}

void CNumEdit::keyPressEvent(QKeyEvent* event)
{
    const std::u16string typed = TypedCharacters(*event);
    const bool character = !typed.empty() && (typed[0] == kCharBackspace || typed[0] >= u' ');
    if (!character) {
        // Delete, Ctrl+V, Ctrl+X and the like: the change is checked once it is made.
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    if (droppingTypeAhead_)
        return;
    if (typed.find(u' ') != std::u16string::npos)
        return;
    if (digitsOnly_ && std::any_of(typed.begin(), typed.end(),
                                   [](char16_t c) { return c != kCharBackspace && !IsDigit(c); })) {
        BeepService::Current().Beep(platform::kMbOk);
        return;
    }
    const float before = GetValue();
    const QString textBefore = text();
    inFilter_ = true;
    QLineEdit::keyPressEvent(event);
    inFilter_ = false;
    // A whole number typed below the range is kept while more digits can still bring it
    // into the range ("6" on the way to "60" in a 40 to 250 field); OK catches it if the
    // user stops there.
    if (Classify() == kOutOfRange && CouldGrowIntoRange(text().toStdU16String(), minimum_, maximum_))
        return;
    switch (Verify()) {
    case kValid:
        GetFormatString(GetValue());
        break;
    case kLoneSign:
        break;
    default:
        Refuse(before, textBefore);
        DropTypeAhead();
        break;
    }
}

void CNumEdit::OnTextChanged()
{
    previousText_ = currentText_;
    currentText_ = text();
}

void CNumEdit::OnTextEdited(const QString& edited)
{
    if (inFilter_)
        return;
    // Qt may report the edit before or after it reports the change of text.
    const QString before = currentText_ == edited ? previousText_ : currentText_;
    switch (Verify()) {
    case kValid:
        GetFormatString(GetValue());
        break;
    case kLoneSign:
        break;
    default: {
        float value = minimum_;
        if (Classify(before.toStdU16String(), minimum_, maximum_, &value) != kValid)
            value = minimum_;
        Refuse(value, before);
        break;
    }
    }
}

void CNumEdit::Refuse(float value, const QString& before)
{
    if (!SetValue(value))
        setText(before);
    selectAll();
}

void CNumEdit::DropTypeAhead()
{
    // Keys already queued for the field are dropped, and so are those the window system
    // delivers before the event loop comes round again.
    QCoreApplication::removePostedEvents(this, QEvent::KeyPress);
    droppingTypeAhead_ = true;
    QMetaObject::invokeMethod(this, [this] { droppingTypeAhead_ = false; }, Qt::QueuedConnection);
}

void VerifyNumEdit(platform::DataExchange& dx, int id)
{
    if (!dx.SaveAndValidate() || dx.Failed())
        return;
    auto* edit = dx.Dialog().Control<CNumEdit>(id);
    if (!edit)
        return;
    const int verdict = edit->Classify();
    if (verdict == CNumEdit::kValid)
        return;
    if (verdict == CNumEdit::kOutOfRange) {
        float minimum = 0;
        float maximum = 0;
        edit->GetRange(minimum, maximum);
        dx.Fail(platform::FormatMessage(platform::kMsgNumberRange, ShortFloat(minimum), ShortFloat(maximum)));
    } else {
        dx.Fail(platform::kMsgNotNumber);
    }
    edit->setFocus();
    edit->selectAll();
}

}  // namespace brindle
