#include "app/shell/text_style_change.h"

#include "app/dialogs/edit_symbol_dlg.h"

namespace brindle {

void ApplyTextStyleChange(quaverly::LogFont& font, const TextStyleChange& change, int logPixelsY)
{
    switch (change.kind) {
    case TextStyleChange::kSize:
        font.height = -CEditSymbolDlg::MulDiv(change.size, logPixelsY, 72);
        break;
    case TextStyleChange::kFaceName:
        font.SetFaceName(change.faceName);
        break;
    case TextStyleChange::kBold:
        font.weight = change.bold != 0 ? 700 : 400;
        break;
    case TextStyleChange::kItalic:
        font.italic = change.italic != 0 ? 1 : 0;
        break;
    case TextStyleChange::kUnderline:
        font.underline = change.underline != 0 ? 1 : 0;
        break;
    default:
        break;
    }
}

}  // namespace brindle
