// The timed element of the score: one jianpu symbol (a scale degree 1 to 7, a rest "0",
// an unpitched symbol or a continuation dash) with everything that hangs on it: its
// accidental, augmentation dots, octave dots above or below, duration underlines,
// continuation glyphs for values longer than a quarter, grace notes before and after
// it, chord notes stacked on it, five lyric verses, articulation and ornament marks and
// free symbols.
//
// The note owns its sub-elements through shared pointers; they are not in its child
// list: the note lays them out, draws them and forwards events to them itself, and
// makes itself their parent before each layout. Every measurement and drawing goes
// through the note's NoteStyle, which picks the normal, chord or grace size.
//
// A bar keeps its notes sorted by start time. The played length is not kept in the
// note; GetNoteDuration (note_time.h) computes it from the base duration, the dots and
// the tuplet counts.
//
// Values that come from outside are held to their ranges where they enter: the base
// duration to 0..kMaxBaseDuration, the dots to 0..kMaxDots, the octave to
// -kMaxOctave..kMaxOctave, the tuplet counts to 0..kMaxTupletCount; an unknown
// accidental becomes none; a verse outside 0..4 is ignored.
//
// Notifications (ids in element_notification.h): Delete sends 1029 and 1001; selection
// sends 1056 and 1055, deselection 1057; a drag step of the note sends 1061 and the
// release 1062 {offset at the press, offset now}; a nudge sends 1062 for a move of 31
// units. Records from the sub-elements get the sub-element filled in on their way up;
// a grace list's own drag and release (1059, 1060 with no element) become 1063 and 1064
// {old offset, new offset, the list}.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "engine/model/editable_element.h"
#include "engine/model/note_style.h"

namespace quaverly {

class AccidentalSign;
class AugmentationDots;
class ChordNoteList;
class GraceNoteList;
class Lyric;
class NoteSymbol;
class SymbolMark;

// What a note shows.
namespace pitch_code {
inline constexpr int kNone = 0;         // a note the factory has not set yet
inline constexpr int kRest = 1;         // "0"
inline constexpr int kFirstDegree = 2;  // "1"
inline constexpr int kLastDegree = 8;   // "7"
inline constexpr int kDash = 9;         // "-", a continuation glyph
inline constexpr int kFirstSpecial = 10;
inline constexpr int kLastSpecial = 13;
}  // namespace pitch_code

// Accidental codes.
namespace accidental_code {
inline constexpr int kNaturalFlat = -3;
inline constexpr int kDoubleFlat = -2;
inline constexpr int kFlat = -1;
inline constexpr int kNone = 0;
inline constexpr int kSharp = 1;
inline constexpr int kDoubleSharp = 2;
inline constexpr int kNaturalSharp = 3;
inline constexpr int kNatural = 4;
}  // namespace accidental_code

// The ranges a note's values are held to.
namespace note_limits {
inline constexpr int kMaxDots = 3;
inline constexpr int kMaxBaseDuration = 2580480;  // two breves
inline constexpr int kMaxOctave = 10;
inline constexpr int kMaxTupletCount = 99;
}  // namespace note_limits

inline constexpr int kVerseCount = 5;

class Note : public EditableElement {
public:
    using NotePtr = std::shared_ptr<Note>;

    // Pitch code 0, a quarter, no dots, no accidental, octave 0, start time 0, no tuplet,
    // normal style, five empty lyrics. The sub-elements (dots, accidental sign, the grace
    // and chord lists, the lyrics) are made when they are first asked for or needed;
    // until then the note draws, lays out and saves as with untouched ones.
    Note();
    Note(const Note&) = delete;
    ~Note() override;

    // --- Element operations ---

    int Notify(ElementNotification& notification) override;
    // Sends 1029 (the note goes away) and then 1001 (remove it).
    void DeleteSelected() override;
    // The editable element's move, then 1031.
    void MoveBy(Point delta, int flags) override;
    // The base selection, then 1056 and 1055 {start, base duration, octave, dots,
    // accidental}; the accidental sign and the dots take the selected colour.
    void Select() override;
    // The base deselection, then 1057; the sign and the dots take the normal colour.
    void Deselect() override;
    // Each moves the note by 31 units and sends 1062 for that move; the controller's
    // command records it and lays the line out again.
    void NudgeLeft() override;
    void NudgeRight() override;
    void NudgeUp() override;
    void NudgeDown() override;
    // {0, 0, symbol width + accidental width, symbol height}.
    Rect GetExtent(ScorePainter& painter) override;
    // Store the point and pass it on: the continuation glyphs and the dots share the
    // note's origin; the accidental sign, marks, symbols, grace and chord lists get
    // origin + position; the lyrics get the origin.
    void SetOrigin(Point origin) override;
    void SetPosition(Point position) override;
    void OnKeyDown(int key, int flags) override;
    void OnInputEvent(int first, int second) override;
    void OnButtonDown(Point point, int flags, int& handled) override;
    void OnPointerMove(Point point, int flags) override;
    void OnButtonUp(Point point, int flags) override;
    void OnDoubleClick(Point point, int flags, int& handled) override;
    // The rectangle moved by origin + position; the offset does not count.
    bool HitTest(Point point) const override;
    void Layout(ScorePainter& painter) override;
    void Draw(ScorePainter& painter) override;

