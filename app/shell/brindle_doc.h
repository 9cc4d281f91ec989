// The document of the single-document window. It holds no score (the score lives in
// the editor): it carries the path of a document named on the command line to the view,
// which opens it once the window is up, and the title the view gives the document.
#pragma once

#include <string>
#include <string_view>

namespace brindle {

class CBrindleDoc {
public:
    bool OnNewDocument() { return true; }
    // False when the file cannot be opened for reading; otherwise the path is kept,
    // whatever its type (the view refuses a wrong one later with its own message).
    bool OnOpenDocument(std::u16string_view path);

    const std::u16string& OpenPath() const { return m_strOpenPath; }

    // The document's name as the window caption and the save prompt show it: the file
    // name without its extension, "未命名" for a new score, empty without a score.
    void SetTitle(std::u16string title) { m_strTitle = std::move(title); }
    const std::u16string& GetTitle() const { return m_strTitle; }

private:
    std::u16string m_strOpenPath;
    std::u16string m_strTitle;
};

}  // namespace brindle
