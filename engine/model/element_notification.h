// The record that an element sends up the tree, its typed payload and the table of ids.
//
// An element never changes the model in answer to a user edit: it sends an
// ElementNotification through its own Notify (or its parent's). Every owner on the way
// up that holds the sender in one of its members writes that member's shared pointer
// (or its own number) into the payload field reserved for its role, makes itself the
// sender and passes the record on; the edit controller at the top builds commands from
// the finished record. A record that reaches no handler yields 0.
//
// The payload lives in the frame of the element that first sent it and only for the
// duration of the call; the shared pointers written into it are released when that
// frame ends. Receivers copy what they need.
#pragma once

#include <memory>
#include <string>

#include "engine/model/layout_types.h"
#include "engine/model/page_text_data.h"

namespace quaverly {

class ScoreElement;

// Ids of element notifications (1001-1075) and of the in-place edit requests (4-13).
namespace notification_id {
// In-place edit requests, forwarded to the editor's listener with the same code.
inline constexpr int kEditTitle = 4;
inline constexpr int kEditSubtitle = 5;
inline constexpr int kEditPoet = 6;
inline constexpr int kEditComposer = 7;
inline constexpr int kEditSinger = 8;
inline constexpr int kEditAdapter = 9;
inline constexpr int kEditRights = 10;
inline constexpr int kEditInstrumentName = 11;
inline constexpr int kEditLyric = 12;
inline constexpr int kEditPageText = 13;
// Deletion of a selected element (Delete key).
inline constexpr int kNoteDelete = 1001;
inline constexpr int kGraceNoteDelete = 1002;
inline constexpr int kChordNoteDelete = 1003;
inline constexpr int kTupletDelete = 1004;
inline constexpr int kTieDelete = 1005;
inline constexpr int kKeySignatureDelete = 1006;
inline constexpr int kTimeSignatureDelete = 1007;
inline constexpr int kTempoMarkDelete = 1008;
inline constexpr int kExpressionTextDelete = 1009;
inline constexpr int kLyricDelete = 1010;
inline constexpr int kPartGroupDelete = 1011;
inline constexpr int kLineBreakDelete = 1012;
inline constexpr int kBarsPerLineDelete = 1013;
inline constexpr int kLinesPerPageDelete = 1014;
inline constexpr int kBarlineMarkDelete = 1015;
inline constexpr int kDynamicMarkDelete = 1016;
inline constexpr int kNoteSymbolDelete = 1017;
inline constexpr int kChordNoteSymbolDelete = 1018;
inline constexpr int kLineMarkDelete = 1020;
inline constexpr int kSymbolMarkDelete = 1021;
inline constexpr int kBarlineSymbolDelete = 1022;
inline constexpr int kChordNoteSymbolMarkDelete = 1023;
inline constexpr int kGraceNoteSymbolMarkDelete = 1024;
inline constexpr int kBarNumberDelete = 1025;
inline constexpr int kHeaderTextDelete = 1026;
inline constexpr int kInstrumentNameDelete = 1027;
inline constexpr int kPageTextDelete = 1028;
// A note leaves its bar. The command that takes it out has already taken off, and keeps
// for its undo, the tuplets and ties that hang on it: the owners on the way up only pass
// the record on, since a change made there would be no part of any undo step.
inline constexpr int kNoteGoingAway = 1029;
inline constexpr int kTrackTiesChanged = 1030;
inline constexpr int kNoteDragStep = 1031;
// Drags of handles and marks come in pairs: a step while the pointer moves (the
// controller builds a transient group) and one release (a recorded group).
inline constexpr int kTrackPositionDrag = 1032;
inline constexpr int kTrackPositionRelease = 1033;
inline constexpr int kSystemIndentDrag = 1034;
inline constexpr int kSystemIndentRelease = 1035;
inline constexpr int kSystemRightEndDrag = 1036;
inline constexpr int kSystemRightEndRelease = 1037;
inline constexpr int kStaffSpacingDrag = 1038;
inline constexpr int kStaffSpacingRelease = 1039;
inline constexpr int kBarWidthDrag = 1040;
inline constexpr int kBarWidthRelease = 1041;
inline constexpr int kVerseOffsetDrag = 1042;
inline constexpr int kVerseOffsetRelease = 1043;
inline constexpr int kPartGroupBoundDrag = 1044;
inline constexpr int kPartGroupBoundRelease = 1045;
inline constexpr int kPartGroupOffsetChanged = 1046;
inline constexpr int kLineMarkMoveDrag = 1047;
inline constexpr int kLineMarkMoveRelease = 1048;
inline constexpr int kLineMarkReshapeDrag = 1049;
inline constexpr int kLineMarkReshapeRelease = 1050;
// Edit-mark handles report to their owners.
inline constexpr int kHandlePressed = 1051;
inline constexpr int kHandleReleased = 1052;
inline constexpr int kHandleDragged = 1053;
// Selection.
inline constexpr int kNoteSelectedInfo = 1055;
inline constexpr int kNoteSelected = 1056;
inline constexpr int kNoteDeselected = 1057;
inline constexpr int kSelectionChanged = 1058;
// Moves of editable elements.
inline constexpr int kMoveDragStep = 1059;
inline constexpr int kMoveRequest = 1060;
inline constexpr int kNoteOffsetDrag = 1061;
inline constexpr int kNoteOffsetChange = 1062;
inline constexpr int kGraceListDrag = 1063;
inline constexpr int kGraceListRelease = 1064;
inline constexpr int kChordNoteDrag = 1065;
inline constexpr int kChordNoteRelease = 1066;
inline constexpr int kPageTextMoved = 1067;
// Bar selection.
inline constexpr int kBarSelected = 1069;
inline constexpr int kBarDeselected = 1070;
inline constexpr int kBarDoubleClicked = 1071;
// Bracketing of several notifications into one undo step.
inline constexpr int kBeginGroup = 1072;
inline constexpr int kEndGroup = 1073;
inline constexpr int kBeginReverseGroup = 1074;
inline constexpr int kEndReverseGroup = 1075;
}  // namespace notification_id

// What a selected note reports about itself (1055).
struct NoteProperties {
    int startTime = 0;
    int duration = 0;  // base length in ticks
    int octave = 0;
    int dots = 0;
    int accidental = 0;
};

// The payload of a notification. Each field is one role; the sender fills the values it
// knows and leaves the shared-pointer slots empty, and each owner on the way up fills
// the slots of its role as its own notification table says. Fields not used by an id
// keep their initial values.
struct NotificationPayload {
    using ElementPtr = std::shared_ptr<ScoreElement>;

