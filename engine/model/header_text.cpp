#include "engine/model/header_text.h"

#include "engine/model/score_painter.h"

namespace quaverly {

void HeaderText::DeleteSelected()
{
    NotificationPayload payload;
    NotifySelf(notification_id::kHeaderTextDelete, &payload);
}

void HeaderText::RequestEdit()
{
    NotificationPayload payload;
    payload.rect = GetRect().Moved(GetAbsolutePoint());
    payload.text = text_;
    NotifySelf(GetRequestId(), &payload);
}

void HeaderText::Layout(ScorePainter& painter)
{
    if (text_.empty())
        return;
    const Size size = MeasureText(painter, text_);
    SetRect({0, 0, size.cx, size.cy});
}

void HeaderText::Draw(ScorePainter& painter)
{
    if (text_.empty())
        return;
    DrawText(painter, GetAbsolutePoint(), text_, GetColor());
}

// --- Title ---

int TitleText::GetRequestId() const
{
    return notification_id::kEditTitle;
}

Size TitleText::MeasureText(ScorePainter& painter, std::u16string_view text) const
{
    return painter.MeasureTitle(text);
}

void TitleText::DrawText(ScorePainter& painter, Point at, std::u16string_view text,
                         int color) const
{
    painter.DrawTitle(at.x, at.y, text, color);
}

// --- Subtitle ---

int SubtitleText::GetRequestId() const
{
    return notification_id::kEditSubtitle;
}

Size SubtitleText::MeasureText(ScorePainter& painter, std::u16string_view text) const
{
    return painter.MeasureSubtitle(text);
}

void SubtitleText::DrawText(ScorePainter& painter, Point at, std::u16string_view text,
                            int color) const
{
    painter.DrawSubtitle(at.x, at.y, text, color);
}

// --- Poet ---

int PoetText::GetRequestId() const
{
    return notification_id::kEditPoet;
}

Size PoetText::MeasureText(ScorePainter& painter, std::u16string_view text) const
{
    return painter.MeasurePoetText(text);
}

void PoetText::DrawText(ScorePainter& painter, Point at, std::u16string_view text,
                        int color) const
{
    painter.DrawPoetText(at.x, at.y, text, color);
}

// --- Composer, singer, adapter ---

int ComposerText::GetRequestId() const
{
    return notification_id::kEditComposer;
}

Size ComposerText::MeasureText(ScorePainter& painter, std::u16string_view text) const
{
    return painter.MeasureComposerText(text);
}

void ComposerText::DrawText(ScorePainter& painter, Point at, std::u16string_view text,
                            int color) const
{
    painter.DrawComposerText(at.x, at.y, text, color);
}

int SingerText::GetRequestId() const
{
    return notification_id::kEditSinger;
}

int AdapterText::GetRequestId() const
{
    return notification_id::kEditAdapter;
}

// --- Rights ---

int RightsText::GetRequestId() const
{
    return notification_id::kEditRights;
}

Size RightsText::MeasureText(ScorePainter& painter, std::u16string_view text) const
{
    return painter.MeasureDefaultFontText(text);
}

void RightsText::DrawText(ScorePainter& painter, Point at, std::u16string_view text,
                          int color) const
{
    painter.DrawDefaultFontText(at.x, at.y, text, color);
}

// --- Instrument name ---

int InstrumentNameText::GetRequestId() const
{
    return notification_id::kEditInstrumentName;
}

void InstrumentNameText::DeleteSelected()
{
    NotificationPayload payload;
    NotifySelf(notification_id::kInstrumentNameDelete, &payload);
}

Size InstrumentNameText::MeasureText(ScorePainter& painter, std::u16string_view text) const
{
    return painter.MeasureInstrumentName(text);
}

void InstrumentNameText::DrawText(ScorePainter& painter, Point at, std::u16string_view text,
                                  int color) const
{
    painter.DrawInstrumentName(at.x, at.y, text, color);
}

}  // namespace quaverly
