#include "platform/ini_document.h"

#include <algorithm>

#include "platform/text_encoding.h"

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

std::u16string IniDocument::FoldName(std::u16string_view name)
{
    std::u16string folded(Trim(name));
    for (char16_t& c : folded)
        c = FoldCase(c);
    return folded;
}

IniDocument::Line IniDocument::MakeLine(std::u16string text, std::u16string ending)
{
    Line line;
    line.text = std::move(text);
    line.ending = std::move(ending);
    const std::u16string_view whole = line.text;
    const std::u16string_view t = Trim(whole);
    const auto offset = [&](std::u16string_view part) {
        return static_cast<std::uint32_t>(part.data() - whole.data());
    };
    if (t.empty()) {
        line.kind = Kind::Blank;
    } else if (t.front() == u';') {
        line.kind = Kind::Comment;
    } else if (t.front() == u'[') {
        line.kind = Kind::Header;
        std::u16string_view inner = t.substr(1);
        const std::size_t close = inner.find(u']');
        if (close != npos)
            inner = inner.substr(0, close);
        inner = Trim(inner);
        line.nameStart = inner.empty() ? 0 : offset(inner);
        line.nameLength = static_cast<std::uint32_t>(inner.size());
    } else if (const std::size_t eq = t.find(u'='); eq != npos && eq > 0) {
        const std::u16string_view name = Trim(t.substr(0, eq));
        const std::u16string_view value = Trim(t.substr(eq + 1));
        if (!name.empty()) {
            line.kind = Kind::Entry;
            line.nameStart = offset(name);
            line.nameLength = static_cast<std::uint32_t>(name.size());
            line.valueStart = value.empty() ? 0 : offset(value);
            line.valueLength = static_cast<std::uint32_t>(value.size());
        }
    }
    return line;
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
        std::u16string lineText(text.substr(start, i - start));
        std::u16string ending;
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            ending = u"\r\n";
            i += 2;
        } else {
            ending = std::u16string(1, c);
            i += 1;
        }
        if (!endingSeen) {
            doc.newLine_ = ending;
            endingSeen = true;
        }
        doc.lines_.push_back(MakeLine(std::move(lineText), std::move(ending)));
        start = i;
    }
    if (start < text.size())
        doc.lines_.push_back(MakeLine(std::u16string(text.substr(start)), {}));
    doc.Reindex();
    return doc;
}

void IniDocument::KeepOriginalBytes(std::string_view bytes)
{
    std::vector<std::string_view> byteLines;
    byteLines.reserve(lines_.size());
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
        byteLines.push_back(bytes.substr(start, end - start));
        if (end == bytes.size())
            break;
        start = end + ((bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1);
    }
    if (byteLines.size() != lines_.size())
        return;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (!IsValidUtf8(byteLines[i]))
            lines_[i].original = std::string(byteLines[i]);
    }
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

std::string IniDocument::SerializeBytes() const
{
    std::string out;
    for (const Line& line : lines_) {
        out += line.original ? *line.original : Utf16ToUtf8(line.text);
        out += Utf16ToUtf8(line.ending);
    }
    return out;
}

void IniDocument::Reindex()
{
    headers_.clear();
    firstHeader_.clear();
    sectionNames_.clear();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        if (line.kind != Kind::Header)
            continue;
        headers_.push_back(i);
        if (firstHeader_.emplace(FoldName(line.Name()), i).second && line.nameLength > 0)
            sectionNames_.emplace_back(line.Name());
    }
}

std::size_t IniDocument::FindSection(std::u16string_view section) const
{
    const auto found = firstHeader_.find(FoldName(section));
    return found == firstHeader_.end() ? npos : found->second;
}

std::size_t IniDocument::SectionEnd(std::size_t header) const
{
    const auto next = std::upper_bound(headers_.begin(), headers_.end(), header);
    return next == headers_.end() ? lines_.size() : *next;
}

std::size_t IniDocument::FindKey(std::size_t header, std::u16string_view key) const
{
    const std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        const Line& line = lines_[i];
        if (line.kind == Kind::Entry && NamesEqual(line.Name(), key))
            return i;
    }
    return npos;
}

std::size_t IniDocument::InsertionPoint(std::size_t header) const
{
    const std::size_t end = SectionEnd(header);
    std::size_t at = header + 1;
    for (std::size_t i = header + 1; i < end; ++i) {
        const Kind kind = lines_[i].kind;
        if (kind != Kind::Blank && kind != Kind::Comment)
            at = i + 1;
    }
    return at;
}

void IniDocument::InsertLine(std::size_t at, std::u16string text)
{
    // A last line without a line ending gets one before anything follows it.
    if (at > 0 && lines_[at - 1].ending.empty())
        lines_[at - 1].ending = newLine_;
    Line line = MakeLine(std::move(text), newLine_);
    const bool header = line.kind == Kind::Header;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    if (header) {
        Reindex();
        return;
    }
    // Any other line only moves the headers after it: a key added to a large file costs
    // the number of its sections, not of its lines.
    if (headers_.empty() || headers_.back() < at)
        return;
    for (std::size_t& h : headers_) {
        if (h >= at)
            ++h;
    }
    for (auto& entry : firstHeader_) {
        if (entry.second >= at)
            ++entry.second;
    }
}

std::optional<std::u16string> IniDocument::GetValue(std::u16string_view section, std::u16string_view key) const
{
    const std::size_t header = FindSection(section);
    if (header == npos)
        return std::nullopt;
    const std::size_t line = FindKey(header, key);
    if (line == npos)
        return std::nullopt;
    return Unquote(lines_[line].Value());
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
        if (!lines_.empty() && lines_.back().kind != Kind::Blank)
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
        Line& current = lines_[line];
        const std::size_t eq = current.text.find(u'=');
        std::u16string updated = current.text.substr(0, eq + 1);
        if (eq + 1 < current.text.size() && IsBlank(current.text[eq + 1]))
            updated += u' ';
        updated += text;
        // The line stays an entry of the same key: the index needs no update.
        current = MakeLine(std::move(updated), std::move(current.ending));
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
    Reindex();
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
            const Kind kind = lines_[end - 1].kind;
            if (kind != Kind::Blank && kind != Kind::Comment)
                break;
            --end;
        }
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header),
                     lines_.begin() + static_cast<std::ptrdiff_t>(end));
        removed = true;
        Reindex();
    }
    return removed;
}

bool IniDocument::HasSection(std::u16string_view section) const
{
    return FindSection(section) != npos;
}

}  // namespace platform
