#include "app/dialogs/shortcut_key_dlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/format_shortcut_key.h"
#include "platform/data_exchange.h"
#include "platform/dialog_service.h"
#include "platform/key_translation.h"

namespace brindle {

namespace {

constexpr int kVkF10 = 0x79;

}  // namespace

CShortcutKeyDlg::CShortcutKeyDlg(QWidget* parent) : DialogBase(parent, kTemplateId)
{
    setWindowTitle(QStringLiteral("快捷键设置"));

    auto* prompt = new QLabel(QStringLiteral("请按下新的快捷键："), this);
    auto* keyText = new QLabel(this);
    keyText->setFrameShape(QFrame::StyledPanel);
    keyText->setFrameShadow(QFrame::Sunken);
    keyText->setMinimumWidth(220);
    keyText->setMinimumHeight(24);
    auto* ctrl = new QCheckBox(QStringLiteral("Ctrl"), this);
    auto* shift = new QCheckBox(QStringLiteral("Shift"), this);
    auto* alt = new QCheckBox(QStringLiteral("Alt"), this);
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    // Enter is a key to look at here, never the confirmation.
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);

    AddControl(kIdKeyText, keyText);
    AddControl(kIdCtrl, ctrl);
    AddControl(kIdShift, shift);
    AddControl(kIdAlt, alt);
    AddControl(platform::kIdOk, ok);
    AddControl(platform::kIdCancel, cancel);

    auto* boxes = new QHBoxLayout;
    boxes->addWidget(ctrl);
    boxes->addWidget(shift);
    boxes->addWidget(alt);
    boxes->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(keyText);
    layout->addLayout(boxes);
    layout->addLayout(buttons);

    for (const int id : {kIdCtrl, kIdShift, kIdAlt})
        MapCommand(id, [this] {
            UpdateData(true);
            RefreshKeyText();
        });

    // Key presses reach the focused control first; the dialog looks at them there.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

void CShortcutKeyDlg::DoDataExchange(platform::DataExchange& dx)
{
    dx.Text(kIdKeyText, keyText_);
    dx.Check(kIdAlt, alt_);
    dx.Check(kIdCtrl, ctrl_);
    dx.Check(kIdShift, shift_);
}

bool CShortcutKeyDlg::OnInitDialog()
{
    DialogBase::OnInitDialog();
    capturedScanCode_ = key_.scanCode;
    capturedExtended_ = key_.extendScanCode ? 1 : 0;
    ctrl_ = (key_.systemKey & platform::kModControl) ? 1 : 0;
    shift_ = (key_.systemKey & platform::kModShift) ? 1 : 0;
    alt_ = (key_.systemKey & platform::kModAlt) ? 1 : 0;
    RefreshKeyText();
    return true;
}

void CShortcutKeyDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    key_.scanCode = capturedScanCode_;
    key_.extendScanCode = capturedExtended_ != 0;
    key_.usingScanCode = true;
    key_.systemKey = ModifierMask();
    EndDialog(platform::kIdOk);
}

bool CShortcutKeyDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        const platform::KeyStroke stroke = platform::TranslateKeyEvent(*keyEvent);
        const int held = platform::ModifierMask(keyEvent->modifiers());
        // Keys with Alt held, and F10, are system keys: they go their usual way.
        if ((held & platform::kModAlt) == 0 && stroke.virtualKey != kVkF10 &&
            OnKeyDown(stroke.virtualKey, stroke.Flags(), held))
            return true;
    }
    return DialogBase::eventFilter(watched, event);
}

bool CShortcutKeyDlg::OnKeyDown(int virtualKey, unsigned flags, int heldModifiers)
{
    switch (virtualKey) {
    case platform::kVkReturn:
    case platform::kVkShift:
    case platform::kVkControl:
    case platform::kVkMenu:
        return true;
    case platform::kVkEscape:
        capturedScanCode_ = 0;
        capturedExtended_ = 0;
        ctrl_ = shift_ = alt_ = 0;
        RefreshKeyText();
        return true;
    default:
        break;
    }
    // The boxes may have been clicked since the last refresh.
    UpdateData(true);
    capturedScanCode_ = static_cast<int>(flags & 0xFF);
    capturedExtended_ = (flags & platform::kKfExtended) ? 1 : 0;
    if (heldModifiers & platform::kModControl)
        ctrl_ = 1;
    if (heldModifiers & platform::kModShift)
        shift_ = 1;
    if (heldModifiers & platform::kModAlt)
        alt_ = 1;
    RefreshKeyText();
    return false;
}

int CShortcutKeyDlg::ModifierMask() const
{
    return (ctrl_ ? platform::kModControl : 0) | (shift_ ? platform::kModShift : 0) | (alt_ ? platform::kModAlt : 0);
}

void CShortcutKeyDlg::RefreshKeyText()
{
    ShortcutKey shown;
    shown.systemKey = ModifierMask();
    shown.virtualKey = 0;
    shown.scanCode = capturedScanCode_;
    shown.extendScanCode = capturedExtended_ != 0;
    shown.usingScanCode = true;
    keyText_ = FormatShortcutKey(shown);
    UpdateData(false);
}

}  // namespace brindle