    // --- The four operations of the note family ---

    virtual int GetPitchCode() const;
    virtual void SetPitchCode(int code);  // a plain store
    // Stores the base duration (held to 0..kMaxBaseDuration) and rebuilds the
    // continuation glyphs.
    virtual void SetDuration(int duration);
    virtual int GetDuration() const;

    // --- Values ---

    // Held to 0..kMaxDots; rebuilds the continuation glyphs. Set the base duration
    // first: the number of dots drawn depends on it.
    void SetDots(int count);
    int GetDots() const;
    // An accidental outside -3..4 is stored as none.
    void SetAccidental(int accidental);
    int GetAccidental() const { return accidental_; }
    void SetOctave(int octave);  // held to -kMaxOctave..kMaxOctave
    int GetOctave() const { return octave_; }
    void SetStartTime(int time) { startTime_ = time; }
    int GetStartTime() const { return startTime_; }
    void SetTupletActual(int count);  // held to 0..kMaxTupletCount; 0: no tuplet
    int GetTupletActual() const { return tupletActual_; }
    void SetTupletNormal(int count);  // held to 0..kMaxTupletCount
    int GetTupletNormal() const { return tupletNormal_; }
    // Set while the note belongs to a chord list: no underlines, no continuation
    // glyphs, no lyrics laid out, lower octave dots right under the symbol.
    void SetChordMember(bool member) { chordMember_ = member; }
    bool IsChordMember() const { return chordMember_; }
    // Set while a beam group draws the note's underlines; the note keeps their room.
    void SetBeamed(bool beamed) { beamed_ = beamed; }
    bool IsBeamed() const { return beamed_; }
    // Hands the style to the accidental sign and the dots too. A null style is ignored.
    void SetStyle(std::shared_ptr<const NoteStyle> style);
    const std::shared_ptr<const NoteStyle>& GetStyle() const { return style_; }

    // Tie links, written only by the tie that joins two notes. Not owning.
    void SetTiedFrom(Note* note) { tiedFrom_ = note; }
    Note* GetTiedFrom() const { return tiedFrom_; }
    void SetTiedTo(Note* note) { tiedTo_ = note; }
    Note* GetTiedTo() const { return tiedTo_; }

    // --- Sub-elements ---

    // Verse 0-4; other verses are ignored. An empty text on a verse without a lyric
    // makes none.
    void SetLyricText(int verse, std::u16string text);
    // The lyric of verse 0-4 (made when it is first asked for), or an empty pointer for
    // any other verse.
    std::shared_ptr<Lyric> GetLyric(int verse) const;
    // The text of the verse's lyric; empty without one.
    const std::u16string& GetLyricText(int verse) const;
    // Each getter makes its element when it is first asked for.
    const std::shared_ptr<AugmentationDots>& GetDotsElement() const;
    const std::shared_ptr<AccidentalSign>& GetAccidentalSign() const;
    // The grace notes before the note (A) and after it (B), and the chord notes stacked
    // on it.
    const std::shared_ptr<GraceNoteList>& GetGraceListA() const;
    const std::shared_ptr<GraceNoteList>& GetGraceListB() const;
    const std::shared_ptr<ChordNoteList>& GetChordNotes() const;
    // The same elements only when they have been made: null otherwise, which stands for
    // an empty lyric, no dots, no accidental shown and an empty list.
    Lyric* GetLyricIfMade(int verse) const;
    AugmentationDots* GetDotsElementIfMade() const { return dots_.get(); }
    AccidentalSign* GetAccidentalSignIfMade() const { return accidentalSign_.get(); }
    GraceNoteList* GetGraceListAIfMade() const { return graceBefore_.get(); }
    GraceNoteList* GetGraceListBIfMade() const { return graceAfter_.get(); }
    ChordNoteList* GetChordNotesIfMade() const { return chordNotes_.get(); }
    // The notes of each list; empty while the list has not been made.
    const std::vector<NotePtr>& GetGraceNotesBefore() const;
    const std::vector<NotePtr>& GetGraceNotesAfter() const;
    const std::vector<NotePtr>& GetChordMembers() const;
    // The accidental the bar shows for the note (none without a sign).
    int GetShownAccidental() const;
    // Sets the accidental the bar shows; none on a note without a sign makes no sign.
    void SetShownAccidental(int accidental);
    // Appends a mark and keeps the marks sorted on their order (equal orders keep their
    // insertion order). A null mark is ignored.
    void AddOrnament(std::shared_ptr<NoteSymbol> symbol);
    // Removes the first entry holding the mark; nothing when absent.
    void RemoveOrnament(const NoteSymbol* symbol);
    const std::vector<std::shared_ptr<NoteSymbol>>& GetOrnaments() const { return ornaments_; }
    // The same for free symbols, sorted on their element index.
    void AddSymbol(std::shared_ptr<SymbolMark> symbol);
    void RemoveSymbol(const SymbolMark* symbol);
    const std::vector<std::shared_ptr<SymbolMark>>& GetSymbols() const { return symbols_; }
    // The continuation glyphs after a note longer than a quarter: one per further
    // quarter of its dotted length, further rests after a rest and dashes after any other
    // note. The layout places them at later beats. Never saved.
    const std::vector<NotePtr>& GetExtensionGlyphs() const { return extensionGlyphs_; }
    // True for a glyph that a note made for itself.
    bool IsExtensionGlyph() const { return extensionGlyph_; }

