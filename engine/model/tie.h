// A tie between a note and the following note of the same pitch.
//
// The tie is a model element only: its curve is drawn by the tie views of the laid-out
// lines. Its one effect on the notes is the pair of plain links that playback, export
// and the score exchange read: the start note's tied-to link and the end note's
// tied-from link (Note::GetTiedTo, Note::GetTiedFrom). The tie holds both notes by
// shared pointers, so a linked note lives at least as long as its tie.
//
// Links are kept mutual. Linking clears a link that another tie left on either note's
// far side first, re-anchoring a linked tie unlinks its previous notes first, and
// clearing or destroying a tie removes only the links that still join its own two
// notes; a note is never linked to itself. So no note is left pointing at a note that
// does not point back, and a note that goes away (Note::~Note) can clear its partner.
#pragma once

#include <cstdint>

#include <memory>

#include "engine/model/score_element.h"

namespace quaverly {

class Note;

// The place of a note in the score: the element that holds it (a bar or a note list)
// and the note.
struct NoteAnchor {
    std::shared_ptr<ScoreElement> owner;
    std::shared_ptr<Note> note;
};

class Tie : public ScoreElement {
public:
    Tie();  // no anchors; colour index 20
    Tie(const Tie&) = delete;
    // Clears the links first, as ClearChildren does.
    ~Tie() override;

    // Each stores the anchor; then, when both anchors hold a note, the start note is
    // tied to the end note. A tie that was linked unlinks its old notes first.
    void SetStart(NoteAnchor anchor);
    void SetEnd(NoteAnchor anchor);
    // A count that moves on whenever any tie is given other notes (or loses them), so
    // that what was worked out from ties' anchors can tell it is out of date.
    static std::uint64_t AnchorRevision();
    const NoteAnchor& GetStart() const { return start_; }
    const NoteAnchor& GetEnd() const { return end_; }

    // Clears the links between the two notes and empties both anchors.
    void ClearChildren() override;

private:
    void Link();
    void Unlink();

    NoteAnchor start_;
    NoteAnchor end_;
};

}  // namespace quaverly
