// A container element for tree tests. It appends "<name>.<event>" to a shared event log
// for the operations tests watch (keys, pointer events, deletion, edit requests,
// layout, drawing, notifications), draws its rectangle as a frame through the painter,
// and can act as the top handler of notifications.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/model/container_element.h"

namespace quaverly::fakes {

class RecordingElement : public ContainerElement {
public:
    using Log = std::vector<std::string>;

    RecordingElement(std::string name, std::shared_ptr<Log> log);

    const std::string& Name() const { return name_; }

    // When set, Notify records the record, answers `answer` and stops the climb.
    void HandleNotifications(int answer);
    // What a notification looked like when it reached this element.
    struct Received {
        int id = 0;
        ScoreElement* sender = nullptr;
        int senderState = 0;  // the sender's selection state on arrival
        bool hasPayload = false;
        NotificationPayload payload;  // a copy, when there was one
    };
    const std::vector<Received>& ReceivedRecords() const { return received_; }
    void ClearReceived() { received_.clear(); }

    int Notify(ElementNotification& notification) override;
    void DeleteSelected() override;
    void RequestEdit() override;
    void OnKeyDown(int key, int flags) override;
    void OnInputEvent(int first, int second) override;
    void OnButtonDown(Point point, int flags, int& handled) override;
    void OnPointerMove(Point point, int flags) override;
    void OnButtonUp(Point point, int flags) override;
    void OnDoubleClick(Point point, int flags, int& handled) override;
    void Layout(ScorePainter& painter) override;
    void Draw(ScorePainter& painter) override;

private:
    void Add(const char* event);

    std::string name_;
    std::shared_ptr<Log> log_;
    bool handles_ = false;
    int answer_ = 0;
    std::vector<Received> received_;
};

}  // namespace quaverly::fakes