    // --- Measures ---

    // Underlines of a value shorter than a quarter: eighth 1, 16th 2 ... 128th 5; 0 for
    // a quarter or more and for a base duration of 0.
    int GetUnderlineCount() const;
    // Room above the symbol: the octave dots above it.
    int GetHeightAbove(ScorePainter& painter) const;
    // Room below the symbol: the underlines (none for a chord member) and the octave
    // dots below it.
    int GetDepthBelow(ScorePainter& painter) const;

protected:
    // Marks a note made as another note's continuation glyph: it drags as a plain
    // editable element, so its moves never address the note that owns it.
    void MarkExtensionGlyph() { extensionGlyph_ = true; }
    // Draws the underlines (none for a chord member or a beamed note) below a symbol
    // of the given size at `at`, one leger interval apart.
    void DrawUnderlines(ScorePainter& painter, Point at, Size note, int interval) const;
    void DrawExtensionGlyphs(ScorePainter& painter) const;
    void DrawDotsElement(ScorePainter& painter) const;

private:
    void RebuildExtensionGlyphs();
    void PlaceSubElements(bool includeGlyphs);
    // The sub-elements that receive pointer events, in forwarding order; invisible
    // elements left out.
    std::vector<std::shared_ptr<ScoreElement>> PointerTargets() const;
    // The sub-elements that receive keys, in forwarding order.
    std::vector<std::shared_ptr<ScoreElement>> KeyTargets() const;
    // The sub-element whose pointer is `element`, among the glyphs, lyrics, ornaments
    // and symbols; empty when none.
    std::shared_ptr<ScoreElement> FindMovableSubElement(const ScoreElement* element) const;
    // The two grace lists and the chord list, in drawing order; null where not made.
    std::array<ScoreElement*, 3> NoteLists() const;
    int FindLyric(const ScoreElement* element) const;
    // Gives a sub-element made after the note's construction what the note's placing
    // and layout gave the others: the origin and, once laid out, the parent.
    void AdoptSubElement(ScoreElement& element, Point origin, bool parent) const;

    int pitchCode_ = pitch_code::kNone;
    int duration_ = 161280;
    int octave_ = 0;
    Note* tiedFrom_ = nullptr;
    Note* tiedTo_ = nullptr;
    // The sub-elements are made on demand, also from the const getters.
    mutable std::shared_ptr<AugmentationDots> dots_;
    std::vector<NotePtr> extensionGlyphs_;
    int accidental_ = accidental_code::kNone;
    mutable std::shared_ptr<AccidentalSign> accidentalSign_;
    mutable std::shared_ptr<GraceNoteList> graceBefore_;
    mutable std::shared_ptr<GraceNoteList> graceAfter_;
    mutable std::shared_ptr<ChordNoteList> chordNotes_;
    std::vector<std::shared_ptr<NoteSymbol>> ornaments_;
    std::vector<std::shared_ptr<SymbolMark>> symbols_;
    int startTime_ = 0;
    int tupletActual_ = 0;
    int tupletNormal_ = 0;
    bool chordMember_ = false;
    bool beamed_ = false;
    std::shared_ptr<const NoteStyle> style_;
    mutable std::array<std::shared_ptr<Lyric>, kVerseCount> lyrics_;
    bool extensionGlyph_ = false;
    bool laidOut_ = false;  // Layout has run: its parent links exist
    bool selected_ = false;
};

}  // namespace quaverly
