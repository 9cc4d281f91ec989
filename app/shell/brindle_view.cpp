#include "app/shell/brindle_view.h"

#include <QPainter>

#include "app/shell/brindle_doc.h"
#include "app/shell/command_ids.h"
#include "platform/dialog_service.h"
#include "platform/frame_window_base.h"
#include "platform/qt_device_context.h"
#include "platform/string_table.h"

namespace brindle {

namespace {

constexpr std::u16string_view kDocumentExtension = u".exl";

bool HasDocumentExtension(std::u16string_view path)
{
    if (path.size() < kDocumentExtension.size())
        return false;
    const std::u16string_view tail = path.substr(path.size() - kDocumentExtension.size());
    for (std::size_t i = 0; i < tail.size(); ++i) {
        char16_t c = tail[i];
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != kDocumentExtension[i])
            return false;
    }
    return true;
}

}  // namespace

CBrindleView::CBrindleView(QWidget* parent) : ViewBase(parent)
{
    MapMessage(msg::kStartUp, [this](platform::WParam, platform::LParam) {
        OnStartUpTasks();
        return platform::LResult{0};
    });
    MapMessage(msg::kTempoChanged, [this](platform::WParam tempo, platform::LParam) {
        OnTempoChanged(static_cast<int>(tempo));
        return platform::LResult{0};
    });
    MapMessage(msg::kAutosave, [this](platform::WParam, platform::LParam) {
        OnAutosave();
        return platform::LResult{0};
    });
    MapMessage(msg::kTextStyleChange, [this](platform::WParam change, platform::LParam) {
        if (change != 0)
            OnFreeTextFont(*reinterpret_cast<const TextStyleChange*>(change));
        return platform::LResult{0};
    });
    MapMessage(platform::kWmClose, [this](platform::WParam, platform::LParam) {
        OnClose();
        return platform::LResult{0};
    });
}

CBrindleView::~CBrindleView() = default;

void CBrindleView::OnInitialUpdate()
{
    PostMessage(msg::kStartUp);
}

void CBrindleView::OnStartUpTasks()
{
    if (m_pDocument && !m_pDocument->OpenPath().empty())
        OpenScoreFile(m_pDocument->OpenPath());
}

bool CBrindleView::OpenScoreFile(std::u16string_view path)
{
    if (!HasDocumentExtension(path)) {
        platform::ScopedResourceSource source(platform::ResourceSource::Library);
        platform::ShowMessage(platform::LoadResourceString(ids::kUnsupportedFile), platform::kMbOk | platform::kMbIconExclamation, this);
        return false;
    }
    m_strOpeningPath = std::u16string(path);
    return true;
}

bool CBrindleView::OpenDroppedFile(std::u16string_view path)
{
    if (!IsIdle())
        return true;
    return OpenScoreFile(path);
}

void CBrindleView::OnTempoChanged(int tempo)
{
    m_nTempo = tempo;
}

void CBrindleView::OnAutosave() {}

void CBrindleView::OnFreeTextFont(const TextStyleChange&) {}

void CBrindleView::OnClose()
{
    if (!IsIdle())
        return;
    if (m_pFrame)
        m_pFrame->PostMessage(msg::kCloseConfirmed);
}

void CBrindleView::OnDraw(platform::QtDeviceContext& dc)
{
    QPainter* p = dc.Painter();
    if (p == nullptr)
        return;
    const platform::Rect client = GetClientRect();
    const QRect area(client.left, client.top, client.right - client.left, client.bottom - client.top);
    p->fillRect(area, QColor(128, 128, 128));
    // A blank A4 page, as wide as fits with a margin of desk around it.
    const int margin = 20;
    int pageWidth = std::max(0, area.width() - 2 * margin);
    int pageHeight = pageWidth * 297 / 210;
    if (pageHeight > area.height() - 2 * margin) {
        pageHeight = std::max(0, area.height() - 2 * margin);
        pageWidth = pageHeight * 210 / 297;
    }
    const QRect page(area.left() + (area.width() - pageWidth) / 2, area.top() + margin, pageWidth, pageHeight);
    p->fillRect(page.translated(4, 4), QColor(64, 64, 64));
    p->fillRect(page, Qt::white);
}

}  // namespace brindle
