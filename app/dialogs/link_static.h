// A text label that works as a web link: drawn in link colours (blue, purple once
// visited, red while the pointer is over it), underlined while the pointer is over it (or
// always), with a hand cursor and its address as the tooltip. A click opens the address
// in the user's browser through the desktop's URL handler, the address passed as one
// argument and never through a shell; a successful open marks the link visited, a failed
// one beeps and says why.
#pragma once

#include "platform/device_context.h"

#include <QBasicTimer>
#include <QFont>
#include <QLabel>

#include <functional>
#include <string>
#include <string_view>

namespace brindle {

class CLinkStatic : public QLabel {
    Q_OBJECT

public:
    static constexpr platform::ColorRef kLinkColor = 0xEE0000;     // blue
    static constexpr platform::ColorRef kVisitedColor = 0x8B1A55;  // purple
    static constexpr platform::ColorRef kHoverColor = 0x0000FF;    // red
    static constexpr int kHoverPeriod = 100;
    static constexpr int kUnderlineHover = -1;
    static constexpr int kUnderlineAlways = 1;
    static constexpr int kUnderlineNever = 0;

    // Opens an address; returns more than 32 on success, else the reason's code (the
    // codes of the desktop's shell: 2 file not found, 31 no application ...).
    using Opener = std::function<int(std::u16string_view address)>;
    static constexpr int kOpened = 42;
    static constexpr int kErrorFileNotFound = 2;
    static constexpr int kErrorNoAssociation = 31;

    // An empty text takes the address and an empty address the text.
    explicit CLinkStatic(const QString& text = {}, QWidget* parent = nullptr);
    ~CLinkStatic() override;

    void SetURL(std::u16string_view address);
    std::u16string GetURL() const;
    void SetVisited(bool visited);
    bool IsVisited() const { return visited_; }
    void SetUnderline(int mode);
    int GetUnderline() const { return underline_; }
    void SetAutoSize(bool on) { adjustToFit_ = on; }
    bool IsOverControl() const { return over_; }

    // The colour the text is drawn in now.
    platform::ColorRef CurrentColor() const;

    // The opener in force for all links; the desktop's URL handler by default. Returns the
    // one it replaces; an empty function puts the desktop's back.
    static Opener InstallOpener(Opener opener);
    static int OpenWithDesktop(std::u16string_view address);

    // What a click does: opens the address, marks the link visited or tells why not.
    void Open();

    // "Unable to open hyperlink:\n\n" and the reason for a failed result.
    static std::u16string FailureMessage(int result);

    // Moves and sizes the label to its text (measured with the underlined font), keeping
    // the edge its alignment holds.
    void ResizeToFit();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void MakeFonts();
    void ApplyColor();
    void EndHover();

    bool over_ = false;
    bool visited_ = false;
    int underline_ = kUnderlineHover;
    bool adjustToFit_ = true;
    std::u16string url_;
    QFont plainFont_;
    QFont underlinedFont_;
    QBasicTimer hoverTimer_;
    bool settingFont_ = false;
};

}  // namespace brindle
