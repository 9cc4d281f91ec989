// How the editor and the MIDI input report to the score view. Both may call from any
// thread (the editor from the loading and layout workers too, the MIDI input from its
// port's thread), so their adapters never touch the view: each copies what the view needs
// into a mailbox and posts one message per copy to the view's window, whose handler takes
// the copies, in the order they came, on the user-interface thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

#include "app/mididev/midi_in_listener.h"
#include "app/painter/text_item_editor.h"
#include "engine/editor/editor_interface.h"
#include "platform/message_port.h"

namespace brindle {

// Messages that carry the copies to the view.
inline constexpr platform::MessageId kMsgEditorNotice = 0x620;
inline constexpr platform::MessageId kMsgMidiInput = 0x621;
// The next queued input may go to the editor.
inline constexpr platform::MessageId kMsgRunNextInput = 0x60A;

// Copies for the view's window: any thread puts, the window's thread takes one per message
// posted. Copies still here when the mailbox goes are dropped with it.
template <class T>
class PostedMailbox {
public:
    PostedMailbox(platform::MessagePort& port, platform::MessageId message) : port_(port), message_(message) {}
    PostedMailbox(const PostedMailbox&) = delete;
    PostedMailbox& operator=(const PostedMailbox&) = delete;

    void Put(T item)
    {
        {
            std::lock_guard lock(mutex_);
            items_.push_back(std::move(item));
        }
        port_.Post(message_);
    }

    std::optional<T> Take()
    {
        std::lock_guard lock(mutex_);
        if (items_.empty())
            return std::nullopt;
        T item = std::move(items_.front());
        items_.pop_front();
        return item;
    }

private:
    platform::MessagePort& port_;
    platform::MessageId message_;
    std::mutex mutex_;
    std::deque<T> items_;
};

// One editor notice as the view keeps it: the code and a copy of whatever its record
// pointed to.
struct ViewNotice {
    int code = 0;
    quaverly::Rect rect;               // 2 and 17; 4-9 and 12: the text's rectangle
    quaverly::NoticePosition position; // 15, 16
    LyricLocation lyric;               // 12
    std::u16string text;               // 12: the syllable's text
    // How many "pending commands run" notices the editor had sent up to this one
    // (counting this one): tells a release of the input queue from an older one.
    std::uint64_t runs = 0;
};

// The editor's listener. Counts, as they are sent, the notices that ask for the page to
// be rendered again and those that report the queued commands run.
class ViewEditorListener final : public quaverly::EditorListener {
public:
    explicit ViewEditorListener(platform::MessagePort& port) : mailbox_(port, kMsgEditorNotice) {}

    void Notify(const quaverly::EditorNotice& notice) override;

    std::optional<ViewNotice> Take() { return mailbox_.Take(); }
    std::uint64_t RenderRequests() const { return renderRequests_.load(); }
    std::uint64_t CommandRuns() const { return commandRuns_.load(); }

private:
    PostedMailbox<ViewNotice> mailbox_;
    std::atomic<std::uint64_t> renderRequests_{0};
    std::atomic<std::uint64_t> commandRuns_{0};
};

// One short message of the MIDI input, as the view keeps it.
struct MidiInRecord {
    std::uint32_t code = 0;
    std::uint32_t message = 0;  // status byte lowest
};

// The MIDI input's listener: a short message is echoed at once on the input thread (so
// playing along never waits for the window) and then posted to the view.
class ViewMidiInListener final : public MidiInListener {
public:
    using Echo = std::function<void(std::uint32_t)>;
    ViewMidiInListener(platform::MessagePort& port, Echo echo) : mailbox_(port, kMsgMidiInput), echo_(std::move(echo)) {}

    void OnMidiIn(const MidiInMessage* message) override;

    std::optional<MidiInRecord> Take() { return mailbox_.Take(); }

private:
    PostedMailbox<MidiInRecord> mailbox_;
    Echo echo_;
};

// A copy of a notice's record (codes outside what the view reads keep only the code).
ViewNotice CopyNotice(const quaverly::EditorNotice& notice);

}  // namespace brindle
