// A one-line number field: holds one value between a minimum and a maximum, shows it with
// as many decimal places as the values it has shown needed (the places only grow), and
// refuses typing that would leave something else than a number in range. A refused key
// puts the value from before the key back, selects the whole text and drops the keys typed
// ahead of it. Text that arrives another way (pasting, Delete, Cut, undo, dropping) is
// checked after the change and refused the same way, and dialogs check the field once
// more when they are confirmed (VerifyNumEdit), since a narrowed range or a value put in
// by code can still leave a text outside the range.
//
// Values cross the interface as single-precision floats; numbers are read and shown in
// the C locale whatever the user's.
#pragma once

#include <QLineEdit>

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace platform {
class DataExchange;
}

namespace brindle {

class CNumEdit : public QLineEdit {
    Q_OBJECT

public:
    // What Verify finds in the text.
    enum Verdict : int { kValid = 0, kOutOfRange = 1, kNotNumber = 2, kLoneSign = 3 };

    // The texts of the explaining message boxes (shown only with SetVerbose on).
    static constexpr std::u16string_view kMsgOutOfRange = u"Given value is out of range.\n";
    static constexpr std::u16string_view kMsgNotNumber = u"Characters must be a number.\n";

    explicit CNumEdit(QWidget* parent = nullptr);

    // Value + clicks × step, held inside the range, then shown. A text that is no number
    // counts as the minimum.
    virtual void ChangeValue(int clicks);
    virtual float GetDelta() const { return step_; }
    virtual void SetDelta(float step) { step_ = step; }
    virtual void GetRange(float& minimum, float& maximum) const;
    // Inclusive bounds. The text shown is not checked again until it next changes.
    virtual void SetRange(float minimum, float maximum);
    virtual int GetVerbose() const { return verbose_; }
    // On: a refused entry is explained in a message box.
    virtual void SetVerbose(int on) { verbose_ = on; }
    // Classifies the text (a Verdict); with verbose on, explains kOutOfRange and kNotNumber.
    virtual int Verify();
    // False, with the text left alone, for a value outside the range (or not a number);
    // otherwise shows the value with the decimal places learnt so far.
    virtual bool SetValue(float value);
    // The number in the text when Verify passes it, else the minimum.
    virtual float GetValue();
    // The printf-style format the value is shown with ("%.2f"); learns the value's
    // decimal places (those of its six-significant-digit form) when it has more.
    virtual std::u16string GetFormatString(float value);

    // Verify without messages.
    int Classify() const;
    // The classification of any text against a range; `value` gets the number when there
    // is one.
    static int Classify(std::u16string_view text, float minimum, float maximum, float* value = nullptr);

    unsigned DecimalPlaces() const { return places_; }

    // Digits only (and Backspace): other characters are refused with a beep before the
    // range check. Off by default.
    void SetDigitsOnly(bool on) { digitsOnly_ = on; }
    bool DigitsOnly() const { return digitsOnly_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnTextChanged();
    void OnTextEdited(const QString& text);
    // Puts `value` back (the text `before` when the value cannot be shown), selects all.
    void Refuse(float value, const QString& before);
    void DropTypeAhead();
    std::u16string FormatValue(float value) const;

    std::uint8_t places_ = 0;
    int verbose_ = 0;
    float step_ = 1.0f;
    float minimum_ = -std::numeric_limits<float>::max();
    float maximum_ = std::numeric_limits<float>::max();
    bool digitsOnly_ = false;
    bool inFilter_ = false;
    bool droppingTypeAhead_ = false;
    // The text before the last change and the text now, for refusing a change that did
    // not come through the key filter.
    QString previousText_;
    QString currentText_;
};

// For a dialog's data exchange, after the field `id` was exchanged: when saving, refuses a
// CNumEdit whose text is not a number in its range with the exchange's range message (or
// its not-a-number message), and gives the field the focus. Does nothing for loading, for
// an exchange that failed already and for a control that is not a CNumEdit.
void VerifyNumEdit(platform::DataExchange& dx, int id);

}  // namespace brindle
