#include "platform/dialog_base.h"

#include "platform/data_exchange.h"
#include "platform/dialog_service.h"
#include "platform/qt_string.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace platform {

DialogBase::DialogBase(QWidget* parent, int templateId)
    : QDialog(parent),
      templateId_(templateId),
      port_(new MessagePort([this](const WindowMessage& m) { return Dispatch(m); }, this))
{
}

DialogBase::~DialogBase() = default;

int DialogBase::DoModal() { return DialogService::Current().RunModal(*this); }

void DialogBase::AddControl(int id, QWidget* control)
{
    if (!control)
        return;
    for (auto it = controls_.begin(); it != controls_.end();)
        it = it->second == control ? controls_.erase(it) : std::next(it);
    controls_[id] = control;
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        // Radio buttons and check boxes change their own state; a mapped command still runs.
        disconnect(button, &QAbstractButton::clicked, this, nullptr);
        connect(button, &QAbstractButton::clicked, this, [this, button] {
            if (const int own = GetDlgCtrlID(button))
                ClickButton(own);
        });
    }
}

QWidget* DialogBase::GetDlgItem(int id) const
{
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second.data();
}

int DialogBase::GetDlgCtrlID(const QWidget* control) const
{
    for (const auto& [id, widget] : controls_)
        if (widget == control && control)
            return id;
    return 0;
}

void DialogBase::SetDlgItemText(int id, std::u16string_view text)
{
    QWidget* control = GetDlgItem(id);
    const QString value = ToQString(text);
    if (auto* line = qobject_cast<QLineEdit*>(control))
        line->setText(value);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(control))
        plain->setPlainText(value);
    else if (auto* rich = qobject_cast<QTextEdit*>(control))
        rich->setPlainText(value);
    else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(value);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(value);
    else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        if (combo->isEditable())
            combo->setEditText(value);
        else
            combo->setCurrentIndex(combo->findText(value));
    }
}

std::u16string DialogBase::GetDlgItemText(int id) const
{
    QWidget* control = GetDlgItem(id);
    QString value;
    if (auto* line = qobject_cast<QLineEdit*>(control))
        value = line->text();
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(control))
        value = plain->toPlainText();
    else if (auto* rich = qobject_cast<QTextEdit*>(control))
        value = rich->toPlainText();
    else if (auto* label = qobject_cast<QLabel*>(control))
        value = label->text();
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        value = button->text();
    else if (auto* combo = qobject_cast<QComboBox*>(control))
        value = combo->currentText();
    return value.toStdU16String();
}

void DialogBase::CheckDlgButton(int id, int state)
{
    QWidget* control = GetDlgItem(id);
    if (auto* box = qobject_cast<QCheckBox*>(control)) {
        box->setCheckState(state == 0 ? Qt::Unchecked : state == 2 ? Qt::PartiallyChecked : Qt::Checked);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        // Clearing one radio button of a group needs the group's exclusiveness off.
        const bool exclusive = button->autoExclusive();
        if (state == 0)
            button->setAutoExclusive(false);
        button->setChecked(state != 0);
        button->setAutoExclusive(exclusive);
    }
}

int DialogBase::IsDlgButtonChecked(int id) const
{
    QWidget* control = GetDlgItem(id);
    if (auto* box = qobject_cast<QCheckBox*>(control))
        return box->checkState() == Qt::PartiallyChecked ? 2 : box->isChecked() ? 1 : 0;
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->isChecked() ? 1 : 0;
    return 0;
}

void DialogBase::ClickButton(int id)
{
    if (id == kIdOk)
        OnOK();
    else if (id == kIdCancel)
        OnCancel();
    else
        OnCommand(id);
}

bool DialogBase::UpdateData(bool saveAndValidate)
{
    DataExchange dx(*this, saveAndValidate);
    DoDataExchange(dx);
    return !dx.Failed();
}

void DialogBase::EndDialog(int result)
{
    ended_ = true;
    result_ = result;
    if (running_)
        QDialog::done(result);
}

bool DialogBase::BeginModal()
{
    ended_ = false;
    result_ = 0;
    OnInitDialog();
    return !ended_;
}

int DialogBase::RunEventLoop()
{
    if (ended_)
        return result_;
    running_ = true;
    exec();
    running_ = false;
    if (!ended_) {
        // Closed some other way (the window was destroyed): as Cancel.
        ended_ = true;
        result_ = kIdCancel;
    }
    return result_;
}

void DialogBase::DoDataExchange(DataExchange&) {}

bool DialogBase::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void DialogBase::OnOK()
{
    if (UpdateData(true))
        EndDialog(kIdOk);
}

void DialogBase::OnCancel() { EndDialog(kIdCancel); }

LResult DialogBase::DefWindowProc(const WindowMessage&) { return 0; }

void DialogBase::accept() { OnOK(); }

void DialogBase::reject() { OnCancel(); }

LResult DialogBase::Dispatch(const WindowMessage& message)
{
    if (auto result = OnMessage(message))
        return *result;
    return DefWindowProc(message);
}

}  // namespace platform
