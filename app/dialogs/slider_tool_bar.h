// The playback toolbar: a flat toolbar that hosts the tempo trackbar. Whenever the user
// moves the trackbar (dragging, clicking beside the knob, keys, the wheel), the main window
// is posted 0x5F8 with the trackbar's position as the first parameter and 0 as the second;
// the main window shows the number and hands it to the view as the playback tempo. A
// position set by the program is not posted. The main window creates the trackbar (range
// 40 to 250, position 100) and adds it to the toolbar; any slider added is watched.
#pragma once

#include "app/dialogs/flat_tool_bar.h"
#include "platform/window_message.h"

#include <QPointer>

class QAbstractSlider;

namespace platform {
class MessagePort;
}

namespace brindle {

class CSliderToolBar : public CFlatToolBar {
    Q_OBJECT

public:
    static constexpr platform::MessageId kMsgTempo = 0x5F8;
    static constexpr int kIdTrackbar = 105;
    static constexpr int kMinimumTempo = 40;
    static constexpr int kMaximumTempo = 250;
    static constexpr int kDefaultTempo = 100;

    explicit CSliderToolBar(QWidget* parent = nullptr);

    // Where the position goes; by default the main window (the frame this toolbar belongs
    // to, else the application's first frame).
    void SetNotifyWindow(platform::MessagePort* window) { notify_ = window; }

protected:
    void childEvent(QChildEvent* event) override;

private:
    void Watch(QAbstractSlider* slider);
    void PostPosition(const QAbstractSlider& slider);
    platform::MessagePort* MainWindow() const;

    QPointer<platform::MessagePort> notify_;
};

}  // namespace brindle
