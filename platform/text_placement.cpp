#include "platform/text_placement.h"

#include "platform/qt_string.h"

#include <QFontMetricsF>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <cmath>
#include <utility>

namespace platform {
namespace {

// Drops the '&' marks of mnemonics: "&&" stays one '&', "&x" becomes "x".
QString WithoutPrefixes(const QString& s)
{
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'&' && i + 1 < s.size())
            ++i;
        out.append(s[i]);
    }
    return out;
}

}  // namespace

QPointF AlignedTextOffset(unsigned align, double width, double ascent, double descent)
{
    double dx = 0;
    switch (align & kTaHorizontalMask) {
    case kTaCenter: dx = -width / 2.0; break;
    case kTaRight: dx = -width; break;
    default: break;
    }
    double dy = ascent;  // top
    if ((align & kTaVerticalMask) == kTaBaseline)
        dy = 0;
    else if ((align & kTaVerticalMask) == kTaBottom)
        dy = -descent;
    return QPointF(dx, dy);
}

DrawTextLayout LayOutDrawText(std::u16string_view text, Rect& rect, unsigned format,
                              const QFont& font, double lineHeight,
                              const std::function<double(const QString&)>& advance)
{
    QString s = ToQString(text);
    if (!(format & kDtNoPrefix))
        s = WithoutPrefixes(s);
    const QFontMetricsF fm(font);
    const auto widthOf = [&](const QString& line) {
        return advance ? advance(line) : fm.horizontalAdvance(line);
    };
    const unsigned horizontal = format & (kDtCenter | kDtRight);

    auto xFor = [&](double width) {
        if (horizontal & kDtCenter)
            return rect.left + (rect.Width() - width) / 2.0;
        if (horizontal & kDtRight)
            return rect.right - width;
        return static_cast<double>(rect.left);
    };

    // Lines with their widths.
    std::vector<std::pair<QString, double>> lines;
    if (format & kDtSingleLine) {
        lines.emplace_back(s, widthOf(s));
    } else {
        QString normalized = s;
        normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        normalized.replace(u'\r', u'\n');
        for (const QString& paragraph : normalized.split(u'\n')) {
            if (!(format & kDtWordBreak) || paragraph.isEmpty()) {
                lines.emplace_back(paragraph, widthOf(paragraph));
                continue;
            }
            QTextLayout layout(paragraph, font);
            QTextOption option;
            option.setWrapMode((format & kDtEditControl) ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                                         : QTextOption::WordWrap);
            layout.setTextOption(option);
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(std::max(1, rect.Width()));
                QString part = paragraph.mid(line.textStart(), line.textLength());
                while (!part.isEmpty() && part.back().isSpace())
                    part.chop(1);
                lines.emplace_back(part, widthOf(part));
            }
            layout.endLayout();
        }
    }

    double top = rect.top;
    if (format & kDtSingleLine) {
        if (format & kDtVCenter)
            top = rect.top + (rect.Height() - lineHeight) / 2.0;
        else if (format & kDtBottom)
            top = rect.bottom - lineHeight;
    }

    std::size_t shown = lines.size();
    if ((format & kDtEditControl) && !(format & kDtSingleLine) && rect.Height() > 0) {
        // A line that would be cut at the bottom is left out.
        shown = 0;
        while (shown < lines.size() && (shown + 1) * lineHeight <= rect.Height())
            ++shown;
    }
    const double textHeight = lineHeight * static_cast<double>(shown);

    DrawTextLayout result;
    if (format & kDtCalcRect) {
        double widest = 0;
        for (std::size_t i = 0; i < shown; ++i)
            widest = std::max(widest, lines[i].second);
        if ((format & kDtSingleLine) || !(format & kDtWordBreak))
            rect.right = rect.left + static_cast<std::int32_t>(std::ceil(widest));
        rect.bottom = rect.top + static_cast<std::int32_t>(std::ceil(textHeight));
        result.height = static_cast<std::int32_t>(std::ceil(textHeight));
        return result;
    }

    result.clip = !(format & kDtNoClip);
    for (std::size_t i = 0; i < shown; ++i)
        result.lines.push_back(DrawTextLine{std::move(lines[i].first), xFor(lines[i].second),
                                            top + lineHeight * static_cast<double>(i)});
    result.height = static_cast<std::int32_t>(std::ceil(top - rect.top + textHeight));
    return result;
}

}  // namespace platform
