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
    const Size size = (painter.*face_.measure)(text_);
    SetRect({0, 0, size.cx, size.cy});
}

void HeaderText::Draw(ScorePainter& painter)
{
    if (text_.empty())
        return;
    const Point at = GetAbsolutePoint();
    (painter.*face_.draw)(at.x, at.y, text_, GetColor());
}

namespace {

constexpr HeaderTextFace kTitleFace{&ScorePainter::MeasureTitle, &ScorePainter::DrawTitle};
constexpr HeaderTextFace kSubtitleFace{&ScorePainter::MeasureSubtitle,
                                       &ScorePainter::DrawSubtitle};
constexpr HeaderTextFace kPoetFace{&ScorePainter::MeasurePoetText, &ScorePainter::DrawPoetText};
constexpr HeaderTextFace kComposerFace{&ScorePainter::MeasureComposerText,
                                       &ScorePainter::DrawComposerText};
constexpr HeaderTextFace kDefaultFace{&ScorePainter::MeasureDefaultFontText,
                                      &ScorePainter::DrawDefaultFontText};
constexpr HeaderTextFace kInstrumentFace{&ScorePainter::MeasureInstrumentName,
                                         &ScorePainter::DrawInstrumentName};

}  // namespace

TitleText::TitleText() : HeaderText(notification_id::kEditTitle, kTitleFace) {}
SubtitleText::SubtitleText() : HeaderText(notification_id::kEditSubtitle, kSubtitleFace) {}
PoetText::PoetText() : HeaderText(notification_id::kEditPoet, kPoetFace) {}
ComposerText::ComposerText() : HeaderText(notification_id::kEditComposer, kComposerFace) {}
SingerText::SingerText() : HeaderText(notification_id::kEditSinger, kComposerFace) {}
AdapterText::AdapterText() : HeaderText(notification_id::kEditAdapter, kComposerFace) {}
RightsText::RightsText() : HeaderText(notification_id::kEditRights, kDefaultFace) {}

InstrumentNameText::InstrumentNameText()
    : HeaderText(notification_id::kEditInstrumentName, kInstrumentFace)
{
}

void InstrumentNameText::DeleteSelected()
{
    NotificationPayload payload;
    NotifySelf(notification_id::kInstrumentNameDelete, &payload);
}

}  // namespace quaverly
