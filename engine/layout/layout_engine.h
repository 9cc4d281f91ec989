// The horizontal spacing of a range of bar columns of the whole score.
//
// A column is one bar index taken across every part: bar 7 of every part forms column
// 7, and all bars of a column end up with the same width. For each bar of the range the
// engine gives the notes their start times (tuplets compressed, in start order), builds
// the bar's position map (time to x), widens it where beats, user offsets, accidentals,
// lyrics, user symbols, grace notes, time signatures and barlines need room, and gives
// every bar of a column the width of the widest one. Every size is measured through the
// painter, so the engine runs only while one is at hand.
//
// The spacing works in slices, one per distinct start time of a bar (its notes and the
// rests that the beat grouping finds for its empty time): each slice is as wide as the
// painter's spacing for its value, and the ends of slices that end at one time are
// lined up across the column, so that equal times share their x in every part.
//
// What comes from the score is checked before use: a bar's meter is the time signature
// in force at that bar, taken from the score's table whatever order its entries are in,
// and a meter the beat grouping cannot use (a beat count outside 1..128 or a beat type
// outside 1..128) counts as 4/4, so no length is ever divided by 0. Parts with fewer
// bars than the range simply have no bar in the missing columns. Times are computed in
// 64 bits and held to the int range.
#pragma once

#include "engine/layout/layout_column_state.h"

namespace quaverly {

// Lays out the columns of the request; nothing without a painter, a score, a part or a
// bar of the first part in the range.
void LayoutScore(const LayoutColumnState& state);

}  // namespace quaverly
