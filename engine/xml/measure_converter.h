// One bar of one part as a "measure": its number (counted from 1), its manual width
// adjustment, its two barlines, the jump marks at them, its bar number mark, the line
// break before it, its attributes and the document tempo.
//
// A bar is indexed by its order in the part, never by the "number" text: the n-th
// measure of a part is bar n - 1 whatever its number says ("0", "12a" and repeated
// numbers are all safe), and every child reads with that index. Reading appends the
// new bar to the part after its children are read, and one more empty bar to the
// context's pending part (which gathers a second staff), with the same barline styles,
// so both always hold as many bars. A "print" marks a line break before the bar only
// when its "new-system" is "yes".
//
// Writing follows a fixed order: the left barline, the left jump mark, the bar-number
// mark, in the first part the line break, the attributes, in the first part's first bar
// the tempo, the bar's own direction (words, metronome mark, line marks), the notes with
// their dynamics (each note preceded by its grace notes before it and followed by its
// grace notes after it and its chord notes), the right jump mark and the right barline.
//
// Reading starts the reading position at 0; notes move it on and "backup" moves it back.
// A dynamics mark sits at the reading position where its direction stands, unless the
// direction gives its time.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/xml/xml_converter.h"

namespace quaverly {

class Bar;
class DynamicMark;
class Note;

class MeasureConverter : public XmlConverter {
public:
    // The bar index, the part index and the part's container (whose first child is the
    // Part receiving or giving the bars).
    MeasureConverter(int barIndex, int partIndex, std::shared_ptr<ScoreElement> partEntry)
        : barIndex_(barIndex), partIndex_(partIndex), partEntry_(std::move(partEntry))
    {
    }

    void Read() override;
    void Write() override;

private:
    enum NoteRole { kMain, kChord, kGraceBefore, kGraceAfter };

    void ReadManualAdjust(Bar& bar) const;
    void WriteNotes(XmlElement& measure, const std::shared_ptr<Bar>& bar);
    void WriteNote(XmlElement& measure, const std::shared_ptr<Bar>& bar,
                   const std::shared_ptr<Note>& note, NoteRole role);
    void WriteDynamics(XmlElement& measure, const DynamicMark& mark, std::int64_t readerAt);
    void WriteJumpMark(XmlElement& measure, const Bar& bar, int side);

    int barIndex_ = 0;
    int partIndex_ = 0;
    std::shared_ptr<ScoreElement> partEntry_;
};

}  // namespace quaverly
