// Where a document's type declaration stands in its bytes, found without decoding them:
// the declaration must come before the root element, after an optional byte-order mark,
// XML declaration, comments and processing instructions, in an encoding that writes
// markup in ASCII. Offsets are byte offsets into the document.
//
// Inline: the document reader and the program's opening path, which rewrites the
// system identifier in its copy of the document, both read the declaration here.
#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quaverly {

struct DocumentTypeDeclaration {
    // A range of bytes [begin, end).
    struct Span {
        std::size_t begin = 0;
        std::size_t end = 0;
        bool Empty() const { return begin == end; }
        std::size_t Size() const { return end - begin; }
    };

    bool found = false;
    Span whole;           // from "<!DOCTYPE" to its closing ">"
    Span externalId;      // "SYSTEM ..." or "PUBLIC ..." with its literals; empty: none
    Span systemId;        // the text of the system literal, without its quotes
    bool hasSubset = false;
    Span subset;          // what stands between "[" and "]"

    // The declaration of `document`; `found` is false when it has none or one this
    // reading does not understand.
    static DocumentTypeDeclaration Find(std::string_view document);
};

// Rewrites the document so its external DTD subset is handed to the parser from the
// internal one, as an external parameter entity of the same public and system
// identifiers declared and referenced after the document's own declarations: the parser
// reads the same declarations in the same order. Lines stay where they were. False, and
// nothing changed, for a document without an external subset.
//
// Only the declaration is rewritten, in the document's own buffer: with
// kExternalSubsetReferenceRoom bytes of capacity to spare, a large score is not copied.
bool ReferenceExternalSubsetFromInside(std::string& document);

namespace document_type_detail {

inline constexpr std::string_view kParameterEntity = "document-type-external-subset";

inline bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

class Cursor {
public:
    explicit Cursor(std::string_view text) : text_(text) {}

    std::size_t At() const { return at_; }
    bool AtEnd() const { return at_ >= text_.size(); }
    bool LookingAt(std::string_view what) const { return text_.substr(at_).starts_with(what); }
    char Peek() const { return AtEnd() ? '\0' : text_[at_]; }
    void Step(std::size_t count = 1) { at_ = std::min(text_.size(), at_ + count); }

    // True when at least one blank was passed.
    bool SkipBlanks()
    {
        const std::size_t from = at_;
        while (!AtEnd() && IsBlank(text_[at_]))
            ++at_;
        return at_ != from;
    }
    // Moves past the next `what`; false (at the end) when there is none.
    bool SkipPast(std::string_view what)
    {
        const std::size_t found = text_.find(what, at_);
        if (found == std::string_view::npos) {
            at_ = text_.size();
            return false;
        }
        at_ = found + what.size();
        return true;
    }
    // A literal in double or single quotes; the span of its text.
    bool Literal(DocumentTypeDeclaration::Span& inside)
    {
        const char quote = Peek();
        if (quote != '"' && quote != '\'')
            return false;
        const std::size_t close = text_.find(quote, at_ + 1);
        if (close == std::string_view::npos)
            return false;
        inside = {at_ + 1, close};
        at_ = close + 1;
        return true;
    }

private:
    std::string_view text_;
    std::size_t at_ = 0;
};

// Passes over a comment or a processing instruction where one starts: `skipped` tells
// whether one did; false at a broken one.
inline bool SkipCommentOrInstruction(Cursor& in, bool& skipped)
{
    skipped = true;
    if (in.LookingAt("<!--"))
        return in.SkipPast("-->");
    if (in.LookingAt("<?"))
        return in.SkipPast("?>");
    skipped = false;
    return true;
}

// Passes over comments, processing instructions and blanks; false at a broken one.
inline bool SkipMisc(Cursor& in)
{
    for (bool skipped = true; skipped;) {
        in.SkipBlanks();
        if (!SkipCommentOrInstruction(in, skipped))
            return false;
    }
    return true;
}

// The internal subset from just after its "[" up to its "]": literals, comments and
// processing instructions may hold a "]" of their own.
inline bool SkipSubset(Cursor& in)
{
    DocumentTypeDeclaration::Span ignored;
    while (!in.AtEnd()) {
        const char c = in.Peek();
        if (c == ']')
            return true;
        bool skipped = false;
        if (c == '"' || c == '\'') {
            if (!in.Literal(ignored))
                return false;
        } else if (!SkipCommentOrInstruction(in, skipped)) {
            return false;
        } else if (!skipped) {
            in.Step();
        }
    }
    return false;
}

inline bool Keyword(Cursor& in, std::string_view word)
{
    if (!in.LookingAt(word))
        return false;
    in.Step(word.size());
    return true;
}

}  // namespace document_type_detail

