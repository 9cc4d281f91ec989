// An editor listener that keeps the codes of the notices it receives.
#pragma once

#include <vector>

#include "engine/editor/score_editor.h"

namespace quaverly::fakes {

class RecordingListener final : public EditorListener {
public:
    void Notify(const EditorNotice& notice) override { codes.push_back(notice.code); }

    std::vector<int> codes;
};

}  // namespace quaverly::fakes
