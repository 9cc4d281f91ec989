// The base of the converters of the score document: one class per element kind, which
// reads an element into the score model and writes the model back as that element.
//
// Reading: the converter is given the element to read (of the document's XmlTree);
// ReadCommon takes its tag name, its text, its attributes and its child elements, and the
// converter then walks the children by name, running a child converter for each child it
// knows. Names
// are compared exactly, in a fixed order; elements and attributes a converter does not
// know are passed over without a word.
//
// Writing: the converter appends its element to the parent element it was given and
// fills it. Every text and attribute value goes through
// XmlSafeText, so a text holding characters that XML cannot carry still gives a document
// that opens again.
//
// A parent hands its state to a child through ReadChild / WriteChild: the context, the
// score and, unless the child was given one of its own, the parent's model object.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/model/score_element.h"
#include "engine/xml/dom_value_helpers.h"
#include "engine/xml/value_vocabulary.h"
#include "engine/xml/xml_element.h"

namespace quaverly {

class Part;
class Score;
struct XmlDocumentContext;

class XmlConverter {
public:
    XmlConverter() = default;
    XmlConverter(const XmlConverter&) = delete;
    XmlConverter& operator=(const XmlConverter&) = delete;
    virtual ~XmlConverter();

    // Reads the element it was given; here only ReadCommon.
    virtual void Read();
    // Writes the element under the parent element; here nothing.
    virtual void Write();

    void SetElement(const XmlElement* element) { element_ = element; }
    void SetModel(std::shared_ptr<ScoreElement> model) { model_ = std::move(model); }
    const std::shared_ptr<ScoreElement>& GetModel() const { return model_; }
    void SetScore(Score* score) { score_ = score; }
    void SetContext(XmlDocumentContext* context) { context_ = context; }
    void SetParentElement(XmlElement* parent) { parent_ = parent; }

protected:
    // Takes the element's tag name, text, attributes and child elements.
    void ReadCommon();

    // Runs the child's Read on the element, with this converter's context, score and
    // (unless the child has its own) model.
    void ReadChild(XmlConverter& child, const XmlElement* element);
    // Runs the child's Write under the parent element, with this converter's document,
    // context, score and (unless the child has its own) model.
    void WriteChild(XmlConverter& child, XmlElement* parent);

    // A new element of that name appended to the parent.
    XmlElement* AppendElement(XmlElement& parent, std::u16string_view name);
    // The same holding a text node with the text (also when it is empty).
    XmlElement* AppendTextElement(XmlElement& parent, std::u16string_view name,
                                       std::u16string_view text);
    void AppendText(XmlElement& element, std::u16string_view text);
    void SetAttribute(XmlElement& element, std::u16string_view name,
                      std::u16string_view value);

    // What ReadCommon found.
    const std::vector<const XmlElement*>& ChildElements() const;
    const std::u16string& Name() const;
    const std::u16string& Text() const;
    AttributeMap Attributes() const;
    // The value of the attribute, or null when the element has none of that name.
    const std::u16string* FindAttribute(std::u16string_view name) const;

    // The Part of score child i (the first child of its container); empty when there is
    // no such child or it holds no Part.
    static std::shared_ptr<Part> PartAt(const Score& score, int index);

    // The element being read; null when none was given.
    const XmlElement* Element() const { return element_; }
    Score* GetScore() const { return score_; }
    XmlDocumentContext* Context() const { return context_; }
    XmlElement* ParentElement() const { return parent_; }

private:
    const XmlElement* element_ = nullptr;
    const XmlElement* read_ = nullptr;  // what ReadCommon took
    std::shared_ptr<ScoreElement> model_;
    Score* score_ = nullptr;
    XmlDocumentContext* context_ = nullptr;
    XmlElement* parent_ = nullptr;
};

}  // namespace quaverly
