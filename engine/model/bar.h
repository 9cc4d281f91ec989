// One measure of one part, both model and view.
//
// A bar owns the notes and rests of the measure in start-time order, its tuplets, the
// beam groups that join its short notes, its dynamics, its two barlines, the time
// signature that starts in it, its bar number (decorator), further right-aligned marks,
// and the position map that turns a time inside the bar into x. Its Layout places all
// of them inside the bar's rectangle and decides which accidentals are shown; its Draw
// draws them. None of them is in the child list: the bar places them, forwards events
// to them and makes itself their parent at every layout.
//
// The bar is the first owner that most notifications of its notes and marks pass
// through, so it fills their payload with the shared pointers it holds before passing
// the record on as their sender. It can itself be selected with a press (1069, 1070)
// or a double click (1071), and it carries the width handle with which the user
// stretches or shrinks it: every drag step reports the width in progress (1040), the
// release one change of the manual adjustment (1041) when the width changed.
//
// The bar's index (ScoreElement::GetIndex) is its number counted from 0; a bar made
// without a number has index -1 until the builder numbers it.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "engine/model/score_element.h"

namespace quaverly {

class BarWidthMark;
class Barline;
class BeamGroup;
class Decorator;
class DynamicMark;
class Note;
class PositionMap;
class TimeSignature;
class Tuplet;

class Bar : public ScoreElement {
public:
    using NotePtr = std::shared_ptr<Note>;
    using TupletPtr = std::shared_ptr<Tuplet>;
    using DirectionPtr = std::shared_ptr<DynamicMark>;
    static constexpr int kVerseCount = 5;

    Bar();  // index -1
    explicit Bar(int index);
    Bar(const Bar&) = delete;
    ~Bar() override;

    // --- Element operations ---

    // Fills the payload with the member that sent the record (see the table in
    // bar.cpp), runs the width drag, and passes the record on as its sender.
    int Notify(ElementNotification& notification) override;
    // Does nothing: a bar takes no children.
    void InsertChild(int i, ElementPtr child) override;
    // {0, 0, w, 0} with w = the map's total extent plus its two margins; 0 wide while
    // the bar has no position map.
    Rect GetExtent(ScorePainter& painter) override;
    // Store the point, then give every owned element the origin origin + position.
    void SetOrigin(Point origin) override;
    void SetPosition(Point position) override;
    // The base behaviour, then the notes, tuplets, other marks, dynamics, barline-mark
    // views, the decorator and the time signature.
    void OnKeyDown(int key, int flags) override;
    void OnInputEvent(int first, int second) override;
    // The owned elements and the width handle see the press; then a press on the bar
    // selects it (1069), a press elsewhere deselects a selected bar (1070). The payload
    // carries the keep-selection flag.
    void OnButtonDown(Point point, int flags, int& handled) override;
    void OnPointerMove(Point point, int flags) override;
    void OnButtonUp(Point point, int flags) override;
    // The base behaviour and the owned elements; then a hit selects the bar and reports
    // 1071, a miss deselects it silently.
    void OnDoubleClick(Point point, int flags, int& handled) override;
    // The rectangle moved by origin + position; the offset does not count.
    bool HitTest(Point point) const override;
    void Layout(ScorePainter& painter) override;
    void Draw(ScorePainter& painter) override;

    // --- Barlines, width handle, position map ---

    // The right barline for a non-zero flag, else the left one.
    const std::shared_ptr<Barline>& GetBarline(int right) const;
    const std::shared_ptr<BarWidthMark>& GetWidthMark() const { return widthMark_; }

    // Replaces the position map; the previous map is released. The layout gives every
    // bar of a laid-out column a new map.
    void SetPositionMap(std::shared_ptr<PositionMap> map);
    const std::shared_ptr<PositionMap>& GetPositionMap() const { return positionMap_; }

    // --- Notes ---

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

    // --- Tuplets ---

    // Appends a tuplet and returns its position in the list (a null tuplet is ignored
    // and gives -1).
    int AddTuplet(TupletPtr tuplet);
    // Erases the first entry holding the tuplet; nothing when it is absent.
    void RemoveTuplet(const Tuplet* tuplet);
    const std::vector<TupletPtr>& GetTuplets() const { return tuplets_; }

    // --- Marks ---

    // Further marks placed right-aligned at their time, which each mark carries as its
    // element index; marks of one time stack leftwards.
    std::vector<ElementPtr>& GetOtherMarks() { return otherMarks_; }
    const std::vector<ElementPtr>& GetOtherMarks() const { return otherMarks_; }

