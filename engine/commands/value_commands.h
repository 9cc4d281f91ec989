// Commands that change one value (or one pair of values) of one element and can put it
// back. Each keeps both the value to apply and the value to restore, so Do and Undo
// call the same setter with different values; neither reads the element's current
// value when it runs, so doing, undoing and redoing always land on the same values
// whatever a drag did to the element in between.
//
// The builder sets every member once before the command is queued. A command whose
// element is missing does nothing.
#pragma once

#include <memory>
#include <vector>

#include "engine/commands/edit_command.h"
#include "engine/commands/inverse_command.h"
#include "engine/model/layout_types.h"

namespace quaverly {

class Bar;
class Decorator;
class LineMark;
class Part;
class PartGroup;
class Score;
class ScoreEditor;
class ScoreElement;
class SystemNode;

// The element's own offset (ScoreElement::SetOffset).
class SetElementOffsetCommand final : public EditCommand {
public:
    void SetOldOffset(Point offset) { oldOffset_ = offset; }
    void SetNewOffset(Point offset) { newOffset_ = offset; }
    void SetElement(std::shared_ptr<ScoreElement> element) { element_ = std::move(element); }
    // A nudge: Do moves the element by new - old from where it stands then, and Undo
    // puts back the offset Do found; so nudges queued before any of them ran add up.
    void SetByStep(bool byStep) { byStep_ = byStep; }

    void Do() override;
    void Undo() override;

private:
    Point oldOffset_;
    Point newOffset_;
    Point foundOffset_;  // by step: the offset before the last Do
    bool byStep_ = false;
    std::shared_ptr<ScoreElement> element_;
};

// A line's right-end offset.
class SetStaffPairValueCommand final : public EditCommand {
public:
    void SetOldOffset(Point offset) { oldOffset_ = offset; }
    void SetNewOffset(Point offset) { newOffset_ = offset; }
    void SetSystem(std::shared_ptr<SystemNode> system) { system_ = std::move(system); }

    void Do() override;
    void Undo() override;

private:
    Point oldOffset_;
    Point newOffset_;
    std::shared_ptr<SystemNode> system_;
};

// A part's staff size (the room below its bar line).
class SetStaffSizeCommand final : public EditCommand {
public:
    void SetNewSize(double size) { newSize_ = size; }
    void SetOldSize(double size) { oldSize_ = size; }
    void SetPart(std::shared_ptr<Part> part) { part_ = std::move(part); }

    void Do() override;
    void Undo() override;

private:
    double newSize_ = 0.0;
    double oldSize_ = 0.0;
    std::shared_ptr<Part> part_;
};

// The offset of one lyric verse (0-4) of a part.
class SetPartIndexedValueCommand final : public EditCommand {
public:
    void SetVerse(int verse) { verse_ = verse; }
    void SetOldOffset(int offset) { oldOffset_ = offset; }
    void SetNewOffset(int offset) { newOffset_ = offset; }
    void SetPart(std::shared_ptr<Part> part) { part_ = std::move(part); }

    void Do() override;
    void Undo() override;

private:
    int verse_ = 0;
    int oldOffset_ = 0;
    int newOffset_ = 0;
    std::shared_ptr<Part> part_;
};

// A bar's manual width adjustment.
class SetBarValueCommand final : public EditCommand {
public:
    void SetOldFactor(float factor) { oldFactor_ = factor; }
    void SetNewFactor(float factor) { newFactor_ = factor; }
    void SetBar(std::shared_ptr<Bar> bar) { bar_ = std::move(bar); }

    void Do() override;
    void Undo() override;

private:
    float oldFactor_ = 0.0f;
    float newFactor_ = 0.0f;
    std::shared_ptr<Bar> bar_;
};

// The one integer value of a small element: the value of a barline mark, the page of a
// page text. Other elements are left alone.
class SetElementStyleCommand final : public EditCommand {
public:
    void SetOldValue(int value) { oldValue_ = value; }
    void SetNewValue(int value) { newValue_ = value; }
    void SetElement(std::shared_ptr<ScoreElement> element) { element_ = std::move(element); }

    void Do() override;
    void Undo() override;

private:
    void Apply(int value);

    int oldValue_ = 0;
    int newValue_ = 0;
    std::shared_ptr<ScoreElement> element_;
};

// The type of the left (side 0) or right barline of every bar of its list.
class SetBarlineTypeCommand final : public EditCommand {
public:
    void SetOldType(int type) { oldType_ = type; }
    void SetNewType(int type) { newType_ = type; }
    void SetSide(int side) { side_ = side; }
    void AppendBar(std::shared_ptr<Bar> bar);

