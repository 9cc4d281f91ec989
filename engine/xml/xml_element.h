// A score document as the converters read and write it: elements with their names, their
// attributes, their text and their child elements, in document order.
//
// In a read document the text of an element is the first run of character data directly
// inside it, where a child element, a comment, a processing instruction or a CDATA
// section ends a run (the characters of a CDATA section are no text of the element); the
// entity references in it are expanded. That is the value of the element's first text
// node in the DOM the XML library builds of the same document with entity-reference
// nodes left out, which is what the converters read. An element being written holds its
// text before its child elements (the converters write text only into elements without
// children), and an element given an empty text is written with an end tag.
//
// An XmlTree owns its elements; element and attribute names are kept once per tree.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

namespace quaverly {

class XmlTree;

class XmlElement {
public:
    struct Attribute {
        const std::u16string* name;
        std::u16string value;
    };

    const std::u16string& Name() const { return *name_; }
    const std::u16string& Text() const { return text_; }
    // Whether text was given, empty text among it.
    bool HasText() const { return hasText_; }
    // In the order the document gives them (a name occurs once).
    const std::vector<Attribute>& Attributes() const { return attributes_; }
    // The value of the attribute, or null when the element has none of that name.
    const std::u16string* FindAttribute(std::u16string_view name) const;
    const std::vector<const XmlElement*>& Children() const { return children_; }

    // Building: a new last child element; an attribute (a later value of a name the
    // element has replaces the earlier one); text added to the element's text. Room for
    // the attributes to come may be made first.
    XmlElement& AppendChild(std::u16string_view name);
    void ReserveAttributes(std::size_t count) { attributes_.reserve(count); }
    void SetAttribute(std::u16string_view name, std::u16string_view value);
    void AppendText(std::u16string_view text);

    // Made by an XmlTree, which sets the tree and the name.
    XmlElement() = default;

private:
    friend class XmlTree;

    XmlTree* tree_ = nullptr;
    const std::u16string* name_ = nullptr;
    std::u16string text_;
    bool hasText_ = false;
    std::vector<Attribute> attributes_;
    std::vector<const XmlElement*> children_;
};

class XmlTree {
public:
    XmlTree() = default;
    XmlTree(const XmlTree&) = delete;
    XmlTree& operator=(const XmlTree&) = delete;
    XmlTree(XmlTree&&) = default;
    XmlTree& operator=(XmlTree&&) = default;

    // The first element added without a parent; null while there is none.
    const XmlElement* Root() const { return root_; }

    // A new element, last child of the parent; without a parent it becomes the root (a
    // tree has one: a later parentless element stays outside the tree).
    XmlElement& AddElement(XmlElement* parent, std::u16string_view name);
    // A new element that is nobody's child yet; AdoptChildren hangs such elements under
    // a parent in one go (a reader that knows the children only at the parent's end).
    XmlElement& AddDetachedElement(std::u16string_view name);
    static void AdoptChildren(XmlElement& parent, const XmlElement* const* first,
                              const XmlElement* const* last);

private:
    friend class XmlElement;

    static constexpr std::size_t kChunk = 1024;  // elements per block

    // Hashing for names that a string view finds without making a string.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view s) const
        {
            return std::hash<std::u16string_view>{}(s);
        }
    };

    const std::u16string* Intern(std::u16string_view name);

    // Blocks of elements that never move, so the children's pointers stay good; each
    // is reserved whole and filled one element at a time.
    std::vector<std::vector<XmlElement>> chunks_;
    std::unordered_set<std::u16string, NameHash, std::equal_to<>> names_;
    const XmlElement* root_ = nullptr;
};

}  // namespace quaverly
