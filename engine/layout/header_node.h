// The heading at the top of the first page: the title centred at the top, the subtitle
// centred under it, and a right-hand column built upward from the bottom of the heading
// (singer, adapter, poet, composer, each only when it has text).
//
// The six texts stay members of the score; the heading only places them, passes them
// events and draws them, and becomes their parent while it lays them out. The rights
// line is not shown here. The heading is a line without rows and without bars.
#pragma once

#include <memory>
#include <vector>

#include "engine/layout/system_node.h"

namespace quaverly {

class HeaderText;

class HeaderNode : public SystemNode {
public:
    explicit HeaderNode(std::shared_ptr<Score> score);
    ~HeaderNode() override;

    // 1026 and the move records of the six texts carry the text.
    int Notify(ElementNotification& notification) override;
    // {0, 0, 0, the heading height}.
    Rect GetExtent(ScorePainter& painter) override;
    // Store the point, then give the six texts the heading's origin + position.
    void SetOrigin(Point origin) override;
    void SetPosition(Point position) override;
    void OnKeyDown(int key, int flags) override;
    void OnInputEvent(int first, int second) override;
    void OnButtonDown(Point point, int flags, int& handled) override;
    void OnPointerMove(Point point, int flags) override;
    void OnButtonUp(Point point, int flags) override;
    void OnDoubleClick(Point point, int flags, int& handled) override;
    void Layout(ScorePainter& painter) override;
    void Draw(ScorePainter& painter) override;
    void CreateTracks() override {}

private:
    // Title, subtitle, poet, composer, singer, adapter; empty without a score.
    std::vector<std::shared_ptr<HeaderText>> Texts() const;
};

}  // namespace quaverly
