// What the in-place text items need of the score editor: the six header texts that can be
// edited in place, and the lyric operations that open, close and write one syllable. The
// application context's editor is reached through this interface (an adapter over the
// engine's editor), so the items depend on nothing else of the engine.
#pragma once

#include <string>
#include <string_view>

namespace brindle {

// Where a lyric syllable is: the part, the bar, the verse (0 to 4) and the start time of
// its note within the bar in ticks.
struct LyricLocation {
    int part = 0;
    int bar = 0;
    int verse = 0;
    int time = 0;

    friend bool operator==(const LyricLocation&, const LyricLocation&) = default;
};

class TextItemEditor {
public:
    virtual ~TextItemEditor() = default;

    virtual std::u16string GetTitle() const = 0;
    virtual void SetTitle(std::u16string_view text) = 0;
    virtual std::u16string GetSubtitle() const = 0;
    virtual void SetSubtitle(std::u16string_view text) = 0;
    virtual std::u16string GetPoet() const = 0;
    virtual void SetPoet(std::u16string_view text) = 0;
    virtual std::u16string GetComposer() const = 0;
    virtual void SetComposer(std::u16string_view text) = 0;
    virtual std::u16string GetSinger() const = 0;
    virtual void SetSinger(std::u16string_view text) = 0;
    virtual std::u16string GetAdapter() const = 0;
    virtual void SetAdapter(std::u16string_view text) = 0;

    virtual void BeginLyricEdit(const LyricLocation& location) = 0;
    virtual void EndLyricEdit(const LyricLocation& location) = 0;
    virtual void SetLyricText(const LyricLocation& location, std::u16string_view text) = 0;
};

}  // namespace brindle