inline DocumentTypeDeclaration DocumentTypeDeclaration::Find(std::string_view document)
{
    using namespace document_type_detail;
    DocumentTypeDeclaration decl;
    Cursor in(document);
    if (in.LookingAt("\xEF\xBB\xBF"))
        in.Step(3);
    if (!SkipMisc(in) || !in.LookingAt("<!DOCTYPE"))
        return decl;
    decl.whole.begin = in.At();
    in.Step(std::string_view("<!DOCTYPE").size());
    if (!in.SkipBlanks())
        return decl;
    // The root element's name.
    while (!in.AtEnd() && !IsBlank(in.Peek()) && in.Peek() != '[' && in.Peek() != '>')
        in.Step();
    in.SkipBlanks();
    const std::size_t idStart = in.At();
    if (Keyword(in, "SYSTEM") || Keyword(in, "PUBLIC")) {
        const bool isPublic = document.substr(idStart, 6) == "PUBLIC";
        Span literal;
        if (!in.SkipBlanks() || !in.Literal(literal))
            return decl;
        if (isPublic && (!in.SkipBlanks() || !in.Literal(literal)))
            return decl;
        decl.externalId = {idStart, in.At()};
        decl.systemId = literal;
    }
    in.SkipBlanks();
    if (in.Peek() == '[') {
        in.Step();
        decl.hasSubset = true;
        decl.subset.begin = in.At();
        if (!SkipSubset(in))
            return decl;
        decl.subset.end = in.At();
        in.Step();
        in.SkipBlanks();
    }
    if (in.Peek() != '>')
        return decl;
    in.Step();
    decl.whole.end = in.At();
    decl.found = true;
    return decl;
}

// What the rewrite adds at most: "[", "<!ENTITY % ", " ", ">%" and ";]" besides the
// entity's name twice.
inline constexpr std::size_t kExternalSubsetReferenceRoom = 2 * document_type_detail::kParameterEntity.size() + 32;

inline bool ReferenceExternalSubsetFromInside(std::string& document)
{
    using document_type_detail::kParameterEntity;
    const DocumentTypeDeclaration decl = DocumentTypeDeclaration::Find(document);
    if (!decl.found || decl.externalId.Empty())
        return false;
    const std::string_view whole = document;
    const auto text = [&](DocumentTypeDeclaration::Span span) { return whole.substr(span.begin, span.Size()); };
    // The declaration as it will read; the rest of the document stays where it is.
    std::string head;
    head.reserve(decl.whole.end + kExternalSubsetReferenceRoom);
    head.append(whole.substr(0, decl.externalId.begin));
    head.append("[");
    if (decl.hasSubset)
        head.append(text(decl.subset));
    head.append("<!ENTITY % ").append(kParameterEntity).append(" ");
    head.append(text(decl.externalId));
    head.append(">%").append(kParameterEntity).append(";]");
    // The line ends of the blanks dropped around the brackets stay.
    const std::size_t close = decl.whole.end - 1;
    const DocumentTypeDeclaration::Span blanks[] = {
        {decl.externalId.end, decl.hasSubset ? decl.subset.begin - 1 : close},
        {decl.hasSubset ? decl.subset.end + 1 : close, close},
    };
    for (const auto& span : blanks) {
        for (const char c : text(span)) {
            if (c == '\n' || c == '\r')
                head.push_back(c);
        }
    }
    head.append(">");
    document.replace(0, decl.whole.end, head);
    return true;
}

}  // namespace quaverly
