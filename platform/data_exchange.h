// One pass of data exchange between a dialog's members and its controls. Loading puts
// each member into its control; saving reads each control back, refuses what is not a
// value of the member's kind (or lies outside a checked range) with a fixed message,
// gives that control the focus and stops the pass: members exchanged after the refused
// one keep their values. Numbers are read and written in the C locale, whatever the
// user's, so "2.5" stays "2.5".
#pragma once

#include <string>
#include <string_view>

namespace platform {

class DialogBase;

// The refusal messages.
inline constexpr std::u16string_view kMsgNotInteger = u"请输入一个整数。";
inline constexpr std::u16string_view kMsgNotUnsigned = u"请输入一个正整数。";
inline constexpr std::u16string_view kMsgNotNumber = u"请输入一个数字。";
inline constexpr std::u16string_view kMsgIntegerRange = u"请输入一个介于 %1 和 %2 之间的整数。";
inline constexpr std::u16string_view kMsgNumberRange = u"请输入一个介于 %1 和 %2 之间的数字。";
inline constexpr std::u16string_view kMsgTooManyChars = u"输入的文字不能超过 %1 个字符。";

class DataExchange {
public:
    DataExchange(DialogBase& dialog, bool saveAndValidate);

    bool SaveAndValidate() const { return save_; }
    bool Failed() const { return failed_; }
    DialogBase& Dialog() const { return dialog_; }

    // Text boxes holding a number or a text. Integers take blanks around them and a sign;
    // unsigned values take no minus sign; doubles are decimal numbers in the C locale.
    void Int(int id, int& value);
    void Unsigned(int id, unsigned& value);
    void Double(int id, double& value);
    void Text(int id, std::u16string& value);
    // A group of radio buttons with consecutive ids from `firstId`: the index of the one
    // checked, -1 for none.
    void Radio(int firstId, int& value);
    // A check box: 0, 1 or 2 (indeterminate).
    void Check(int id, int& value);
    // The selected row of a list box or combo box; -1 for none.
    void ListIndex(int id, int& value);
    void ComboIndex(int id, int& value);

    // Range and length checks of the member exchanged just before (saving only).
    void MinMaxInt(int value, int minimum, int maximum);
    void MinMaxUnsigned(unsigned value, unsigned minimum, unsigned maximum);
    void MinMaxDouble(double value, double minimum, double maximum);
    void MaxChars(const std::u16string& value, int maximum);

    // Refuses the last control with `message`: shows it, focuses the control, stops.
    void Fail(std::u16string_view message);

private:
    bool Skip() const { return failed_; }
    void Prepare(int id) { lastControl_ = id; }
    // One number box: shown with `format`, read back with `parse`, refused with `message`
    // when the text is not such a number (the member is then left as it was).
    template <class T, class Format, class Parse>
    void ExchangeNumber(int id, T& value, Format format, Parse parse, std::u16string_view message);

    DialogBase& dialog_;
    bool save_;
    bool failed_ = false;
    int lastControl_ = 0;
};

// Numbers as the exchange reads and writes them, in the C locale: a double with up to 15
// significant digits ("2.5", "0.1", "1e+20").
std::u16string FormatDouble(double value);
// The text of an integer: blanks around it and a sign are allowed; nothing else. False on
// anything else and when the value does not fit.
bool ParseInt(std::u16string_view text, int& value);
bool ParseUnsigned(std::u16string_view text, unsigned& value);
// A finite decimal number with blanks around it.
bool ParseDouble(std::u16string_view text, double& value);
// `pattern` with %1 and %2 replaced.
std::u16string FormatMessage(std::u16string_view pattern, std::u16string_view first,
                             std::u16string_view second = {});

}  // namespace platform
