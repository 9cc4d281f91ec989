// The patch-name file: the instrument (program) names and the percussion names that
// the voice dialogs offer. It has a second pair of sections for Traditional Chinese
// (Taiwan) systems, chosen when the system's default language is 1028.
#pragma once

#include <memory>
#include <string>

#include "app/settings/profile_file.h"

namespace brindle {

class PatchNameFile {
public:
    // The language identifier whose sections are "PATCH SECTION 1028" and
    // "PERCUSSION SECTION 1028".
    static constexpr int kTaiwanLanguageId = 1028;

    // Sections chosen by the system's default language.
    explicit PatchNameFile(std::shared_ptr<ProfileFile> file);
    // Sections chosen by the given language identifier.
    PatchNameFile(std::shared_ptr<ProfileFile> file, int languageId);

    // Patch items are MIDI programs, percussion items MIDI key numbers: neither list
    // holds more than 128 names.
    static constexpr int kMaxItems = 128;

    // "Patch Count", bounded to 0 .. kMaxItems so the dialogs never loop past the
    // programs a MIDI device has.
    int GetPatchCount() const;
    std::u16string GetPatchName(int index) const;
    // "Percussion Count", bounded to 0 .. kMaxItems - offset: item i is key offset + i,
    // and no key lies above 127.
    int GetPercussionCount() const;
    // The number the dialogs show for percussion item 0; item i is shown as offset + i.
    // Bounded to a MIDI key number, 0 .. 127.
    int GetPercussionOffset() const;
    std::u16string GetPercussionName(int index) const;

    const std::u16string& GetPatchSection() const { return patchSection_; }
    const std::u16string& GetPercussionSection() const { return percussionSection_; }

    // The desktop's language identifier of the user's locale: 1028 Chinese (Taiwan),
    // 2052 Chinese (China), 3076 Chinese (Hong Kong), 4100 Chinese (Singapore),
    // 5124 Chinese (Macau); 1033 for every other locale.
    static int SystemDefaultLangId();

    // "Item " followed by the index in decimal.
    static std::u16string ItemKey(int index);

private:
    void SelectSections(int languageId);

    std::shared_ptr<ProfileFile> file_;
    std::u16string patchSection_;
    std::u16string percussionSection_;
};

}  // namespace brindle
