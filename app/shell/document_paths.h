// The small path functions of the file commands. Paths are UTF-16 texts in the program
// and UTF-8 bytes on disk, of any length; "/" separates folders, so a backslash is an
// ordinary character of a file name.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

// The text after the last '.' of the file name; empty when the name has no dot.
std::u16string FileExtension(std::u16string_view path);
// The text after the last '/'; the whole text when there is none.
std::u16string FileNameOf(std::u16string_view path);
// The folder part: the text before the last '/' ("/" for a file at the root); empty
// when there is no '/'.
std::u16string FolderOf(std::u16string_view path);
// The text before the last '.' of the file name; the whole text when the name has no dot.
std::u16string StripExtension(std::u16string_view path);
// ASCII letters lower-cased, everything else as it is.
std::u16string LowerAscii(std::u16string_view text);
// The extension of score documents, "exl", in any case.
bool HasDocumentExtension(std::u16string_view path);

// The file-system path of a path text and back.
std::filesystem::path NativePath(std::u16string_view path);
std::u16string PathText(const std::filesystem::path& path);

// A regular file (or a link to one) is there.
bool FileExists(std::u16string_view path);
// The file is there and carries no write permission at all (the read-only mark of the
// file itself, which holds whoever runs the program).
bool IsReadOnlyFile(std::u16string_view path);

// Where a document file dialog starts: the folder of the current document, else the
// folder of the newest document in `recent` (newest first) whose folder is still there;
// empty when none is (the dialog then chooses for itself).
std::u16string DocumentStartFolder(std::u16string_view current, const std::vector<std::u16string>& recent);

}  // namespace brindle
