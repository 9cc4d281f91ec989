#include "app/shell/score_clipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace brindle {

namespace {

QClipboard* Clipboard()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}

QString FragmentType()
{
    return QString::fromLatin1(kScoreFragmentMimeType);
}

// Runs the matching operation of whichever kind of text box it is.
template <class LineOp, class TextOp, class PlainOp>
void WithBox(QWidget* box, LineOp line, TextOp text, PlainOp plain)
{
    if (auto* l = qobject_cast<QLineEdit*>(box))
        line(*l);
    else if (auto* t = qobject_cast<QTextEdit*>(box))
        text(*t);
    else if (auto* p = qobject_cast<QPlainTextEdit*>(box))
        plain(*p);
}

}  // namespace

void PutScoreFragment(const std::vector<std::uint8_t>& bytes)
{
    QClipboard* clipboard = Clipboard();
    if (!clipboard)
        return;
    auto* data = new QMimeData;
    data->setData(FragmentType(), QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size())));
    clipboard->setMimeData(data);
}

bool HasScoreFragment()
{
    QClipboard* clipboard = Clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    return data && data->hasFormat(FragmentType());
}

std::optional<std::vector<std::uint8_t>> ScoreFragmentOnClipboard()
{
    QClipboard* clipboard = Clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data || !data->hasFormat(FragmentType()))
        return std::nullopt;
    const QByteArray bytes = data->data(FragmentType());
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

QWidget* FocusedEditBox()
{
    QWidget* focus = QApplication::focusWidget();
    if (qobject_cast<QLineEdit*>(focus) || qobject_cast<QTextEdit*>(focus) || qobject_cast<QPlainTextEdit*>(focus))
        return focus;
    return nullptr;
}

bool EditBoxHasSelection(QWidget* box)
{
    bool selected = false;
    WithBox(
        box, [&](QLineEdit& l) { selected = l.hasSelectedText(); },
        [&](QTextEdit& t) { selected = t.textCursor().hasSelection(); },
        [&](QPlainTextEdit& p) { selected = p.textCursor().hasSelection(); });
    return selected;
}

void EditBoxCopy(QWidget* box)
{
    WithBox(box, [](QLineEdit& l) { l.copy(); }, [](QTextEdit& t) { t.copy(); }, [](QPlainTextEdit& p) { p.copy(); });
}

void EditBoxCut(QWidget* box)
{
    WithBox(box, [](QLineEdit& l) { l.cut(); }, [](QTextEdit& t) { t.cut(); }, [](QPlainTextEdit& p) { p.cut(); });
}

void EditBoxPaste(QWidget* box)
{
    WithBox(box, [](QLineEdit& l) { l.paste(); }, [](QTextEdit& t) { t.paste(); }, [](QPlainTextEdit& p) { p.paste(); });
}

bool ClipboardHasText()
{
    QClipboard* clipboard = Clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    return data && data->hasText();
}

}  // namespace brindle
