// Two-way commands that put one element into a list owned by another element (Do) and
// take it out again (Undo). One template serves every kind of list: a small operations
// type names the owner, the item and the owner's own add and remove operations, which
// keep their own order (sorted insertion, or append and sort). The removal commands
// are the inverse wrappers of these:
//
//     auto remove = std::make_unique<RemoveGraceNoteCommand>();
//     remove->Target().SetItem(graceNote);
//     remove->Target().SetTarget(graceList);
//
// The command holds the item by a shared pointer, so an element that is out of its list
// stays alive and undoing the removal puts the same object back. Nothing here lays the
// score out: whoever builds the command adds a re-layout of the affected range to the
// same group.
#pragma once

#include <memory>
#include <utility>

#include "engine/commands/edit_command.h"
#include "engine/commands/inverse_command.h"
#include "engine/model/bar.h"
#include "engine/model/barline.h"
#include "engine/model/chord_note_list.h"
#include "engine/model/dynamic_mark.h"
#include "engine/model/grace_note_list.h"
#include "engine/model/line_mark.h"
#include "engine/model/note.h"
#include "engine/model/note_symbol.h"
#include "engine/model/page_text.h"
#include "engine/model/part.h"
#include "engine/model/score.h"
#include "engine/model/symbol_mark.h"

namespace quaverly {

template <class Ops>
class AddElementCommand : public EditCommand {
public:
    using TargetType = typename Ops::Target;
    using ItemType = typename Ops::Item;

    void SetItem(std::shared_ptr<ItemType> item) { item_ = std::move(item); }
    void SetTarget(std::shared_ptr<TargetType> target) { target_ = std::move(target); }
    const std::shared_ptr<ItemType>& GetItem() const { return item_; }
    const std::shared_ptr<TargetType>& GetTarget() const { return target_; }

    // A command missing either pointer does nothing in both directions.
    void Do() override
    {
        if (target_ && item_) {
            Ops::Add(*target_, item_);
        }
    }
    void Undo() override
    {
        if (target_ && item_) {
            Ops::Remove(*target_, item_);
        }
    }

private:
    std::shared_ptr<ItemType> item_;
    std::shared_ptr<TargetType> target_;
};

namespace element_list_ops {

struct GraceNotes {
    using Target = GraceNoteList;
    using Item = Note;
    static void Add(Target& list, const std::shared_ptr<Item>& note)
    {
        list.AddNote(note);
        list.SortNotes();
    }
    static void Remove(Target& list, const std::shared_ptr<Item>& note) { list.RemoveNote(note.get()); }
};

// The list marks its notes as chord members on the way in and clears the mark on the
// way out.
struct ChordNotes {
    using Target = ChordNoteList;
    using Item = Note;
    static void Add(Target& list, const std::shared_ptr<Item>& note)
    {
        list.AddNote(note);
        list.SortNotes();
    }
    static void Remove(Target& list, const std::shared_ptr<Item>& note) { list.RemoveNote(note.get()); }
};

struct Articulations {
    using Target = Note;
    using Item = NoteSymbol;
    static void Add(Target& note, const std::shared_ptr<Item>& symbol) { note.AddOrnament(symbol); }
    static void Remove(Target& note, const std::shared_ptr<Item>& symbol)
    {
        note.RemoveOrnament(symbol.get());
    }
};

struct LineMarks {
    using Target = Part;
    using Item = LineMark;
    static void Add(Target& part, const std::shared_ptr<Item>& mark) { part.AddLineMark(mark); }
    static void Remove(Target& part, const std::shared_ptr<Item>& mark) { part.RemoveLineMark(mark); }
};

struct Dynamics {
    using Target = Bar;
    using Item = DynamicMark;
    static void Add(Target& bar, const std::shared_ptr<Item>& mark) { bar.AddDirection(mark); }
    static void Remove(Target& bar, const std::shared_ptr<Item>& mark) { bar.RemoveDirection(mark.get()); }
};

struct NoteSymbols {
    using Target = Note;
    using Item = SymbolMark;
    static void Add(Target& note, const std::shared_ptr<Item>& symbol) { note.AddSymbol(symbol); }
    static void Remove(Target& note, const std::shared_ptr<Item>& symbol)
    {
        note.RemoveSymbol(symbol.get());
    }
};

struct BarSymbols {
    using Target = Barline;
    using Item = SymbolMark;
    static void Add(Target& barline, const std::shared_ptr<Item>& symbol) { barline.AddSymbol(symbol); }
    static void Remove(Target& barline, const std::shared_ptr<Item>& symbol)
    {
        barline.RemoveSymbol(symbol.get());
    }
};

struct PageTexts {
    using Target = Score;
    using Item = PageText;
    static void Add(Target& score, const std::shared_ptr<Item>& text) { score.AddPageText(text); }
    static void Remove(Target& score, const std::shared_ptr<Item>& text) { score.RemovePageText(text); }
};

}  // namespace element_list_ops

using AddGraceNoteCommand = AddElementCommand<element_list_ops::GraceNotes>;
using AddChordNoteCommand = AddElementCommand<element_list_ops::ChordNotes>;
using AddArticulationCommand = AddElementCommand<element_list_ops::Articulations>;
using AddLineMarkCommand = AddElementCommand<element_list_ops::LineMarks>;
using AddDynamicsCommand = AddElementCommand<element_list_ops::Dynamics>;
using AddNoteSymbolCommand = AddElementCommand<element_list_ops::NoteSymbols>;
using AddBarSymbolCommand = AddElementCommand<element_list_ops::BarSymbols>;
using AddPageTextCommand = AddElementCommand<element_list_ops::PageTexts>;

using RemoveGraceNoteCommand = InverseCommand<AddGraceNoteCommand>;
using RemoveChordNoteCommand = InverseCommand<AddChordNoteCommand>;
using RemoveArticulationCommand = InverseCommand<AddArticulationCommand>;
using RemoveLineMarkCommand = InverseCommand<AddLineMarkCommand>;
using RemoveDynamicsCommand = InverseCommand<AddDynamicsCommand>;
using RemoveNoteSymbolCommand = InverseCommand<AddNoteSymbolCommand>;
using RemoveBarSymbolCommand = InverseCommand<AddBarSymbolCommand>;
using RemovePageTextCommand = InverseCommand<AddPageTextCommand>;

}  // namespace quaverly
