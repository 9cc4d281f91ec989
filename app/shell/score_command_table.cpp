#include "app/shell/score_command_table.h"

#include <algorithm>
#include <array>

#include "engine/editor/editor_interface.h"

namespace brindle {

namespace {

using G = ScoreCommandGroup;
using C = ScoreCall;

// Bar-line styles: 0 none, 1 single, 5 double (light-light), 6 final (light-heavy).
// Jump marks: 1 start repeat, 2 end repeat, 3 D.C., 4 D.S., 5 Fine, 6 Coda, 7 To Coda,
// 8 Segno; the repeats come with their own bar-line style, the jumps with a single line.
// Note symbols: 2 accent (drawn ">"), 4 tenuto, 6 staccatissimo, 14 fermata, 19 trill,
// 20 turn, 21 inverted (delayed) turn, 24 mordent, 25 inverted mordent. The plain
// notation "accent" has no symbol of its own in the score, so both accent commands make
// the accent the score draws.
constexpr std::array kCommands = {
    ScoreCommand{32820, u"隐藏小节线", G::BarLines, C::SetBarline, 0},
    ScoreCommand{32853, u"单小节线", G::BarLines, C::SetBarline, 1},
    ScoreCommand{32822, u"双小节线", G::BarLines, C::SetBarline, 5},
    ScoreCommand{32858, u"结束线", G::BarLines, C::SetBarline, 6},
    ScoreCommand{32867, u"左反复", G::BarLines, C::AddJumpMark, 7, 1},
    ScoreCommand{32868, u"右反复", G::BarLines, C::AddJumpMark, 6, 2},
    ScoreCommand{32870, u"To Coda", G::BarLines, C::AddJumpMark, 1, 7},
    ScoreCommand{32869, u"Coda", G::BarLines, C::AddJumpMark, 1, 6},
    ScoreCommand{32866, u"Fine", G::BarLines, C::AddJumpMark, 1, 5},
    ScoreCommand{32865, u"D.S.", G::BarLines, C::AddJumpMark, 1, 4},
    ScoreCommand{32864, u"D.C.", G::BarLines, C::AddJumpMark, 1, 3},
    ScoreCommand{32871, u"Segno", G::BarLines, C::AddJumpMark, 1, 8},

    ScoreCommand{32889, u"P", G::Dynamics, C::SetDynamics, 1},
    ScoreCommand{32890, u"PP", G::Dynamics, C::SetDynamics, 2},
    ScoreCommand{32891, u"ppp", G::Dynamics, C::SetDynamics, 3},
    ScoreCommand{32892, u"pppp", G::Dynamics, C::SetDynamics, 4},
    ScoreCommand{32893, u"ppppp", G::Dynamics, C::SetDynamics, 5},
    ScoreCommand{32894, u"pppppp", G::Dynamics, C::SetDynamics, 6},
    ScoreCommand{32895, u"F", G::Dynamics, C::SetDynamics, 7},
    ScoreCommand{32896, u"FF", G::Dynamics, C::SetDynamics, 8},
    ScoreCommand{32897, u"FFF", G::Dynamics, C::SetDynamics, 9},
    ScoreCommand{32898, u"FFFF", G::Dynamics, C::SetDynamics, 10},
    ScoreCommand{32899, u"FFFFF", G::Dynamics, C::SetDynamics, 11},
    ScoreCommand{32900, u"FFFFFF", G::Dynamics, C::SetDynamics, 12},
    ScoreCommand{32901, u"MP", G::Dynamics, C::SetDynamics, 13},
    ScoreCommand{32902, u"MF", G::Dynamics, C::SetDynamics, 14},
    ScoreCommand{32903, u"SF", G::Dynamics, C::SetDynamics, 15},
    ScoreCommand{32904, u"SFP", G::Dynamics, C::SetDynamics, 16},
    ScoreCommand{32905, u"SFPP", G::Dynamics, C::SetDynamics, 17},
    ScoreCommand{32906, u"FP", G::Dynamics, C::SetDynamics, 18},
    ScoreCommand{32907, u"RF", G::Dynamics, C::SetDynamics, 19},
    ScoreCommand{32908, u"RFZ", G::Dynamics, C::SetDynamics, 20},
    ScoreCommand{32909, u"SFZ", G::Dynamics, C::SetDynamics, 21},
    ScoreCommand{32910, u"SFFZZ", G::Dynamics, C::SetDynamics, 22},
    ScoreCommand{32911, u"FZ", G::Dynamics, C::SetDynamics, 23},

    ScoreCommand{32920, u"颤音", G::Symbols, C::AddArticulation, 19},
    ScoreCommand{32921, u"上波音", G::Symbols, C::AddArticulation, 25},
    ScoreCommand{32922, u"下波音", G::Symbols, C::AddArticulation, 24},
    ScoreCommand{32814, u"回音", G::Symbols, C::AddArticulation, 20},
    ScoreCommand{32923, u"逆回音", G::Symbols, C::AddArticulation, 21},
    ScoreCommand{32806, u"短断音", G::Symbols, C::AddArticulation, 6},
    ScoreCommand{32924, u"重音记号", G::Symbols, C::AddArticulation, 2, 0, false},
    ScoreCommand{32925, u"重音(>)", G::Symbols, C::AddArticulation, 3},
    ScoreCommand{32809, u"延  音", G::Symbols, C::AddArticulation, 14},
    ScoreCommand{32810, u"保持音", G::Symbols, C::AddArticulation, 4},

    ScoreCommand{32818, u"渐强", G::Lines, C::AddLineMark, 0},
    ScoreCommand{32819, u"渐弱", G::Lines, C::AddLineMark, 1},
    ScoreCommand{32914, u"平顶连音线", G::Lines, C::AddLineMark, 2},
    ScoreCommand{32915, u"圆滑连音线", G::Lines, C::AddLineMark, 3},
    ScoreCommand{32913, u"颤音线", G::Lines, C::AddLineMark, 4},
    ScoreCommand{32916, u"高八度记号", G::Lines, C::AddLineMark, 5},
    ScoreCommand{32917, u"低八度记号", G::Lines, C::AddLineMark, 6},
    ScoreCommand{32918, u"跳房子1", G::Lines, C::AddLineMark, 7},
    ScoreCommand{32919, u"跳房子2", G::Lines, C::AddLineMark, 8},
    ScoreCommand{32926, u"琶    音", G::Lines, C::AddLineMark, 9},
    ScoreCommand{32927, u"琶音（向上）", G::Lines, C::AddLineMark, 10},
    ScoreCommand{32928, u"琶音（向下）", G::Lines, C::AddLineMark, 11},
    ScoreCommand{32929, u"滑    音", G::Lines, C::AddLineMark, 12},

    ScoreCommand{32859, u"圆括号", G::Groupings, C::AddGrouping, 0},
    ScoreCommand{32860, u"方括号", G::Groupings, C::AddGrouping, 1},

    ScoreCommand{32797, u"歌词段1", G::Lyrics, C::SetLyricVerse, 0},
    ScoreCommand{32798, u"歌词段2", G::Lyrics, C::SetLyricVerse, 1},
    ScoreCommand{32799, u"歌词段3", G::Lyrics, C::SetLyricVerse, 2},
    ScoreCommand{32800, u"歌词段4", G::Lyrics, C::SetLyricVerse, 3},
    ScoreCommand{32801, u"歌词段5", G::Lyrics, C::SetLyricVerse, 4},

    ScoreCommand{33064, u"同音异名", G::Tools, C::Enharmonic},

    ScoreCommand{32877, u"刷  新", G::Layout, C::Refresh},
    ScoreCommand{32834, u"换行", G::Layout, C::InsertLineBreak},
};

}  // namespace

std::span<const ScoreCommand> ScoreCommands()
{
    return kCommands;
}

const ScoreCommand* FindScoreCommand(int id)
{
    const auto it = std::find_if(kCommands.begin(), kCommands.end(), [id](const ScoreCommand& c) { return c.id == id; });
    return it == kCommands.end() ? nullptr : &*it;
}

void RunScoreCommand(quaverly::api::ScoreEditor& editor, const ScoreCommand& command)
{
    switch (command.call) {
    case ScoreCall::SetBarline: editor.SetBarline(command.first); break;
    case ScoreCall::AddJumpMark: editor.AddJumpMark(command.first, command.second); break;
    case ScoreCall::SetDynamics: editor.SetDynamics(command.first); break;
    case ScoreCall::AddArticulation: editor.AddArticulation(command.first); break;
    case ScoreCall::AddLineMark: editor.AddLineMark(command.first); break;
    case ScoreCall::AddGrouping: editor.AddGrouping(command.first); break;
    case ScoreCall::SetLyricVerse: editor.SetLyricVerse(command.first); break;
    case ScoreCall::Enharmonic: editor.Enharmonic(); break;
    case ScoreCall::InsertLineBreak: editor.InsertLineBreak(); break;
    case ScoreCall::Refresh: editor.Refresh(); break;
    }
}

}  // namespace brindle
