// The texts of a score's title block (title, subtitle, poet, composer, singer, adapter,
// rights line) and, in an eighth kind, the instrument name shown at the start of a
// track row.
//
// Each kind measures and draws its text through its own pair of drawing operations
// (singer and adapter use the composer's font, the rights line the default font). A
// double click on a text asks the host, through an edit request that climbs the tree
// to the edit controller, to open an in-place editor over the text's rectangle on the
// page; the edited text comes back through the editor's text operations. The request
// codes are the editor-notice codes 4 to 9 for the six texts the host edits in place,
// 10 for the rights line and 11 for an instrument name (the controller drops those
// two).
//
// Delete on a selected score header text asks for its text to be emptied (1026): the
// seven score header texts live as long as the score. Delete on an instrument name asks
// for it to be detached from its track (1027).
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "engine/model/editable_element.h"

namespace quaverly {

// The pair of drawing operations that measure and draw one kind's text.
struct HeaderTextFace {
    Size (ScorePainter::*measure)(std::u16string_view text);
    void (ScorePainter::*draw)(int x, int y, std::u16string_view text, int color);
};

class HeaderText : public EditableElement {
public:
    ~HeaderText() override = default;

    void SetText(std::u16string text) { text_ = std::move(text); }
    const std::u16string& GetText() const { return text_; }

    // The request code this kind sends when it asks to be edited in place.
    int GetRequestId() const { return requestId_; }

    // Sends 1026 through its own Notify (InstrumentNameText: 1027).
    void DeleteSelected() override;
    // Sends the request code through its own Notify with the text's rectangle on the
    // page (the rectangle moved by origin + position + offset) and a copy of the text.
    void RequestEdit() override;
    // A non-empty text gets the rectangle {0, 0, width, height} of its measured size;
    // an empty text keeps the rectangle it had.
    void Layout(ScorePainter& painter) override;
    // Draws a non-empty text at origin + position + offset; an empty text draws nothing.
    void Draw(ScorePainter& painter) override;

protected:
    HeaderText(int requestId, HeaderTextFace face) : requestId_(requestId), face_(face) {}
    HeaderText(const HeaderText& other) = default;

private:
    int requestId_;
    HeaderTextFace face_;
    std::u16string text_;
};

class TitleText final : public HeaderText {
public:
    TitleText();
};

class SubtitleText final : public HeaderText {
public:
    SubtitleText();
};

class PoetText final : public HeaderText {
public:
    PoetText();
};

// The composer line; the singer and adapter lines share its font.
class ComposerText final : public HeaderText {
public:
    ComposerText();
};

class SingerText final : public HeaderText {
public:
    SingerText();
};

class AdapterText final : public HeaderText {
public:
    AdapterText();
};

// The rights line, in the default font.
class RightsText final : public HeaderText {
public:
    RightsText();
};

// The name of an instrument at the start of a track row; held by the track node.
class InstrumentNameText final : public HeaderText {
public:
    InstrumentNameText();

    // Sends 1027 through its own Notify; the track row, system and page fill the slots.
    void DeleteSelected() override;
};

}  // namespace quaverly
