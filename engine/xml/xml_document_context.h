// What all converters of one document share while it is read or written.
//
// A load builds one context, the converters fill it as they meet the elements, and the
// document file object hands its layout collections and page record to the score and to
// the caller at the end. A save builds one, fills it from the score and the caller, and
// the converters write from it.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/model/container_element.h"
#include "engine/model/part.h"
#include "engine/xml/page_layout_result.h"
#include "engine/xml/system_record.h"

namespace quaverly {

class Note;
class PartGroup;
class Tie;

// A tie whose end has not been read yet, with the part that holds it and the chord (the
// count of main notes) its start note belongs to.
struct PendingTie {
    std::shared_ptr<Tie> tie;
    std::shared_ptr<Part> owner;
    int chord = 0;
};

// The note reader's links on one staff of the part being read.
struct StaffReadingState {
    // Ties end at the next chord, each at the note of its pitch: a tie still open when
    // the chord after that begins never ended and leaves its part.
    void DropStaleTies(int chordNow);
    // The open tie whose start note has the note's pitch; without one (unless `samePitch`),
    // the one opened last. Null when none fits.
    std::shared_ptr<Tie> TakePendingTie(const Note& note, bool samePitch = false);
    // Every open tie leaves its part.
    void DropPendingTies();

    std::vector<PendingTie> pendingTies;
    int chord = 0;  // main notes read on the staff
    std::shared_ptr<Note> lastMainNote;
    bool lastMainNoteSized = false;  // the last main note had a "size" of its own
    std::vector<std::shared_ptr<Note>> pendingGraceNotes;  // waiting for their main note
};

struct XmlDocumentContext {
    static constexpr int kTicksPerQuarter = 161280;
    static constexpr int kWrittenDivisions = 128;
    static constexpr int kNoVoiceYet = 10;

    XmlDocumentContext() { ResetPendingPart(); }

    // A fresh part in a fresh container becomes the pending part, for the second staff
    // of the next part element.
    void ResetPendingPart()
    {
        pendingPart = std::make_shared<Part>();
        pendingContainer = std::make_shared<ContainerElement>();
        pendingContainer->AppendChild(pendingPart);
    }

    // Ticks of a duration in the document's divisions, in 64 bits and held to the int
    // range (the divisions are always above 0).
    std::int64_t DurationToTicks(std::int64_t units) const
    {
        const std::int64_t ticks = units * kTicksPerQuarter / std::max(divisions, 1);
        return std::clamp<std::int64_t>(ticks, std::numeric_limits<int>::min(),
                                        std::numeric_limits<int>::max());
    }
    // Moves the reading position, never before the start of the measure nor beyond the
    // int range.
    void MoveReadingPosition(std::int64_t by)
    {
        readingPosition = static_cast<int>(std::clamp<std::int64_t>(
            std::int64_t{readingPosition} + by, 0, std::numeric_limits<int>::max()));
    }

    // The time inside the measure being read, in ticks.
    int readingPosition = 0;
    // Duration units per quarter note of the document's note durations; always above 0.
    int divisions = kWrittenDivisions;
    // Set by a converter that met a value the document cannot be read with (divisions
    // of 0 or less); the load then fails as a whole.
    bool unreadable = false;
    std::string unreadableReason;
    std::u16string encoder;
    std::u16string encodingDate;
    // The lowest voice accepted so far on the first and on the second staff.
    std::array<int, 2> lowestVoice = {kNoVoiceYet, kNoVoiceYet};
    // Part groups whose start has been read and whose stop has not, by slot (the group
    // number minus 1).
    std::map<int, std::shared_ptr<PartGroup>> openGroups;
    // The note reader's links on the first and on the second staff.
    std::array<StaffReadingState, 2> staves;
    // Set when the part being read has notes on a second staff.
    bool secondStaff = false;
    std::shared_ptr<ContainerElement> pendingContainer;
    std::shared_ptr<Part> pendingPart;
    // The score's layout settings: copies while a document is written, filled while one
    // is read.
    std::set<int> lineBreaks;
    std::map<int, int> barsPerLine;
    std::map<int, int> linesPerPage;
    std::vector<SystemRecord> systemRecords;
    PageLayoutResult pageResult;
    // Writing: the ties of the part being written, by the note each starts and ends at,
    // gathered once per part.
    const Part* tiesIndexed = nullptr;
    std::unordered_map<const Note*, std::shared_ptr<Tie>> tieStarts;
    std::unordered_map<const Note*, std::shared_ptr<Tie>> tieEnds;
};

}  // namespace quaverly