    // Appends and stable-sorts the dynamics by their index; a null mark is ignored.
    void AddDirection(DirectionPtr direction);
    // Erases the first entry holding the mark; nothing when absent.
    void RemoveDirection(const DynamicMark* direction);
    const std::vector<DirectionPtr>& GetDirections() const { return directions_; }

    // The views of the barlines' mark values, made anew by every layout.
    const std::vector<ElementPtr>& GetBarlineMarkViews() const { return barlineMarkViews_; }

    void SetDecorator(std::shared_ptr<Decorator> decorator) { decorator_ = std::move(decorator); }
    const std::shared_ptr<Decorator>& GetDecorator() const { return decorator_; }
    void ClearDecorator() { decorator_.reset(); }
    // The time signature that starts in this bar.
    void SetTimeSignature(std::shared_ptr<TimeSignature> signature)
    {
        timeSignature_ = std::move(signature);
    }
    const std::shared_ptr<TimeSignature>& GetTimeSignature() const { return timeSignature_; }
    void ClearTimeSignature() { timeSignature_.reset(); }

    // --- Values ---

    // The user's width adjustment (summed per column by the layout), as a share of the
    // bar's content: held to kMinManualAdjust..kMaxManualAdjust (a bar neither folds
    // back over itself nor grows without end), NaN counting as none.
    static constexpr float kMinManualAdjust = -1.0f;
    static constexpr float kMaxManualAdjust = 100.0f;
    static float HoldManualAdjust(float adjust);
    void SetManualAdjust(float adjust) { manualAdjust_ = HoldManualAdjust(adjust); }
    float GetManualAdjust() const { return manualAdjust_; }
    // Displacement of the lyrics of verse 0-4 in this bar; other verses are ignored by
    // the setter and read as {0, 0}.
    void SetVerseOffset(int verse, Point offset);
    Point GetVerseOffset(int verse) const;

    // Decides which accidental each note (and chord note) shows and gives it to the
    // note's accidental sign: an alteration already in force for the same pitch in the
    // bar is not repeated, a return to the plain pitch shows a natural, a sharp or flat
    // after another alteration shows natural-sharp or natural-flat, and a note tied over
    // from the previous one shows none. Run by Layout; the layout engine runs it first
    // to make room for what will be shown.
    void UpdateShownAccidentals();

    // Places a lyric that a note of this bar made after the bar was laid out where the
    // layout would have put it: under the note at its verse's offset, as an empty text.
    void PlaceNewLyric(const Note& note, int verse, ScoreElement& lyric) const;

private:
    // The owned elements in forwarding order: notes, tuplets, other marks, dynamics,
    // barline-mark views, the decorator and the time signature when set; the width
    // handle last when asked for.
    std::vector<ElementPtr> OwnedElements(bool withWidthMark) const;
    void LayoutNotes(ScorePainter& painter);
    void LayoutTuplets(ScorePainter& painter);
    void LayoutLyrics(ScorePainter& painter);
    void LayoutOtherMarks(ScorePainter& painter);
    void LayoutBeamGroups(ScorePainter& painter);
    void LayoutDirections(ScorePainter& painter);
    void LayoutBarlineMarkViews(ScorePainter& painter);
    void LayoutDecorator(ScorePainter& painter);
    void LayoutTimeSignature(ScorePainter& painter);
    // The x of a time inside the bar's rectangle, from the position map.
    int TimeToX(int time) const;
    // The width drag of the handle: 1051 press, 1053 step, 1052 release.
    int OnWidthHandle(int id, const NotificationPayload* payload);
    int NotifyWidth(int id, float from, float to);

    std::shared_ptr<Barline> leftBarline_;
    std::shared_ptr<Barline> rightBarline_;
    float manualAdjust_ = 0.0f;
    std::shared_ptr<PositionMap> positionMap_;
    std::vector<NotePtr> notes_;
    std::vector<std::shared_ptr<BeamGroup>> beamGroups_;
    std::vector<TupletPtr> tuplets_;
    std::vector<ElementPtr> otherMarks_;
    std::vector<DirectionPtr> directions_;
    std::vector<ElementPtr> barlineMarkViews_;
    std::shared_ptr<TimeSignature> timeSignature_;
    std::shared_ptr<Decorator> decorator_;
    std::array<Point, kVerseCount> verseOffsets_{};
    int noteWidth_ = 0;       // of the last layout of the lyrics
    Size emptyLyricSize_{};   // likewise
    float widthAtDragStart_ = 0.0f;
    float widthNow_ = 0.0f;
    std::shared_ptr<BarWidthMark> widthMark_;
};

}  // namespace quaverly
