#include "platform/ini_document.h"

namespace platform {

namespace {

constexpr std::size_t npos = std::u16string::npos;

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

std::u16string_view Trim(std::u16string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char16_t FoldCase(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool HasLineBreak(std::u16string_view s)
{
    return s.find_first_of(u"\r\n") != npos;
}

enum class LineKind { Blank, Comment, Header, Entry, Other };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::u16string_view name;   // section name of a header, key of an entry
    std::u16string_view value;  // raw value of an entry (trimmed, quotes kept)
};

ParsedLine ParseLine(std::u16string_view text)
{
    ParsedLine p;
    const std::u16string_view t = Trim(text);
    if (t.empty()) {
        p.kind = LineKind::Blank;
    } else if (t.front() == u';') {
        p.kind = LineKind::Comment;
    } else if (t.front() == u'[') {
        p.kind = LineKind::Header;
        std::u16string_view inner = t.substr(1);
        const std::size_t close = inner.find(u']');
        if (close != npos)
            inner = inner.substr(0, close);
        p.name = Trim(inner);
    } else if (const std::size_t eq = t.find(u'='); eq != npos && eq > 0) {
        p.kind = LineKind::Entry;
        p.name = Trim(t.substr(0, eq));
        p.value = Trim(t.substr(eq + 1));
        if (p.name.empty())
            p.kind = LineKind::Other;
    }
    return p;
}

std::u16string Unquote(std::u16string_view value)
{
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == u'"' || value.front() == u'\'')) {
        value = value.substr(1, value.size() - 2);
    }
    return std::u16string(value);
}

// The text that reads back as `value`.
std::u16string FormatValue(std::u16string_view value)
{
    std::u16string v(value);
    for (char16_t& c : v) {
        if (c == u'\r' || c == u'\n')
            c = u' ';
    }
    const bool blankEnds = !v.empty() && (IsBlank(v.front()) || IsBlank(v.back()));
    const bool quoted = v.size() >= 2 && v.front() == v.back() && (v.front() == u'"' || v.front() == u'\'');
    if (blankEnds || quoted)
        return u"\"" + v + u"\"";
    return v;
}

bool ValidSectionName(std::u16string_view name)
{
    return !Trim(name).empty() && name.find(u']') == npos && !HasLineBreak(name);
}

bool ValidKeyName(std::u16string_view key)
{
    const std::u16string_view t = Trim(key);
    return !t.empty() && t.front() != u'[' && t.front() != u';' && key.find(u'=') == npos &&
           !HasLineBreak(key);
}

}  // namespace

bool IniDocument::NamesEqual(std::u16string_view a, std::u16string_view b)
{
    a = Trim(a);
    b = Trim(b);
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    }
    return true;
}

IniDocument IniDocument::Parse(std::u16string_view text)
{
    IniDocument doc;
    bool endingSeen = false;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (c != u'\r' && c != u'\n') {
            ++i;
            continue;
        }
        Line line{std::u16string(text.substr(start, i - start)), {}};
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            line.ending = u"\r\n";
            i += 2;
        } else {
            line.ending = std::u16string(1, c);
            i += 1;
        }
        if (!endingSeen) {
            doc.newLine_ = line.ending;
            endingSeen = true;
        }
        doc.lines_.push_back(std::move(line));
        start = i;
    }
    if (start < text.size())
        doc.lines_.push_back(Line{std::u16string(text.substr(start)), {}});
    return doc;
}

std::u16string IniDocument::Serialize() const
{
    std::u16string out;
    for (const Line& line : lines_) {
        out += line.text;
        out += line.ending;
    }
    return out;
}

std::size_t IniDocument::FindSection(std::u16string_view section) const
{
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const ParsedLine p = ParseLine(lines_[i].text);
        if (p.kind == LineKind::Header && NamesEqual(p.name, section))
            return i;
    }
    return npos;
}

std::size_t IniDocument::SectionEnd(std::size_t header) const
{
    std::size_t i = header + 1;
    while (i < lines_.size() && ParseLine(lines_[i].text).kind != LineKind::Header)
        ++i;
    return i;
}

