// What a program that was killed leaves behind: the temporary files of a save, an
// autosave or a settings write beside the file they were to replace, and the private
// copy of a document being opened in the temporary folder. Their names carry the id of
// the process that made them; the next start removes those whose process is gone.
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

namespace brindle {

// The id of the process that made a temporary file of that name (one of our writers'
// temporaries or an opening's copy); 0 when the name is neither.
long LeftoverOwner(std::string_view fileName);

// Whether a process of that id runs (one we may not signal counts as running).
bool ProcessIsRunning(long pid);

// Removes, in each folder (not in its subfolders), the regular files whose name
// LeftoverOwner knows and whose process is not running; this process's own stay. A
// folder that is missing or cannot be read is passed over. Returns how many went.
int RemoveLeftoverFiles(const std::vector<std::filesystem::path>& folders);

}  // namespace brindle
