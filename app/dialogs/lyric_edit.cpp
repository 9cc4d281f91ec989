#include "app/dialogs/lyric_edit.h"

#include <QMimeData>
#include <QScrollBar>
#include <QTextCursor>

#include <algorithm>
#include <vector>

namespace brindle {

CLyricEdit::CLyricEdit(QWidget* parent) : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    connect(this, &QPlainTextEdit::textChanged, this, [this] { Normalize(); });
}

std::u16string CLyricEdit::NormalizeText(std::u16string_view text, int slotCount, int& anchor, int& position)
{
    // Old offset -> new offset, for every offset 0 .. size.
    std::vector<int> moved(text.size() + 1, 0);
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        moved[i] = static_cast<int>(out.size());
        const char16_t c = text[i];
        if (c == u'\r')
            continue;
        out.push_back(c == u'\n' || c == u' ' || c == u'\u3000' ? kSeparator : c);
    }
    moved[text.size()] = static_cast<int>(out.size());

    if (slotCount > 0) {
        const std::size_t allowed = static_cast<std::size_t>(slotCount) - 1;
        std::size_t count = 0;
        for (std::size_t i = 0; i < out.size(); ++i) {
            if (out[i] != kSeparator)
                continue;
            if (++count > allowed) {
                out.resize(i);
                break;
            }
        }
        if (count < allowed)
            out.append(allowed - count, kSeparator);
    }

    const auto place = [&](int offset) {
        const int old = std::clamp(offset, 0, static_cast<int>(text.size()));
        return std::min(moved[static_cast<std::size_t>(old)], static_cast<int>(out.size()));
    };
    anchor = place(anchor);
    position = place(position);
    return out;
}

void CLyricEdit::Normalize()
{
    if (normalizing_)
        return;
    const std::u16string text = Text();
    QTextCursor cursor = textCursor();
    int anchor = cursor.anchor();
    int position = cursor.position();
    const std::u16string shaped = NormalizeText(text, slots_, anchor, position);
    if (shaped == text)
        return;
    normalizing_ = true;
    setPlainText(QString::fromStdU16String(shaped));
    QTextCursor placed = textCursor();
    placed.setPosition(anchor);
    placed.setPosition(position, QTextCursor::KeepAnchor);
    setTextCursor(placed);
    ensureCursorVisible();
    normalizing_ = false;
}

void CLyricEdit::SetText(std::u16string_view text)
{
    std::u16string plain(text);
    // setPlainText would take a CR of a CR LF for a line break of its own.
    std::erase(plain, u'\r');
    setPlainText(QString::fromStdU16String(plain));
}

void CLyricEdit::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText() || isReadOnly()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    QString text = source->text();
    text.remove(QLatin1Char('\r'));
    textCursor().insertText(text);
    ensureCursorVisible();
}

}  // namespace brindle
