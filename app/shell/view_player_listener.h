// The score view's listener on the MIDI player: every report the player makes is handed
// to the view unchanged (CBrindleView::OnPlayerNotice). The player calls it on its clock's
// thread, so the view only does there what is safe from another thread.
#pragma once

#include "midi/player_listener.h"

namespace brindle {

class CBrindleView;

class ViewPlayerListener final : public midi::PlayerListener {
public:
    explicit ViewPlayerListener(CBrindleView* view) : view_(view) {}
    virtual ~ViewPlayerListener() = default;
    ViewPlayerListener(const ViewPlayerListener&) = delete;
    ViewPlayerListener& operator=(const ViewPlayerListener&) = delete;

    void OnPlayerEvent(const midi::PlayerEvent* event) override;

private:
    CBrindleView* view_;
};

}  // namespace brindle