    // --- Numbers written on the way up ---
    int pageIndex = 0;     // layout root: index of the page the record came through
    int systemNumber = 0;  // page: index of the system on that page (1038, 1039)
    int trackIndex = 0;    // system: index of the track row the record came through
    int barIndex = 0;      // track: index within the part of the bar the record came
                           // through; a line-break mark sends the bar of its break (1012)
    int verse = 0;         // note: verse of a lyric asking to be edited (12); track: the
                           // verse handle being dragged (1042, 1043)
    int time = 0;          // note: start time of the note whose lyric asks (12)

    // --- Shared pointers written on the way up (empty when sent) ---
    ElementPtr element;  // the element the record is about, written by its owner: the
                         // deleted, moved or edited element, a tuplet, a tie, a symbol,
                         // a grace or chord note, a grace list, a page text
    ElementPtr owner;    // the container holding `element` where that is neither a note
                         // nor a bar: grace or chord list (1002, 1003), barline (1022),
                         // element at the start of a tie (1005)
    ElementPtr note;     // the note concerned or owning `element`, written by the bar (or
                         // by a grace or chord list for its own notes)
    ElementPtr bar;      // written by the track row
    ElementPtr part;     // written by the track row (or sent by a line-mark view)
    ElementPtr track;    // written by the system
    ElementPtr system;   // written by the page
    ElementPtr page;     // written by the layout root (1028, 1067)
    ElementPtr view;     // a line-mark view, written by the track row (1047-1050)
    ElementPtr lineMark; // the line mark a view shows (1020, 1047-1050)

    // The element a record speaks of without a shared pointer: the note going away
    // (1029) and the element whose selection changed (1058). Not owning.
    ScoreElement* subject = nullptr;

    // --- Values carried from the sender ---
    Point oldOffset;  // offset before and after a move (1032-1037, 1047, 1048, 1059-1067)
    Point newOffset;
    // The move is a nudge (1060-1067): the element has not moved; the command moves it by
    // newOffset - oldOffset from where it stands when the command runs.
    bool nudge = false;
    Point delta;      // a handle's drag step (1053); x alone for a bar's width mark
    Point pointer;    // last pointer position of a part-group handle (1044, 1045)
    int oldStaffSize = 0;  // 1038, 1039
    int newStaffSize = 0;
    float oldWidth = 0.0f;  // manual width adjustment of a bar (1040, 1041)
    float newWidth = 0.0f;
    int oldVerseOffset = 0;  // 1042, 1043
    int newVerseOffset = 0;
    bool firstBound = false;  // 1044, 1045: the group's first part moves (else its last)
    int oldPartIndex = 0;     // 1044, 1045
    int newPartIndex = 0;
    int entryKey = 0;    // a layout-map entry: line index or page index (1013, 1014)
    int entryValue = 0;  // bars per line or lines per page
    int oldBar = 0;      // line-mark moves (1047, 1048), with oldOffset and newOffset
    int oldPosition = 0;
    int newBar = 0;
    int newPosition = 0;
    int lastBar = 0;
    int oldDuration = 0;  // line-mark reshapes (1049, 1050)
    int newDuration = 0;
    double oldRadian = 0.0;
    double newRadian = 0.0;
    bool keepSelection = false;  // a bar's press with the keep-selection flag (1069, 1070)
    NoteProperties noteProperties;  // 1055

    // --- In-place edit requests (4-13) ---
    Rect rect;                // the text's rectangle (page or screen coordinates)
    std::u16string text;      // the current text
    const PageTextData* textItem = nullptr;  // a page text's record (13), not owning
};

// {id, payload, sender}. Every owner that passes the record on makes itself the sender.
struct ElementNotification {
    int id = 0;
    NotificationPayload* payload = nullptr;
    ScoreElement* sender = nullptr;
};

}  // namespace quaverly
