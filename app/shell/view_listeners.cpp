#include "app/shell/view_listeners.h"

#include "engine/model/element_notification.h"

namespace brindle {

namespace code = quaverly::EditorNoticeCode;

ViewNotice CopyNotice(const quaverly::EditorNotice& notice)
{
    ViewNotice copy;
    copy.code = notice.code;
    switch (notice.code) {
    case code::RegionChanged:
    case code::CaretMoved:
        if (notice.region)
            copy.rect = *notice.region;
        break;
    case code::CursorPositionChanged:
    case code::PageChanged:
        if (notice.position)
            copy.position = *notice.position;
        break;
    case code::EditTitle:
    case code::EditSubtitle:
    case code::EditPoet:
    case code::EditComposer:
    case code::EditSinger:
    case code::EditAdapter:
        if (notice.request)
            copy.rect = notice.request->rect;
        break;
    case code::EditLyric:
        if (notice.request) {
            const quaverly::NotificationPayload& p = *notice.request;
            copy.rect = p.rect;
            copy.lyric = LyricLocation{p.trackIndex, p.barIndex, p.verse, p.time};
            copy.text = p.text;
        }
        break;
    default:
        break;
    }
    return copy;
}

void ViewEditorListener::Notify(const quaverly::EditorNotice& notice)
{
    ViewNotice copy = CopyNotice(notice);
    if (notice.code == code::ContentChanged)
        ++renderRequests_;
    if (notice.code == code::PendingCommandsRun)
        ++commandRuns_;
    copy.runs = commandRuns_.load();
    mailbox_.Put(std::move(copy));
}

void ViewMidiInListener::OnMidiIn(const MidiInMessage* message)
{
    if (message == nullptr || message->code != kMidiInData)
        return;
    const auto packed = static_cast<std::uint32_t>(message->first);
    if (echo_)
        echo_(packed);
    mailbox_.Put(MidiInRecord{message->code, packed});
}

}  // namespace brindle
