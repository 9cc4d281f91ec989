#include "app/shell/brindle_doc.h"

#include <filesystem>
#include <fstream>

namespace brindle {

bool CBrindleDoc::OnOpenDocument(std::u16string_view path)
{
    const std::filesystem::path file(path);
    std::error_code ec;
    if (path.empty() || std::filesystem::is_directory(file, ec))
        return false;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    m_strOpenPath = std::u16string(path);
    return true;
}

}  // namespace brindle
