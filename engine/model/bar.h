// One measure of one part: the notes and rests of the measure in start-time order, its
// tuplets, the beam groups that join its short notes, and the position map that turns
// a time inside the bar into x.
//
// The bar's index (ScoreElement::GetIndex) is its number counted from 0; a bar made
// without a number has index -1 until the builder numbers it.
#pragma once

#include <memory>
#include <vector>

#include "engine/model/score_element.h"

namespace quaverly {

class BeamGroup;
class Note;
class PositionMap;
class Tuplet;

class Bar : public ScoreElement {
public:
    using NotePtr = std::shared_ptr<Note>;
    using TupletPtr = std::shared_ptr<Tuplet>;

    Bar();  // index -1
    explicit Bar(int index);
    Bar(const Bar&) = delete;
    ~Bar() override;

    // {0, 0, w, 0} with w = the map's total extent plus its two margins; 0 wide while
    // the bar has no position map.
    Rect GetExtent(ScorePainter& painter) override;

    // Replaces the position map; the previous map is released. The layout gives every
    // bar of a laid-out column a new map.
    void SetPositionMap(std::shared_ptr<PositionMap> map);
    const std::shared_ptr<PositionMap>& GetPositionMap() const { return positionMap_; }

    // Appends a note (a null note is ignored); SortNotes restores the start-time order.
    void AddNote(NotePtr note);
    // Stable sort by start time: notes of equal start keep their order.
    void SortNotes();
    // Erases the first entry holding the note; nothing when it is absent.
    void RemoveNote(const Note* note);
    const std::vector<NotePtr>& GetNotes() const { return notes_; }

    // Releases the beam groups and joins the short notes anew by the beat of the
    // position map's meter (4/4 while the bar has no map). The released groups let go of
    // their notes and clear their beamed flags first, so a group still held elsewhere
    // never touches a note of the new groups.
    void RebuildBeamGroups();
    const std::vector<std::shared_ptr<BeamGroup>>& GetBeamGroups() const { return beamGroups_; }

    // Appends a tuplet and returns its position in the list (a null tuplet is ignored
    // and gives -1).
    int AddTuplet(TupletPtr tuplet);
    // Erases the first entry holding the tuplet; nothing when it is absent.
    void RemoveTuplet(const Tuplet* tuplet);
    const std::vector<TupletPtr>& GetTuplets() const { return tuplets_; }

private:
    std::shared_ptr<PositionMap> positionMap_;
    std::vector<NotePtr> notes_;
    std::vector<std::shared_ptr<BeamGroup>> beamGroups_;
    std::vector<TupletPtr> tuplets_;
};

}  // namespace quaverly
