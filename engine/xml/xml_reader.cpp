#include "engine/xml/xml_reader.h"

#include <dlfcn.h>

#include <atomic>
#include <filesystem>
#include <system_error>
#include <vector>

namespace quaverly {

namespace {

namespace fs = std::filesystem;

std::atomic<bool> g_loaded{false};

struct Module {
    XmlReadFunction read = nullptr;
    std::string error;
};

// The folders the module is looked for in: the one of the file that holds this code (the
// engine library, or the program it is linked into), then the running program's.
std::vector<fs::path> ModuleFolders()
{
    std::vector<fs::path> folders;
    std::error_code ec;
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&XmlReader::Read), &info) != 0 && info.dli_fname != nullptr &&
        info.dli_fname[0] != '\0') {
        const fs::path file = fs::weakly_canonical(fs::absolute(info.dli_fname, ec), ec);
        if (!ec)
            folders.push_back(file.parent_path());
    }
    const fs::path program = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && (folders.empty() || folders.front() != program.parent_path()))
        folders.push_back(program.parent_path());
    return folders;
}

Module LoadModule()
{
    Module module;
    for (const fs::path& folder : ModuleFolders()) {
        const fs::path path = folder / XmlReader::kModuleFileName;
        // Bound lazily: of the two dozen libraries behind the XML library, only the
        // functions called are looked up, not every one at once (the module itself is
        // linked with all its symbols defined).
        void* handle = dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL);
        if (handle == nullptr) {
            const char* why = dlerror();
            if (module.error.empty())
                module.error = why != nullptr ? why : path.string();
            continue;
        }
        // Kept for the process's life, as the library's own set-up is.
        module.read = reinterpret_cast<XmlReadFunction>(dlsym(handle, kXmlReadFunctionName));
        if (module.read == nullptr) {
            module.error = path.string() + " has no reader";
            continue;
        }
        module.error.clear();
        g_loaded = true;
        break;
    }
    if (module.read == nullptr && module.error.empty())
        module.error = std::string(XmlReader::kModuleFileName) + " not found";
    return module;
}

}  // namespace

bool XmlReader::Read(const XmlReadRequest& request, XmlReadOutcome& outcome)
{
    // Loaded once, also under concurrent first calls.
    static const Module module = LoadModule();
    if (module.read == nullptr) {
        outcome.error = "the XML reader could not be loaded: " + module.error;
        return false;
    }
    return module.read(request, outcome);
}

bool XmlReader::IsLoaded()
{
    return g_loaded;
}

}  // namespace quaverly
