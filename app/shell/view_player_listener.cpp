#include "app/shell/view_player_listener.h"

#include "app/shell/brindle_view.h"

namespace brindle {

void ViewPlayerListener::OnPlayerEvent(const midi::PlayerEvent* event)
{
    if (event != nullptr && view_ != nullptr)
        view_->OnPlayerNotice(*event);
}

}  // namespace brindle
