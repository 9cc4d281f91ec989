// The barline at the start or the end of a bar: its style (the drawing interface's
// barline kinds; 1 is a normal line, 6 the final one), the mark shown at it and the
// free symbols attached to it.
//
// Notifications: a symbol's delete request (1021) does not climb as it is; the barline
// asks for the removal of a barline symbol instead (1022, with the symbol filled in,
// starting at its parent, which fills in the barline). A symbol's move (1059, 1060)
// gets the symbol filled in. Every record the barline passes on carries it as sender.
#pragma once

#include <memory>
#include <vector>

#include "engine/model/score_element.h"

namespace quaverly {

class BarlineMark;
class SymbolMark;

// Barline styles.
namespace barline_type {
inline constexpr int kStart = 0;  // the bar's left barline: nothing drawn of its own
inline constexpr int kNormal = 1;
inline constexpr int kFinal = 6;
}  // namespace barline_type

class Barline final : public ScoreElement {
public:
    using SymbolPtr = std::shared_ptr<SymbolMark>;

    Barline();  // a normal barline (type 1) with mark value 0
    explicit Barline(int type);
    Barline(const Barline&) = delete;
    ~Barline() override;

    void SetType(int type) { type_ = type; }
    int GetType() const { return type_; }

    const std::shared_ptr<BarlineMark>& GetMark() const { return mark_; }
    int GetMarkValue() const;
    void SetMarkValue(int value);

    // Appends and stable-sorts the symbols by their index; a null symbol is ignored.
    void AddSymbol(SymbolPtr symbol);
    // Erases the first entry holding the symbol; nothing when absent.
    void RemoveSymbol(const SymbolMark* symbol);
    const std::vector<SymbolPtr>& GetSymbols() const { return symbols_; }

    int Notify(ElementNotification& notification) override;

private:
    int type_;
    std::shared_ptr<BarlineMark> mark_;
    std::vector<SymbolPtr> symbols_;
};

}  // namespace quaverly
