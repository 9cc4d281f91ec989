// The document of the single-document window. It holds no score (the score lives in
// the editor): it only carries the path of a document named on the command line to the
// view, which opens it once the window is up.
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

private:
    std::u16string m_strOpenPath;
};

}  // namespace brindle
