// The name tables of the score document: how the model's small integers (note values in
// ticks, barline styles, jump marks, dynamics, line-mark kinds, pitch steps,
// accidentals, note sizes, notation symbols) are spelt in the document, in both
// directions, and the few value operations the element converters share.
//
// A name matches only when it has the same length and the same UTF-16 units: "Quarter"
// and " quarter" are not note-type names. Writers produce exactly the names of the
// tables; a value outside a table writes the fallback stated with it, and an unknown
// name reads as the fallback stated with it. The tables are the single source for both
// directions.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/model/layout_types.h"
#include "engine/xml/dom_value_helpers.h"
#include "engine/xml/xml_element.h"

namespace quaverly {

class LineMark;
class NoteStyle;
class NoteSymbol;

// The attributes of an element, name to value: a view of the element's own (each name
// once), valid while its document is. Iterating gives (name, value) pairs.
class AttributeMap {
public:
    using Entry = std::pair<std::u16string_view, std::u16string_view>;
    using List = std::vector<XmlElement::Attribute>;

    class Iterator {
    public:
        explicit Iterator(List::const_iterator at) : at_(at) {}
        Entry operator*() const { return {*at_->name, at_->value}; }
        // The entry behind "->", held by value.
        struct Arrow {
            Entry entry;
            const Entry* operator->() const { return &entry; }
        };
        Arrow operator->() const { return {**this}; }
        Iterator& operator++()
        {
            ++at_;
            return *this;
        }
        bool operator==(const Iterator&) const = default;

    private:
        List::const_iterator at_;
    };

    AttributeMap() = default;
    explicit AttributeMap(const List& list) : list_(&list) {}

    Iterator begin() const { return Iterator(list_->begin()); }
    Iterator end() const { return Iterator(list_->end()); }
    Iterator find(std::u16string_view name) const;
    std::size_t count(std::u16string_view name) const { return find(name) == end() ? 0 : 1; }
    bool empty() const { return list_->empty(); }

private:
    static const List kNone;
    const List* list_ = &kNone;
};

// Note values ("type" of a note, "beat-unit" of a metronome mark): the fourteen powers of
// two from the maximal (5160960 ticks) to the 1024th (630). Another value writes
// "quarter"; an unknown name reads as 161280. "LENGTH_64" is read as the 64th as well.
std::u16string NoteTypeToText(int ticks);
int TextToNoteType(std::u16string_view text);
// The shortest note value not shorter than `ticks` (the maximal for anything longer); 0
// for no length.
int NoteTypeAtLeast(int ticks);

// Barline styles 0-8 ("none", "regular", ... "heavy-heavy"). Another style writes
// "regular"; an unknown name reads as 1 (regular).
std::u16string BarStyleToText(int style);
int TextToBarStyle(std::u16string_view text);

// Jump marks 3-8 ("dc", "ds", "fine", "coda", "tocoda", "segno"). Another value gives an
// empty name; an unknown name reads as 0 (no jump mark).
std::u16string JumpMarkToText(int mark);
int TextToJumpMark(std::u16string_view text);

// Dynamics codes 1-23 ("p" ... "fz"). Another code gives an empty name; an unknown name
// reads as 0 (none).
std::u16string DynamicsToText(int code);
int TextToDynamics(std::u16string_view text);

// Line-mark kinds 0-12 ("cresc" ... "glissandi"). Another kind gives an empty text; an
// unknown name makes no line mark (an empty pointer). A new mark starts with its kind's
// default radian.
std::u16string LineMarkKindToText(int kind);
std::shared_ptr<LineMark> CreateLineMark(std::u16string_view text);

// Pitch steps: the scale degrees 1-7 (codes 2-8) as "C" to "B", whatever the key, and
// the unpitched symbols 10-13 as "X", "X1", "X2", "X3". Another code (the rest 1
// included) gives an empty text; an unknown step reads as -1, so the reader can keep the
// note's code.
std::u16string StepToText(int code);
int TextToStep(std::u16string_view text);

// Accidentals -3 to 4; 0 (none) and a code outside give an empty text. An unknown name
// reads as 0.
std::u16string AccidentalToText(int code);
int TextToAccidental(std::u16string_view text);

// Note sizes: 0 "normal", 1 "chord", 2 "grace". Another kind gives an empty text and no
// style; an unknown name reads as -1.
std::u16string NoteKindToText(int kind);
int TextToNoteKind(std::u16string_view text);
std::shared_ptr<NoteStyle> CreateNoteStyle(int kind);

// Notation symbols: the code is the index in the list of 28 names (0 the empty name).
// A code outside 0-27 gives an empty name. Ten names make a symbol of the code's class;
// the other names, and unknown ones, make nothing.
std::u16string NotationToText(int code);
std::shared_ptr<NoteSymbol> CreateNoteSymbol(std::u16string_view text);

// The user offset carried by "relative-x" and "relative-y"; a missing one reads as 0.
Point ReadRelativeXY(const AttributeMap& attributes);

// Every attribute of the element.
AttributeMap CollectAttributes(const XmlElement& element);

// One real number from the start of the text, as a C-locale stream reads it (leading
// blanks, sign, digits, point, exponent). A text that holds no finite number gives 0.
double TextToReal(std::u16string_view text);

// The real as a stream writes it by default: six significant digits, the shorter of
// fixed and exponent form, no trailing zeros ("1", "-300", "1.5", "0.333333"). A whole
// number within +-2^53 is written with all its digits, so that values such as the
// not-set marker -16777216 read back exactly.
std::u16string RealToText(double value);

// The shortest text that reads back as exactly the same double (or float), in fixed or
// exponent form, whichever is shorter ("1", "1.5", "0.1", "1e+20"). Used for values the
// document must keep unchanged through any number of saves.
std::u16string RealToExactText(double value);
std::u16string FloatToExactText(float value);

}  // namespace quaverly
