#include "platform/dialog_service.h"

#include "platform/qt_dialog_service.h"

namespace platform {
namespace {

DialogService* g_installed = nullptr;
std::u16string g_caption;

}  // namespace

bool DialogService::GetFileName(FileDialogRequest& request)
{
    if (request.filterIndex == 0)
        request.filterIndex = 1;
    if (!AskFileName(request))
        return false;
    if (!request.open && !request.defaultExtension.empty())
        request.fileName = WithDefaultExtension(request.fileName, request.defaultExtension);
    return true;
}

DialogService& DialogService::Current()
{
    if (g_installed)
        return *g_installed;
    static QtDialogService builtIn;
    return builtIn;
}

DialogService* DialogService::Install(DialogService* service)
{
    DialogService* previous = g_installed;
    g_installed = service;
    return previous;
}

std::vector<FileFilter> ParseFileFilter(std::u16string_view filter)
{
    std::vector<std::u16string> fields;
    std::u16string field;
    for (char16_t c : filter) {
        if (c == u'|') {
            fields.push_back(field);
            field.clear();
        } else {
            field.push_back(c);
        }
    }
    if (!field.empty())
        fields.push_back(field);
    std::vector<FileFilter> entries;
    for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
        if (fields[i].empty())
            break;  // "||" ends the text
        FileFilter entry{fields[i], {}};
        std::u16string pattern;
        for (char16_t c : fields[i + 1] + u';') {
            if (c == u';') {
                if (!pattern.empty())
                    entry.patterns.push_back(pattern);
                pattern.clear();
            } else if (c != u' ') {
                pattern.push_back(c);
            }
        }
        if (!entry.patterns.empty())
            entries.push_back(std::move(entry));
    }
    return entries;
}

std::u16string FileFilterChoice(const FileFilter& filter)
{
    std::u16string spaced;
    std::u16string joined;
    for (const std::u16string& pattern : filter.patterns) {
        if (!spaced.empty()) {
            spaced += u' ';
            joined += u';';
        }
        spaced += pattern;
        joined += pattern;
    }
    std::u16string_view description = filter.description;
    for (const std::u16string& shown : {u"(" + joined + u")", u"(" + spaced + u")"}) {
        if (description.size() >= shown.size() &&
            description.substr(description.size() - shown.size()) == shown) {
            description.remove_suffix(shown.size());
            break;
        }
    }
    while (!description.empty() && description.back() == u' ')
        description.remove_suffix(1);
    return std::u16string(description) + u" (" + spaced + u")";
}

std::u16string WithDefaultExtension(std::u16string_view path, std::u16string_view extension)
{
    std::u16string result(path);
    if (result.empty() || extension.empty())
        return result;
    const std::size_t slash = result.find_last_of(u"/\\");
    const std::size_t name = slash == std::u16string::npos ? 0 : slash + 1;
    if (name >= result.size())
        return result;  // a folder, not a file
    const std::size_t dot = result.find_last_of(u'.');
    if (dot != std::u16string::npos && dot > name)
        return result;
    if (extension.front() == u'.')
        extension.remove_prefix(1);
    return result + u'.' + std::u16string(extension);
}

void SetMessageCaption(std::u16string_view caption) { g_caption = std::u16string(caption); }

std::u16string MessageCaption() { return g_caption; }

int ShowMessage(std::u16string_view text, unsigned type, QWidget* parent)
{
    return DialogService::Current().MessageBox(parent, text, g_caption, type);
}

}  // namespace platform
