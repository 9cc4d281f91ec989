#include "app/dialogs/font_name_combo.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCollator>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace brindle {
namespace {

constexpr int kFlagsRole = Qt::UserRole;
constexpr int kMarkWidth = 16;
constexpr int kMarkHeight = 15;
constexpr int kTextIndent = 22;

bool EqualIgnoringCase(const QString& a, std::u16string_view b)
{
    return a.compare(QString::fromUtf16(b.data(), static_cast<qsizetype>(b.size())), Qt::CaseInsensitive) == 0;
}

// Draws a face entry: the TrueType mark at the left, the name 22 pixels in.
class FaceDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        painter->fillRect(option.rect, selected ? option.palette.highlight() : option.palette.base());
        if (index.data(kFlagsRole).toUInt() & FontDesc::kTrueType)
            painter->drawPixmap(option.rect.topLeft(), CFontNameCombo::TrueTypePicture(),
                                QRect(kMarkWidth, 0, kMarkWidth, kMarkHeight));
        painter->setPen(selected ? option.palette.highlightedText().color() : option.palette.text().color());
        painter->drawText(option.rect.adjusted(kTextIndent, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                          index.data(Qt::DisplayRole).toString());
        if (option.state & QStyle::State_HasFocus) {
            QPen dotted(option.palette.text().color(), 0, Qt::DotLine);
            painter->setPen(dotted);
            painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        }
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        return QSize(option.rect.width(), CFontNameCombo::EntryHeight());
    }
};

}  // namespace

// --- CToolBarCombo ---

CToolBarCombo::CToolBarCombo(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Leaving the box picks the first entry that begins with what was typed; no inline
    // completion besides.
    setCompleter(nullptr);
    setMaxVisibleItems(12);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { selected_ = -1; });
    connect(this, &QComboBox::activated, this, [this](int index) { selected_ = index; });
}

void CToolBarCombo::SetTextLimit(int limit)
{
    limit_ = limit;
    lineEdit()->setMaxLength(limit > 0 ? limit : 32767);
}

std::u16string CToolBarCombo::GetTheText() const
{
    if (selected_ >= 0 && selected_ < count())
        return itemText(selected_).toStdU16String();
    return currentText().toStdU16String();
}

int CToolBarCombo::FindExact(std::u16string_view text) const
{
    for (int i = 0; i < count(); ++i)
        if (EqualIgnoringCase(itemText(i), text))
            return i;
    return -1;
}

void CToolBarCombo::SetTheText(std::u16string_view text, bool exact)
{
    int found = FindExact(text);
    if (found < 0 && !exact && !text.empty()) {
        const QString prefix = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
        for (int i = 0; i < count() && found < 0; ++i)
            if (itemText(i).startsWith(prefix, Qt::CaseInsensitive))
                found = i;
    }
    if (found >= 0) {
        Select(found);
        return;
    }
    selected_ = -1;
    setEditText(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
}

void CToolBarCombo::Select(int index)
{
    setCurrentIndex(index);
    setEditText(itemText(index));
    selected_ = index;
}

void CToolBarCombo::ClearList()
{
    clear();
    selected_ = -1;
}

void CToolBarCombo::showPopup()
{
    if (onDropDown)
        onDropDown();
    dropped_ = true;
    QComboBox::showPopup();
}

void CToolBarCombo::hidePopup()
{
    QComboBox::hidePopup();
    if (!dropped_)
        return;
    dropped_ = false;
    // An entry clicked in the list is chosen after the list closes; take it then.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (onClosedUp)
                onClosedUp();
        },
        Qt::QueuedConnection);
}

bool CToolBarCombo::event(QEvent* event)
{
    // Tab would move the focus before the key reaches the box.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            key->accept();
            if (onKey)
                onKey(Qt::Key_Tab);
            return true;
        }
    }
    return QComboBox::event(event);
}

void CToolBarCombo::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        event->accept();
        if (onKey)
            onKey(key);
        return;
    }
    if ((key == Qt::Key_Up || key == Qt::Key_Down) && !(event->modifiers() & (Qt::AltModifier | Qt::ControlModifier))) {
        event->accept();
        if (!view()->isVisible())
            showPopup();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void CToolBarCombo::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    // The list taking the focus is not leaving the box.
    if (event->reason() == Qt::PopupFocusReason || view()->isVisible())
        return;
    if (onLostFocus)
        onLostFocus();
}

// --- CFontNameCombo ---

CFontNameCombo::CFontNameCombo(QWidget* parent, FaceSource faces)
    : CToolBarCombo(parent), faces_(faces ? std::move(faces) : FaceSource(&CFontNameCombo::InstalledFaces))
{
    setItemDelegate(new FaceDelegate(this));
}

std::vector<FontDesc> CFontNameCombo::InstalledFaces()
{
    std::vector<FontDesc> faces;
    for (const QString& family : QFontDatabase::families()) {
        if (family.startsWith(QLatin1Char('@')) || QFontDatabase::isPrivateFamily(family))
            continue;
        // Outline faces only: a bitmap face has no sizes in between.
        if (!QFontDatabase::isSmoothlyScalable(family))
            continue;
        faces.push_back({family.toStdU16String(), FontDesc::kTrueType});
    }
    return faces;
}

void CFontNameCombo::EnumerateFonts()
{
    const std::u16string text = GetTheText();
    ClearList();
    std::vector<FontDesc> faces = faces_();
    std::erase_if(faces, [](const FontDesc& f) {
        return f.faceName.empty() || f.faceName.front() == u'@' || !(f.flags & FontDesc::kTrueType);
    });
    QCollator collator;
    std::stable_sort(faces.begin(), faces.end(), [&](const FontDesc& a, const FontDesc& b) {
        return collator.compare(QString::fromStdU16String(a.faceName), QString::fromStdU16String(b.faceName)) < 0;
    });
    for (const FontDesc& face : faces) {
        addItem(QString::fromStdU16String(face.faceName));
        setItemData(count() - 1, face.flags, kFlagsRole);
    }
    SetTheText(text, false);
}

FontDesc CFontNameCombo::EntryFont(int index) const
{
    if (index < 0 || index >= count())
        return {};
    return {itemText(index).toStdU16String(), itemData(index, kFlagsRole).toUInt()};
}

const QPixmap& CFontNameCombo::TrueTypePicture()
{
    static const QPixmap picture = [] {
        QPixmap pixmap(2 * kMarkWidth, kMarkHeight);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        QFont font(QStringLiteral("Liberation Serif"));
        font.setPixelSize(11);
        font.setBold(true);
        painter.setFont(font);
        // Two overlapping T's, grey behind, dark in front.
        for (int i = 0; i < 2; ++i) {
            const int left = i * kMarkWidth;
            painter.setPen(QColor(128, 128, 128));
            painter.drawText(QRect(left + 1, 0, 10, 11), Qt::AlignCenter, QStringLiteral("T"));
            painter.setPen(i ? QColor(0, 0, 128) : QColor(0, 0, 0));
            painter.drawText(QRect(left + 5, 3, 10, 11), Qt::AlignCenter, QStringLiteral("T"));
        }
        return pixmap;
    }();
    return picture;
}

int CFontNameCombo::EntryHeight()
{
    return std::max(QFontMetrics(QApplication::font()).height(), kMarkHeight);
}

}  // namespace brindle
