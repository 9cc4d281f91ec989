#include "journey_walk.h"

#include <QPoint>

#include <algorithm>
#include <array>
#include <random>
#include <sstream>

#include "app/shell/command_ids.h"
#include "engine/editor/score_editor.h"
#include "journey_driver.h"
#include "../shell/page_targets.h"

namespace journeys {

namespace cmd = brindle::cmd;

namespace {

enum Kind {
    kNewScore,
    kTypeNote,
    kClickNote,
    kCtrlClickNote,
    kClickBar,
    kDelete,
    kUndo,
    kRedo,
    kPaletteCommand,
    kLineBreak,
    kDrag,
    kArrow,
    kSave,
    kCopyPaste,
    kZoom,
    kKindCount
};

// How often each kind is drawn.
constexpr std::array<int, kKindCount> kWeights = {0, 30, 10, 4, 5, 5, 8, 5, 8, 2, 4, 4, 2, 2, 2};

struct PaletteEntry {
    const char* name;
    int id;         // a command id, or 0 for a key
    const char* key;
};
constexpr std::array<PaletteEntry, 11> kPalette = {{
    {"mf", 32902, nullptr},
    {"p", 32889, nullptr},
    {"slur", 32915, nullptr},
    {"crescendo", 32818, nullptr},
    {"decrescendo", 32819, nullptr},
    {"end repeat", 32868, nullptr},
    {"start repeat", 32867, nullptr},
    {"accent", 32925, nullptr},
    {"fermata", 32809, nullptr},
    {"tie", 0, "L"},
    {"triplet", 0, "T"},
}};

constexpr std::array<const char*, 4> kValueKeys = {"", "kp4", "kp5", "kp6"};
constexpr std::array<const char*, 6> kNoteModifiers = {"", ".", "F4", "F6", "S", "B"};
constexpr std::array<const char*, 4> kArrows = {"Left", "Right", "Home", "End"};
constexpr std::array<QPoint, 4> kDrags = {QPoint(30, 0), QPoint(-20, 10), QPoint(0, -25), QPoint(300, 0)};

int Bars(JourneyDriver& driver)
{
    return std::max(1, driver.Editor().GetBarCount());
}

}  // namespace

std::string WalkStep::Describe() const
{
    std::ostringstream out;
    switch (kind) {
    case kNewScore: out << "new score"; break;
    case kTypeNote:
        out << "type \"" << kNoteModifiers[static_cast<std::size_t>(c)] << " " << kValueKeys[static_cast<std::size_t>(b)]
            << " " << a << "\"";
        break;
    case kClickNote: out << "click note " << b << " of bar " << a; break;
    case kCtrlClickNote: out << "ctrl+click note " << b << " of bar " << a; break;
    case kClickBar: out << "click bar " << a; break;
    case kDelete: out << "Delete"; break;
    case kUndo: out << "Undo"; break;
    case kRedo: out << "Redo"; break;
    case kPaletteCommand: out << kPalette[static_cast<std::size_t>(a)].name; break;
    case kLineBreak: out << "line break at bar " << a; break;
    case kDrag:
        out << "drag note " << b << " of bar " << a << " by " << kDrags[static_cast<std::size_t>(c)].x() << ","
            << kDrags[static_cast<std::size_t>(c)].y() << " px";
        break;
    case kArrow: out << kArrows[static_cast<std::size_t>(a)]; break;
    case kSave: out << "save"; break;
    case kCopyPaste: out << "copy bars " << a << "-" << a + 1 << ", paste at bar " << b; break;
    case kZoom: out << (a ? "zoom in" : "zoom out"); break;
    default: out << "?"; break;
    }
    return out.str();
}

std::vector<WalkStep> JourneyWalk::Draw(std::uint32_t seed, std::size_t count)
{
    std::mt19937 random(seed);
    std::discrete_distribution<int> kinds(kWeights.begin(), kWeights.end());
    std::vector<WalkStep> steps;
    for (std::size_t i = 0; i < count; ++i) {
        WalkStep step;
        step.kind = i % kEpisode == 0 ? kNewScore : kinds(random);
        const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
        switch (step.kind) {
        case kTypeNote: step = {kTypeNote, pick(8), pick(4), pick(3) == 0 ? pick(6) : 0}; break;
        case kPaletteCommand: step.a = pick(static_cast<int>(kPalette.size())); break;
        case kDrag: step = {kDrag, pick(64), pick(8), pick(static_cast<int>(kDrags.size()))}; break;
        case kArrow: step.a = pick(static_cast<int>(kArrows.size())); break;
        case kZoom: step.a = pick(2); break;
        default: step.a = pick(64); step.b = pick(64); break;
        }
        steps.push_back(step);
    }
    return steps;
}

void JourneyWalk::Perform(JourneyDriver& d, const WalkStep& step)
{
    const int bar = step.a % Bars(d);
    switch (step.kind) {
    case kNewScore: d.NewScore({u"走", 1}); break;
    case kTypeNote: {
        std::string keys = std::string(kNoteModifiers[static_cast<std::size_t>(step.c)]) + " " +
                           kValueKeys[static_cast<std::size_t>(step.b)] + " " + std::to_string(step.a);
        // A chosen octave or accidental is chosen off again after the note.
        if (step.c >= 2)
            keys += std::string(" ") + kNoteModifiers[static_cast<std::size_t>(step.c)];
        d.Type(keys);
        break;
    }
    case kClickNote: d.ClickNote(bar, step.b % 8 == 7 ? -1 : step.b % 4); break;
    case kCtrlClickNote: d.ClickNote(bar, step.b % 4, Qt::ControlModifier); break;
    case kClickBar: d.ClickBar(bar); break;
    case kDelete: d.Type("Del"); break;
    case kUndo: d.Undo(); break;
    case kRedo: d.Redo(); break;
    case kPaletteCommand: {
        const PaletteEntry& entry = kPalette[static_cast<std::size_t>(step.a)];
        if (entry.id != 0)
            d.Command(entry.id);
        else
            d.Type(entry.key);
        break;
    }
    case kLineBreak:
        if (d.ClickBar(bar))
            d.Command(cmd::kLineBreak);
        break;
    case kDrag: {
        d.Settle();
        if (!d.ClickNote(bar, step.b % 4))
            break;
        // The press lands where the click did: on the note's ink.
        const auto& selected = d.Editor().selectedElements;
        if (selected.empty())
            break;
        const quaverly::Rect r = shell_test::Placed(*selected.front());
        if (const auto at = d.InkMiddle(r))
            d.DragPage(*at, *at + kDrags[static_cast<std::size_t>(step.c)]);
        break;
    }
    case kArrow: d.Type(kArrows[static_cast<std::size_t>(step.a)]); break;
    case kSave: d.Save(d.Folder() / "walk.exl"); break;
    case kCopyPaste:
        if (d.SelectBars(bar, std::min(bar + 1, Bars(d) - 1))) {
            d.Command(cmd::kEditCopy);
            if (d.ClickBar(step.b % Bars(d)))
                d.Command(cmd::kEditPaste);
        }
        break;
    case kZoom: d.Command(step.a ? cmd::kZoomIn : cmd::kZoomOut); break;
    default: break;
    }
}

std::optional<WalkFailure> JourneyWalk::Run(const std::vector<WalkStep>& steps, std::size_t every)
{
    JourneyDriver d;
    std::string start;
    bool originKept = false;
    const auto fail = [](std::size_t i, const std::string& what, const testing::AssertionResult& result) {
        return WalkFailure{i, what + ": " + result.message()};
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const bool episodeStart = steps[i].kind == kNewScore;
        if (episodeStart && i > 0 && originKept) {
            // The episode before ends: everything undone and redone.
            const std::string end = d.SavedBytes();
            if (auto r = d.UndoAllAndRedoAll(start, end); !r)
                return fail(i - 1, "undo and redo of the episode", r);
        }
        Perform(d, steps[i]);
        if (episodeStart) {
            start = d.SavedBytes();
            originKept = true;
        } else if (d.UndoCount() == 0 && d.RedoCount() == 0) {
            // The history was emptied (an irreversible step): the start is gone.
            originKept = false;
        }
        if (d.HistoryFull())
            originKept = false;
        const bool last = i + 1 == steps.size() || steps[i + 1].kind == kNewScore;
        if ((i + 1) % every == 0 || last) {
            if (auto r = d.ModifiedMarkIsRight(); !r)
                return fail(i, "the modified mark", r);
            if (auto r = d.ScreenMatchesReopened(); !r)
                    return fail(i, "the screen", r);
        }
        if (last) {
            if (auto r = d.MidiExportHoldsTheScore(); !r)
                return fail(i, "the MIDI export", r);
            if (auto r = d.PlaybackFollowsTheScore(0); !r)
                return fail(i, "playback", r);
            if (auto r = d.DrawnElementsTakePresses(false); !r)
                return fail(i, "presses on what is drawn", r);
        }
    }
    if (originKept && !steps.empty())
        if (auto r = d.UndoAllAndRedoAll(start, d.SavedBytes()); !r)
            return WalkFailure{steps.size() - 1, std::string("undo and redo of the episode: ") + r.message()};
    return std::nullopt;
}

std::vector<WalkStep> JourneyWalk::ShortestFailingPrefix(const std::vector<WalkStep>& steps, const WalkFailure& failure,
                                                         std::size_t)
{
    // Each episode starts from a new score: the failing one alone fails as the walk did.
    std::size_t first = failure.step;
    while (first > 0 && steps[first].kind != kNewScore)
        --first;
    const std::vector<WalkStep> episode(steps.begin() + static_cast<std::ptrdiff_t>(first),
                                        steps.begin() + static_cast<std::ptrdiff_t>(failure.step) + 1);
    // Checked after every step, the first failure ends the shortest failing prefix.
    const auto again = Run(episode, 1);
    if (!again)
        return std::vector<WalkStep>(steps.begin(), steps.begin() + static_cast<std::ptrdiff_t>(failure.step) + 1);
    const auto prefix = [&](std::size_t n) {
        return std::vector<WalkStep>(episode.begin(), episode.begin() + static_cast<std::ptrdiff_t>(n));
    };
    std::size_t shortest = again->step + 1;
    // A failure seen only at the episode's end (undoing and redoing it all): the shortest
    // prefix whose own end fails, halving the lengths.
    if (shortest == episode.size()) {
        std::size_t low = 1;
        while (low < shortest) {
            const std::size_t middle = (low + shortest) / 2;
            if (Run(prefix(middle), 1))
                shortest = middle;
            else
                low = middle + 1;
        }
    }
    return prefix(shortest);
}

std::string JourneyWalk::Report(std::uint32_t seed, const WalkFailure& failure, const std::vector<WalkStep>& prefix)
{
    std::ostringstream out;
    out << "random walk with seed " << seed << " failed after step " << failure.step + 1 << ": " << failure.message
        << "\nshortest failing prefix (" << prefix.size() << " steps):";
    for (std::size_t i = 0; i < prefix.size(); ++i)
        out << "\n  " << i + 1 << ". " << prefix[i].Describe();
    return out.str();
}

}  // namespace journeys
