// Small pieces the value dialogs share: Qt text from UTF-16, the OK and Cancel buttons
// and the bounds of bar numbers and voice counts.
#pragma once

#include <QString>

#include <string>
#include <string_view>

#include "platform/qt_string.h"

class QPushButton;
class QLayout;

namespace platform {
class DataExchange;
class DialogBase;
}  // namespace platform

namespace brindle {

using platform::ToQString;

inline constexpr std::u16string_view kTextOk = u"确定";
inline constexpr std::u16string_view kTextCancel = u"取消";

// A push button registered under `id`; the OK button is the default one (Enter).
QPushButton* AddButton(platform::DialogBase& dialog, int id, std::u16string_view text);
// The row of OK and Cancel buttons at the right, registered under IDOK and IDCANCEL.
QLayout* OkCancelRow(platform::DialogBase& dialog, std::u16string_view okText = kTextOk);

// Bar numbers typed into the dialogs are 1-based; a score never has more bars than
// this, and the bound keeps "bar - 1" and the other sums the callers make far from the
// end of the int range.
inline constexpr int kMaxBarNumber = 100000;

// Exchanges a 1-based bar number; saving refuses a number outside minimum ..
// kMaxBarNumber with the exchange's range message.
void ExchangeBarNumber(platform::DataExchange& dx, int id, int& value, int minimum = 1);

// Most voices the voice lists offer: far more than a score holds, and a bound for a count
// the lists are filled from.
inline constexpr int kMaxVoiceCount = 1000;

}  // namespace brindle
