#include "app/dialogs/link_static.h"

#include "app/dialogs/beep_service.h"
#include "platform/dialog_service.h"

#include <QCursor>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QTimerEvent>
#include <QUrl>

#include <cstdio>

namespace brindle {
namespace {

CLinkStatic::Opener& OpenerInForce()
{
    static CLinkStatic::Opener opener;
    return opener;
}

QColor ToQColor(platform::ColorRef c)
{
    return QColor(platform::RedOf(c), platform::GreenOf(c), platform::BlueOf(c));
}

}  // namespace

CLinkStatic::CLinkStatic(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
    // A plain text label sits at the top; vertical centring is asked for by alignment.
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    MakeFonts();
    SetUnderline(kUnderlineHover);
    setFont(plainFont_);
    ApplyColor();
}

CLinkStatic::~CLinkStatic() { hoverTimer_.stop(); }

void CLinkStatic::MakeFonts()
{
    plainFont_ = font();
    plainFont_.setUnderline(false);
    underlinedFont_ = plainFont_;
    underlinedFont_.setUnderline(true);
}

void CLinkStatic::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    // A font given from outside (a dialog's) becomes the link's plain font.
    if (event->type() == QEvent::FontChange && !settingFont_) {
        MakeFonts();
        settingFont_ = true;
        setFont(underline_ == kUnderlineAlways || (over_ && underline_ == kUnderlineHover) ? underlinedFont_ : plainFont_);
        settingFont_ = false;
    }
}

void CLinkStatic::SetURL(std::u16string_view address)
{
    url_ = std::u16string(address);
    if (text().isEmpty())
        setText(QString::fromStdU16String(url_));
    setToolTip(QString::fromStdU16String(GetURL()));
    ResizeToFit();
}

std::u16string CLinkStatic::GetURL() const { return url_.empty() ? text().toStdU16String() : url_; }

void CLinkStatic::SetVisited(bool visited)
{
    visited_ = visited;
    ApplyColor();
}

void CLinkStatic::SetUnderline(int mode)
{
    if (mode != underline_) {
        settingFont_ = true;
        setFont(mode == kUnderlineAlways ? underlinedFont_ : plainFont_);
        settingFont_ = false;
        update();
    }
    underline_ = mode;
}

platform::ColorRef CLinkStatic::CurrentColor() const
{
    return over_ ? kHoverColor : visited_ ? kVisitedColor : kLinkColor;
}

void CLinkStatic::ApplyColor()
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, ToQColor(CurrentColor()));
    setPalette(pal);
    update();
}

CLinkStatic::Opener CLinkStatic::InstallOpener(Opener opener)
{
    Opener previous = std::move(OpenerInForce());
    OpenerInForce() = std::move(opener);
    return previous;
}

int CLinkStatic::OpenWithDesktop(std::u16string_view address)
{
    const QUrl url = QUrl::fromUserInput(QString::fromUtf16(address.data(), static_cast<qsizetype>(address.size())));
    if (!url.isValid() || url.isEmpty())
        return kErrorFileNotFound;
    return QDesktopServices::openUrl(url) ? kOpened : kErrorNoAssociation;
}

std::u16string CLinkStatic::FailureMessage(int result)
{
    const char16_t* reason = nullptr;
    switch (result) {
    case 0: reason = u"The operating system is out\nof memory or resources."; break;
    case 2: reason = u"The specified file was not found."; break;
    case 3: reason = u"The specified path was not found."; break;
    case 5: reason = u"The operating system denied\naccess to the specified file."; break;
    case 8: reason = u"There was not enough memory to complete the operation."; break;
    case 11: reason = u"The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."; break;
    case 26: reason = u"A sharing violation occurred. "; break;
    case 27: reason = u"The filename association is\nincomplete or invalid."; break;
    case 28: reason = u"The DDE transaction could not\nbe completed because the request timed out."; break;
    case 29: reason = u"The DDE transaction failed."; break;
    case 30:
        reason = u"The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed.";
        break;
    case 31: reason = u"There is no application associated\nwith the given filename extension."; break;
    case 32: reason = u"The specified dynamic-link library was not found."; break;
    default: break;
    }
    std::u16string text = u"Unable to open hyperlink:\n\n";
    if (reason) {
        text += reason;
    } else {
        char buffer[48];
        std::snprintf(buffer, sizeof buffer, "Unknown Error (%d) occurred.", result);
        for (const char* p = buffer; *p; ++p)
            text.push_back(static_cast<char16_t>(*p));
    }
    return text;
}

void CLinkStatic::Open()
{
    over_ = false;
    const std::u16string address = GetURL();
    const Opener& opener = OpenerInForce();
    const int result = opener ? opener(address) : OpenWithDesktop(address);
    if (result > 32) {
        SetVisited(true);
        return;
    }
    ApplyColor();
    BeepService::Current().Beep(platform::kMbIconExclamation);
    platform::ShowMessage(FailureMessage(result), platform::kMbOk | platform::kMbIconExclamation, this);
}

void CLinkStatic::ResizeToFit()
{
    if (!adjustToFit_ || !parentWidget())
        return;
    const QFontMetrics metrics(underlinedFont_);
    const QMargins margins = contentsMargins();
    const int width = metrics.horizontalAdvance(text()) + margins.left() + margins.right();
    const int height = metrics.height() + margins.top() + margins.bottom();
    QRect r = geometry();
    const Qt::Alignment align = alignment();
    if (align & Qt::AlignVCenter)
        r.setTop(r.top() + (r.height() - height) / 2);
    r.setHeight(height);
    if (align & Qt::AlignHCenter)
        r.setLeft(r.left() + (r.width() - width) / 2);
    else if (align & Qt::AlignRight)
        r.setLeft(r.right() + 1 - width);
    r.setWidth(width);
    setGeometry(r);
}

void CLinkStatic::mouseMoveEvent(QMouseEvent* event)
{
    QLabel::mouseMoveEvent(event);
    if (over_)
        return;
    over_ = true;
    if (underline_ == kUnderlineHover) {
        settingFont_ = true;
        setFont(underlinedFont_);
        settingFont_ = false;
    }
    ApplyColor();
    hoverTimer_.start(kHoverPeriod, this);
}

void CLinkStatic::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != hoverTimer_.timerId()) {
        QLabel::timerEvent(event);
        return;
    }
    if (!rect().contains(mapFromGlobal(QCursor::pos())))
        EndHover();
}

void CLinkStatic::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    EndHover();
}

void CLinkStatic::EndHover()
{
    hoverTimer_.stop();
    if (!over_)
        return;
    over_ = false;
    if (underline_ != kUnderlineAlways) {
        settingFont_ = true;
        setFont(plainFont_);
        settingFont_ = false;
    }
    ApplyColor();
}

void CLinkStatic::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Open();
}

}  // namespace brindle