std::size_t IniDocument::FindKey(std::size_t header, std::u16string_view key) const
{
    const std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        const ParsedLine p = ParseLine(lines_[i].text);
        if (p.kind == LineKind::Entry && NamesEqual(p.name, key))
            return i;
    }
    return npos;
}

std::size_t IniDocument::InsertionPoint(std::size_t header) const
{
    const std::size_t end = SectionEnd(header);
    std::size_t at = header + 1;
    for (std::size_t i = header + 1; i < end; ++i) {
        const LineKind kind = ParseLine(lines_[i].text).kind;
        if (kind != LineKind::Blank && kind != LineKind::Comment)
            at = i + 1;
    }
    return at;
}

void IniDocument::InsertLine(std::size_t at, std::u16string text)
{
    // A last line without a line ending gets one before anything follows it.
    if (at > 0 && lines_[at - 1].ending.empty())
        lines_[at - 1].ending = newLine_;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), newLine_});
}

std::optional<std::u16string> IniDocument::GetValue(std::u16string_view section, std::u16string_view key) const
{
    const std::size_t header = FindSection(section);
    if (header == npos)
        return std::nullopt;
    const std::size_t line = FindKey(header, key);
    if (line == npos)
        return std::nullopt;
    return Unquote(ParseLine(lines_[line].text).value);
}

bool IniDocument::SetValue(std::u16string_view section, std::u16string_view key, std::u16string_view value)
{
    return SetValues(section, {{std::u16string(key), std::u16string(value)}});
}

bool IniDocument::SetValues(std::u16string_view section,
                            const std::vector<std::pair<std::u16string, std::u16string>>& entries)
{
    if (!ValidSectionName(section))
        return false;
    for (const auto& entry : entries) {
        if (!ValidKeyName(entry.first))
            return false;
    }

    std::size_t header = FindSection(section);
    if (header == npos) {
        if (!lines_.empty() && ParseLine(lines_.back().text).kind != LineKind::Blank)
            InsertLine(lines_.size(), std::u16string());
        InsertLine(lines_.size(), u"[" + std::u16string(Trim(section)) + u"]");
        header = lines_.size() - 1;
    }

    for (const auto& [key, value] : entries) {
        const std::u16string text = FormatValue(value);
        const std::size_t line = FindKey(header, key);
        if (line == npos) {
            InsertLine(InsertionPoint(header), std::u16string(Trim(key)) + u"=" + text);
            continue;
        }
        // Keep the key as spelled in the file and the blank after "=", if any.
        std::u16string& current = lines_[line].text;
        const std::size_t eq = current.find(u'=');
        std::u16string prefix = current.substr(0, eq + 1);
        if (eq + 1 < current.size() && IsBlank(current[eq + 1]))
            prefix += u' ';
        current = prefix + text;
    }
    return true;
}

bool IniDocument::DeleteKey(std::u16string_view section, std::u16string_view key)
{
    const std::size_t header = FindSection(section);
    if (header == npos)
        return false;
    const std::size_t line = FindKey(header, key);
    if (line == npos)
        return false;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(line));
    return true;
}

bool IniDocument::DeleteSection(std::u16string_view section)
{
    bool removed = false;
    for (std::size_t header = FindSection(section); header != npos; header = FindSection(section)) {
        // Blank lines and comments at the end of the section stay: they usually
        // separate or describe the section that follows.
        std::size_t end = SectionEnd(header);
        while (end > header + 1) {
            const LineKind kind = ParseLine(lines_[end - 1].text).kind;
            if (kind != LineKind::Blank && kind != LineKind::Comment)
                break;
            --end;
        }
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header),
                     lines_.begin() + static_cast<std::ptrdiff_t>(end));
        removed = true;
    }
    return removed;
}

std::vector<std::u16string> IniDocument::SectionNames() const
{
    std::vector<std::u16string> names;
    for (const Line& line : lines_) {
        const ParsedLine p = ParseLine(line.text);
        if (p.kind != LineKind::Header || p.name.empty())
            continue;
        bool seen = false;
        for (const std::u16string& name : names) {
            if (NamesEqual(name, p.name)) {
                seen = true;
                break;
            }
        }
        if (!seen)
            names.emplace_back(p.name);
    }
    return names;
}

bool IniDocument::HasSection(std::u16string_view section) const
{
    return FindSection(section) != npos;
}

}  // namespace platform
