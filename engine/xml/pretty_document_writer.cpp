#include "engine/xml/pretty_document_writer.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "engine/xml/xml_element.h"

namespace quaverly {

namespace {

bool IsHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

// XML white space, as the serializer tells a text of spaces only.
bool IsXmlSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// Where a character is written: text, an attribute value, or markup (names, the
// document type), which has no escapes.
enum class Place { Text, Attribute, Markup };

class Writer {
public:
    explicit Writer(std::string& out) : out_(out) {}

    bool Document(const XmlElement& root, std::u16string_view publicId,
                  std::u16string_view systemId)
    {
        out_ += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\" ?>";
        NewLine();
        out_ += "<!DOCTYPE ";
        if (!Put(root.Name(), Place::Markup))
            return false;
        if (!publicId.empty()) {
            out_ += " PUBLIC \"";
            if (systemId.empty() || !Put(publicId, Place::Markup))
                return false;
            out_ += "\" \"";
            if (!Put(systemId, Place::Markup))
                return false;
            out_ += '"';
        } else if (!systemId.empty()) {
            out_ += " SYSTEM \"";
            if (!Put(systemId, Place::Markup))
                return false;
            out_ += '"';
        }
        out_ += '>';
        if (!Element(root, 0))
            return false;
        NewLine();
        return true;
    }

private:
    bool Element(const XmlElement& element, unsigned level)
    {
        // Each element on a line of its own, unless a text of white space before it
        // already broke the line; the children of the root stand apart by a blank line.
        if (!lineFeedInText_) {
            if (level == 1)
                NewLine();
            NewLine();
        } else {
            lineFeedInText_ = false;
        }
        Indent(level);
        const int startLine = line_;
        out_ += '<';
        if (!Put(element.Name(), Place::Markup))
            return false;
        // The serializer writes the attributes in the order of their names.
        std::vector<const XmlElement::Attribute*> attributes;
        attributes.reserve(element.Attributes().size());
        for (const XmlElement::Attribute& attribute : element.Attributes())
            attributes.push_back(&attribute);
        std::sort(attributes.begin(), attributes.end(),
                  [](const auto* a, const auto* b) { return *a->name < *b->name; });
        for (const XmlElement::Attribute* attribute : attributes) {
            out_ += ' ';
            if (!Put(*attribute->name, Place::Markup))
                return false;
            out_ += "=\"";
            if (!Put(attribute->value, Place::Attribute))
                return false;
            out_ += '"';
        }
        if (!element.HasText() && element.Children().empty()) {
            out_ += "/>";
            return true;
        }
        out_ += '>';
        if (element.HasText() && !Text(element.Text()))
            return false;
        for (const XmlElement* child : element.Children()) {
            if (!Element(*child, level + 1))
                return false;
        }
        // The end tag goes on a line of its own when the content took more than one.
        if (startLine != line_) {
            if (!lineFeedInText_)
                NewLine();
            else
                lineFeedInText_ = false;
            if (level == 0)
                NewLine();
            Indent(level);
        }
        out_ += "</";
        if (!Put(element.Name(), Place::Markup))
            return false;
        out_ += '>';
        return true;
    }

    bool Text(std::u16string_view text)
    {
        // A text of white space that breaks the line stands in for the next element's
        // line break and, by its spaces after the break, for some of its indent.
        lineFeedInText_ = false;
        lastSpaces_ = 0;
        bool spacesOnly = true;
        for (const char16_t c : text)
            spacesOnly = spacesOnly && IsXmlSpace(c);
        if (spacesOnly) {
            std::size_t at = text.rfind(u'\n');
            if (at == std::u16string_view::npos)
                at = text.rfind(u'\r');
            if (at != std::u16string_view::npos) {
                lineFeedInText_ = true;
                lastSpaces_ = static_cast<unsigned>(text.size() - at);
            }
        }
        return Put(text, Place::Text);
    }

    void NewLine()
    {
        ++line_;
        out_ += "\r\n";
    }

    void Indent(unsigned level)
    {
        if (lastSpaces_ != 0) {
            const unsigned written = lastSpaces_ / 2;  // two spaces make a level
            lastSpaces_ = 0;
            level = written < level ? level - written : 0;
        }
        out_.append(2 * static_cast<std::size_t>(level), ' ');
    }

    // Appends the text as UTF-8 with the escapes of its place. False for a unit XML 1.0
    // cannot carry in text and for a surrogate without its partner.
    bool Put(std::u16string_view text, Place place)
    {
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char16_t c = text[i];
            if (c < 0x80) {
                if (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r')
                    return false;
                if (place != Place::Markup && PutEscaped(c, place))
                    continue;
                out_ += static_cast<char>(c);
            } else if (c < 0x800) {
                out_ += static_cast<char>(0xC0 | (c >> 6));
                out_ += static_cast<char>(0x80 | (c & 0x3F));
            } else if (IsHighSurrogate(c)) {
                if (i + 1 >= text.size() || !IsLowSurrogate(text[i + 1]))
                    return false;
                const char32_t code =
                    0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[++i] - 0xDC00);
                out_ += static_cast<char>(0xF0 | (code >> 18));
                out_ += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
                out_ += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                out_ += static_cast<char>(0x80 | (code & 0x3F));
            } else if (IsLowSurrogate(c) || c == 0xFFFE || c == 0xFFFF) {
                return false;
            } else {
                out_ += static_cast<char>(0xE0 | (c >> 12));
                out_ += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
                out_ += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        return true;
    }

    // The escapes the serializer writes: in text "&", "<", ">" and a carriage return; in
    // attribute values "&", "<", the double quote, tab, line feed and carriage return.
    bool PutEscaped(char16_t c, Place place)
    {
        const bool attribute = place == Place::Attribute;
        switch (c) {
        case u'&': out_ += "&amp;"; return true;
        case u'<': out_ += "&lt;"; return true;
        case u'>':
            if (attribute)
                return false;
            out_ += "&gt;";
            return true;
        case u'"':
            if (!attribute)
                return false;
            out_ += "&quot;";
            return true;
        case u'\t':
            if (!attribute)
                return false;
            out_ += "&#x9;";
            return true;
        case u'\n':
            if (!attribute)
                return false;
            out_ += "&#xA;";
            return true;
        case u'\r': out_ += "&#xD;"; return true;
        default: return false;
        }
    }

    std::string& out_;
    int line_ = 0;
    bool lineFeedInText_ = false;
    unsigned lastSpaces_ = 0;
};

}  // namespace

bool WritePrettyDocument(const XmlElement& root, std::u16string_view publicId,
                         std::u16string_view systemId, std::string& out)
{
    out.clear();
    return Writer(out).Document(root, publicId, systemId);
}

}  // namespace quaverly
