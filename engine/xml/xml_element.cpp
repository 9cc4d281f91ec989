#include "engine/xml/xml_element.h"

namespace quaverly {

const std::u16string* XmlElement::FindAttribute(std::u16string_view name) const
{
    for (const Attribute& attribute : attributes_) {
        if (*attribute.name == name)
            return &attribute.value;
    }
    return nullptr;
}

const std::u16string* XmlTree::Intern(std::u16string_view name)
{
    if (const auto found = names_.find(name); found != names_.end())
        return &*found;
    return &*names_.emplace(name).first;
}

XmlElement& XmlTree::AddDetachedElement(std::u16string_view name)
{
    if (chunks_.empty() || chunks_.back().size() == kChunk) {
        chunks_.emplace_back();
        chunks_.back().reserve(kChunk);
    }
    XmlElement& element = chunks_.back().emplace_back();
    element.tree_ = this;
    element.name_ = Intern(name);
    return element;
}

XmlElement& XmlTree::AddElement(XmlElement* parent, std::u16string_view name)
{
    XmlElement& element = AddDetachedElement(name);
    if (parent)
        parent->children_.push_back(&element);
    else if (!root_)
        root_ = &element;
    return element;
}

void XmlTree::AdoptChildren(XmlElement& parent, const XmlElement* const* first,
                            const XmlElement* const* last)
{
    parent.children_.insert(parent.children_.end(), first, last);
}

XmlElement& XmlElement::AppendChild(std::u16string_view name)
{
    return tree_->AddElement(this, name);
}

void XmlElement::SetAttribute(std::u16string_view name, std::u16string_view value)
{
    const std::u16string* key = tree_->Intern(name);
    for (Attribute& attribute : attributes_) {
        if (attribute.name == key) {
            attribute.value = value;
            return;
        }
    }
    attributes_.push_back({key, std::u16string(value)});
}

void XmlElement::AppendText(std::u16string_view text)
{
    text_ += text;
    hasText_ = true;
}

}  // namespace quaverly
