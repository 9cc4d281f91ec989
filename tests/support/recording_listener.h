// An editor listener that keeps the codes of the notices it receives, and copies of the
// positions, rectangles and edit requests they carry (the notice's own record lives only for the call).
#pragma once

#include <optional>
#include <vector>

#include "engine/editor/score_editor.h"

namespace quaverly::fakes {

class RecordingListener final : public EditorListener {
public:
    void Notify(const EditorNotice& notice) override
    {
        codes.push_back(notice.code);
        if (notice.position != nullptr)
            positions.push_back(*notice.position);
        if (notice.region != nullptr)
            regions.push_back(*notice.region);
        if (notice.request != nullptr)
            requests.push_back({notice.code, *notice.request});
    }

    struct Request {
        int code;
        NotificationPayload payload;
    };

    std::vector<int> codes;
    std::vector<NoticePosition> positions;
    std::vector<Rect> regions;
    std::vector<Request> requests;  // the forwarded edit requests, copied
};

}  // namespace quaverly::fakes
