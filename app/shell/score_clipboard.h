// The system clipboard as the Cut, Copy and Paste commands use it: score fragments
// travel as raw bytes under the program's own MIME type (and nothing else beside them),
// so another running copy of the program can paste them; text goes to and from the
// focused edit box.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

class QWidget;

namespace brindle {

inline constexpr char kScoreFragmentMimeType[] = "application/x-brindle-score-fragment";

// Replaces the clipboard's content by the fragment bytes (also none).
void PutScoreFragment(const std::vector<std::uint8_t>& bytes);
bool HasScoreFragment();
// The fragment bytes on the clipboard; nullopt when there are none.
std::optional<std::vector<std::uint8_t>> ScoreFragmentOnClipboard();

// The text box that has the keyboard focus (one line or several); null when the focus is
// elsewhere.
QWidget* FocusedEditBox();
bool EditBoxHasSelection(QWidget* box);
void EditBoxCopy(QWidget* box);
void EditBoxCut(QWidget* box);
void EditBoxPaste(QWidget* box);
bool ClipboardHasText();

}  // namespace brindle
