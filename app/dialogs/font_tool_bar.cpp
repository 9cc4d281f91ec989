#include "app/dialogs/font_tool_bar.h"

#include "app/dialogs/font_size_combo.h"
#include "platform/frame_window_base.h"
#include "platform/message_port.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>

#include <atomic>

namespace brindle {
namespace {

std::atomic<int> programItemHeight{0};

}  // namespace

int CFontToolBar::ProgramItemHeight() { return programItemHeight.load(); }

CFontToolBar::CFontToolBar(QWidget* parent, CFontNameCombo::FaceSource faces) : QToolBar(parent)
{
    setObjectName(QStringLiteral("CFontToolBar"));
    const QFontMetrics metrics(QApplication::font());
    charWidth_ = metrics.averageCharWidth();
    charHeight_ = metrics.height();
    programItemHeight = charHeight_;

    name_ = new CFontNameCombo(this, std::move(faces));
    name_->setObjectName(QStringLiteral("fontName"));
    name_->setFixedWidth(kNameBoxChars * charWidth_);
    name_->SetTextLimit(kNameLimit);
    size_ = new CFontSizeCombo(this);
    size_->setObjectName(QStringLiteral("fontSize"));
    size_->setFixedWidth(kSizeBoxChars * charWidth_);
    size_->SetTextLimit(kSizeLimit);

    name_->EnumerateFonts();
    name_->SetTheText(u"宋体", true);
    size_->SetTheText(u"10", true);

    name_->onLostFocus = [this] { ApplyFaceName(); };
    name_->onClosedUp = [this] { ApplyFaceName(); };
    size_->onLostFocus = [this] { ApplySize(); };
    size_->onClosedUp = [this] { ApplySize(); };
    size_->onDropDown = [this] { FillSizeList(); };
    name_->onKey = [this](int key) { OnKey(name_, key); };
    size_->onKey = [this](int key) { OnKey(size_, key); };
}

void CFontToolBar::PositionCombos()
{
    if (positioned_)
        return;
    positioned_ = true;
    name_->setFixedHeight(size_->sizeHint().height());
    const QList<QAction*> entries = actions();
    QAction* namePlace = entries.size() > 0 && entries[0]->isSeparator() ? entries[0] : nullptr;
    QAction* sizePlace = entries.size() > 2 && entries[2]->isSeparator() ? entries[2] : nullptr;
    QAction* first = entries.isEmpty() ? nullptr : entries[0];
    QAction* nameAction = first ? insertWidget(first, name_) : addWidget(name_);
    if (namePlace)
        removeAction(namePlace);
    if (sizePlace) {
        insertWidget(sizePlace, size_);
        removeAction(sizePlace);
    } else {
        const QList<QAction*> now = actions();
        const qsizetype at = now.indexOf(nameAction);
        if (at >= 0 && at + 1 < now.size())
            insertWidget(now[at + 1], size_);
        else
            addWidget(size_);
    }
}

platform::MessagePort* CFontToolBar::Owner() const
{
    if (owner_)
        return owner_;
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* frame = qobject_cast<platform::FrameWindowBase*>(w))
            return &frame->Port();
    return nullptr;
}

void CFontToolBar::NotifyOwner(int code)
{
    platform::MessagePort* owner = Owner();
    if (!owner)
        return;
    const ToolBarNotify header{this, kIdToolBar, code};
    owner->Send(kWmNotify, static_cast<platform::WParam>(kIdToolBar), reinterpret_cast<platform::LParam>(&header));
}

void CFontToolBar::SendFontChange(const FontChangeRecord& record)
{
    if (platform::MessagePort* owner = Owner())
        owner->Send(kMsgFontChange, reinterpret_cast<platform::WParam>(&record), 0);
}

void CFontToolBar::ApplyFaceName()
{
    NotifyOwner(kNotifyKillFocus);
    name_->SetTheText(name_->GetTheText(), false);
    const std::u16string face = name_->GetTheText();
    if (face.empty() || name_->FindExact(face) < 0)
        return;
    FontChangeRecord record;
    record.kind = FontChangeKind::FaceName;
    record.faceName = face;
    SendFontChange(record);
}

void CFontToolBar::ApplySize()
{
    NotifyOwner(kNotifyKillFocus);
    const int twips = size_->GetTwipSize();
    if (CFontSizeCombo::IsRefused(twips)) {
        // The text stays as typed for the user to mend.
        size_->ShowRefusal(twips);
        return;
    }
    if (twips <= 0)
        return;
    FontChangeRecord record;
    record.kind = FontChangeKind::Size;
    record.size = twips / 20;
    SendFontChange(record);
}

void CFontToolBar::FillSizeList()
{
    const int index = name_->FindExact(name_->GetTheText());
    const FontDesc face = name_->EntryFont(index);
    size_->FillSizes(face.faceName, index >= 0);
}

void CFontToolBar::OnKey(CToolBarCombo* box, int key)
{
    if (key == Qt::Key_Tab) {
        (box == name_ ? static_cast<QWidget*>(size_) : name_)->setFocus(Qt::TabFocusReason);
        return;
    }
    NotifyOwner(kNotifyReturn);
}

}  // namespace brindle