    void Do() override;
    void Undo() override;

private:
    void Apply(int type);

    int oldType_ = 0;
    int newType_ = 0;
    int side_ = 0;
    std::vector<std::shared_ptr<Bar>> bars_;
};

// The mark value (repeat or jump mark) of the left (side 0) or right barline of every
// bar of its list.
class SetBarRepeatCommand final : public EditCommand {
public:
    void SetOldValue(int value) { oldValue_ = value; }
    void SetNewValue(int value) { newValue_ = value; }
    void SetSide(int side) { side_ = side; }
    void AppendBar(std::shared_ptr<Bar> bar);

    void Do() override;
    void Undo() override;

private:
    void Apply(int value);

    int oldValue_ = 0;
    int newValue_ = 0;
    int side_ = 0;
    std::vector<std::shared_ptr<Bar>> bars_;
};

// Where a line mark starts (bar, time in the bar) and its drag offset.
class MoveLineMarkCommand final : public EditCommand {
public:
    struct Place {
        int bar = 0;
        int position = 0;  // ticks inside the bar
        Point offset;
    };

    void SetOldPlace(const Place& place) { old_ = place; }
    void SetNewPlace(const Place& place) { new_ = place; }
    void SetLineMark(std::shared_ptr<LineMark> mark) { mark_ = std::move(mark); }

    void Do() override;
    void Undo() override;

private:
    void Apply(const Place& place);

    Place old_;
    Place new_;
    std::shared_ptr<LineMark> mark_;
};

// A line mark's length and curve.
class ReshapeLineMarkCommand final : public EditCommand {
public:
    void SetOldShape(int duration, float curve)
    {
        oldDuration_ = duration;
        oldCurve_ = curve;
    }
    void SetNewShape(int duration, float curve)
    {
        newDuration_ = duration;
        newCurve_ = curve;
    }
    void SetLineMark(std::shared_ptr<LineMark> mark) { mark_ = std::move(mark); }

    void Do() override;
    void Undo() override;

private:
    void Apply(int duration, float curve);

    int oldDuration_ = 0;
    float oldCurve_ = 0.0f;
    int newDuration_ = 0;
    float newCurve_ = 0.0f;
    std::shared_ptr<LineMark> mark_;
};

// One bound of a part group: the first part (the default) or the last part.
class SetPartGroupBoundCommand final : public EditCommand {
public:
    void SetFirstBound(bool first) { firstBound_ = first; }
    void SetNewPart(int part) { newPart_ = part; }
    void SetOldPart(int part) { oldPart_ = part; }
    void SetPartGroup(std::shared_ptr<PartGroup> group) { group_ = std::move(group); }

    void Do() override;
    void Undo() override;

private:
    void Apply(int part);

    bool firstBound_ = true;
    int newPart_ = 0;
    int oldPart_ = 0;
    std::shared_ptr<PartGroup> group_;
};

class AddPartGroupCommand final : public EditCommand {
public:
    void SetScore(std::shared_ptr<Score> score) { score_ = std::move(score); }
    void SetPartGroup(std::shared_ptr<PartGroup> group) { group_ = std::move(group); }

    void Do() override;
    void Undo() override;

private:
    std::shared_ptr<Score> score_;
    std::shared_ptr<PartGroup> group_;
};

using RemovePartGroupCommand = InverseCommand<AddPartGroupCommand>;

// Gives a bar its bar-number decorator; Undo takes it away.
class AddBarIndexCommand final : public EditCommand {
public:
    void SetDecorator(std::shared_ptr<Decorator> decorator) { decorator_ = std::move(decorator); }
    void SetBar(std::shared_ptr<Bar> bar) { bar_ = std::move(bar); }

    void Do() override;
    void Undo() override;

private:
    std::shared_ptr<Decorator> decorator_;
    std::shared_ptr<Bar> bar_;
};

using RemoveBarIndexCommand = InverseCommand<AddBarIndexCommand>;

// After the staff size was changed with a row's spacing handle: the spacing handle of
// every row of every line lets go of the button, so no handle follows the pointer once
// the lines were laid out anew. One-way: Undo leaves the handles as they are.
class ReleaseSpacingHandlesCommand final : public EditCommand {
public:
    explicit ReleaseSpacingHandlesCommand(ScoreEditor* editor) : editor_(editor) {}

    void Do() override;
    void Undo() override {}

private:
    ScoreEditor* editor_;  // not owned
};

}  // namespace quaverly
