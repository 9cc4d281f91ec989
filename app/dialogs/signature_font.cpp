#include "app/dialogs/signature_font.h"

#include "platform/font_mapper.h"

#include <QComboBox>

namespace brindle {

quaverly::LogFont SignatureLogFont()
{
    quaverly::LogFont font;
    font.height = -22;
    font.charSet = 1;
    font.quality = 4;
    font.SetFaceName(kSignatureFaceName);
    return font;
}

QFont SignatureFont() { return platform::FontMapper::ToQFont(SignatureLogFont(), 22); }

std::u16string KeyEntryText(int entry)
{
    return std::u16string(u"   ") + static_cast<char16_t>(u'a' + entry);
}

void FillKeyList(QComboBox& list, const QFont& font)
{
    list.setFont(font);
    list.clear();
    for (int i = 0; i < kKeyEntryCount; ++i)
        list.addItem(QString::fromStdU16String(KeyEntryText(i)));
    list.setCurrentIndex(kKeyEntryOfC);
}

int SelectedKey(const QComboBox& list)
{
    const int entry = list.currentIndex();
    if (entry < 0 || entry >= kKeyEntryCount)
        return 0;
    return entry - kKeyEntryOfC;
}

}  // namespace brindle
