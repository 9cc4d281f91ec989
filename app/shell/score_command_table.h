// The score commands that make exactly one editor call with fixed arguments: bar lines,
// repeats and jump marks, dynamics, articulations and ornaments, line marks, grouping
// signs, lyric verses and a few layout calls. One table holds each command's id, the text
// the menus show it under, the group (the submenu or palette it belongs to) and the call;
// the view runs a command by its row and the main frame builds the submenus from the
// groups, so an id, its text and its call are written down once.
#pragma once

#include <span>
#include <string_view>

namespace quaverly::api {
class ScoreEditor;
}

namespace brindle {

// The editor operation a row makes.
enum class ScoreCall {
    SetBarline,       // (first): bar-line style
    AddJumpMark,      // (first, second): bar-line style, repeat or jump mark
    SetDynamics,      // (first): dynamics code
    AddArticulation,  // (first): note symbol code
    AddLineMark,      // (first): line-mark kind
    AddGrouping,      // (first): grouping sign, 0 round, 1 square
    SetLyricVerse,    // (first): verse, 0-based
    Enharmonic,
    InsertLineBreak,
    Refresh,
};

// Where a command is offered besides the command routing.
enum class ScoreCommandGroup {
    BarLines,   // bar-line palette only
    Dynamics,   // "力    度" submenu and the dynamics palette
    Symbols,    // "符    号" submenu and the symbol palette
    Lines,      // "线..." submenu and the line palette
    Groupings,  // "分组符号" submenu
    Lyrics,     // "歌　词" submenu and the lyric palette
    Tools,      // "工具(T)" menu
    Layout,     // "排版(&M)" menu
};

struct ScoreCommand {
    int id;
    std::u16string_view text;
    ScoreCommandGroup group;
    ScoreCall call;
    int first = 0;
    int second = 0;
    // False for commands offered on a toolbar only.
    bool inMenu = true;
};

// Every one-call command, in menu order within each group.
std::span<const ScoreCommand> ScoreCommands();
// The row of an id; null for an id that is not a one-call command.
const ScoreCommand* FindScoreCommand(int id);
// Makes the row's call; the editor's answer is not looked at.
void RunScoreCommand(quaverly::api::ScoreEditor& editor, const ScoreCommand& command);

}  // namespace brindle
