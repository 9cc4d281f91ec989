// Typed notes and MIDI chords that wait for the editor: each stores its arguments when it
// is queued and makes one editor call when it runs.
#pragma once

#include <vector>

#include "engine/model/layout_types.h"

namespace quaverly::api {
class ScoreEditor;
}

namespace brindle {

// Modifier bits stored with a queued input.
inline constexpr int kInputCtrl = 1;
inline constexpr int kInputShift = 2;
inline constexpr int kInputAlt = 4;

class DeferredInput {
public:
    virtual ~DeferredInput() = default;
    virtual void Execute(quaverly::api::ScoreEditor& editor) = 0;
};

class DeferredNoteInput final : public DeferredInput {
public:
    DeferredNoteInput(int degree, int octave, int value, int dots, int accidental, int graceKind, int modifiers)
        : degree_(degree), octave_(octave), value_(value), dots_(dots), accidental_(accidental),
          graceKind_(graceKind), modifiers_(modifiers)
    {
    }
    void Execute(quaverly::api::ScoreEditor& editor) override;

private:
    int degree_;
    int octave_;
    int value_;
    int dots_;
    int accidental_;
    int graceKind_;
    int modifiers_;
};

class DeferredChordInput final : public DeferredInput {
public:
    DeferredChordInput(std::vector<int> keys, int value, int dots, int graceKind, int modifiers)
        : keys_(std::move(keys)), value_(value), dots_(dots), graceKind_(graceKind), modifiers_(modifiers)
    {
    }
    void Execute(quaverly::api::ScoreEditor& editor) override;

private:
    std::vector<int> keys_;
    int value_;
    int dots_;
    int graceKind_;
    int modifiers_;
};

// A note placed with the pointer: the press moves the editor's cursor to the point (score
// units), then the note goes in there, in one turn of the queue.
class DeferredPointerNoteInput final : public DeferredInput {
public:
    DeferredPointerNoteInput(quaverly::Point point, int pointerFlags, DeferredNoteInput note)
        : point_(point), pointerFlags_(pointerFlags), note_(std::move(note))
    {
    }
    void Execute(quaverly::api::ScoreEditor& editor) override;

private:
    quaverly::Point point_;
    int pointerFlags_;
    DeferredNoteInput note_;
};

}  // namespace brindle
