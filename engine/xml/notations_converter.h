// The "notations" of a note: the start of a tuplet ("tuplet" of type "start"), the
// start and end of ties ("tied" of type "start" and "stop"), one "ornaments" element per
// articulation or ornament mark (holding one empty element named by the mark, so a
// staccato too travels inside "ornaments") and the user symbols ("other-notation").
//
// Reading attaches the marks and symbols to the note at once and reports the tuplet and
// tie information, from which the note reader builds the tuplet and tie objects. Of an
// "ornaments" the first child that names a mark gives it. A "fermata" directly under
// "notations", "articulations", "slur" and other MusicXML notations are passed over.
// Writing writes nothing at all for a note without any of them.
#pragma once

#include <memory>

#include "engine/xml/xml_converter.h"

namespace quaverly {

class Note;
class NoteSymbol;

// What a note's notations say about tuplets and ties.
struct NotationLinks {
    bool tupletStart = false;
    Point tupletOffset;
    bool tieStart = false;
    Point tieStartOffset;
    bool tieStop = false;
    Point tieStopOffset;
};

class NotationsConverter : public XmlConverter {
public:
    explicit NotationsConverter(std::shared_ptr<Note> note) : note_(std::move(note)) {}

    void Read() override;
    void Write() override;

    // Writing: what the note starts and ends. After reading: what was found.
    void SetLinks(const NotationLinks& links) { links_ = links; }
    const NotationLinks& GetLinks() const { return links_; }

private:
    void ReadOrnaments(const XmlElement& element);
    void WriteOrnaments(XmlElement& notations, const NoteSymbol& symbol);

    std::shared_ptr<Note> note_;
    NotationLinks links_;
};

}  // namespace quaverly
