// The base of the program's dialogs: controls looked up by numeric id, the
// initialisation and OK / Cancel hooks, ending with a code, and data exchange between
// the dialog's members and its controls (DoDataExchange with a DataExchange). Dialogs
// build their controls in their constructors and register them with AddControl. DoModal
// runs the dialog through the dialog service, so tests answer it from a script.
//
// Buttons registered here are wired by their id: IDOK runs OnOK, IDCANCEL runs OnCancel,
// any other id runs the command mapped for it (CommandTarget). Escape and the close box
// run OnCancel.
#pragma once

#include "platform/command_target.h"
#include "platform/message_port.h"

#include <QDialog>
#include <QPointer>

#include <map>
#include <string>
#include <string_view>

namespace platform {

class DataExchange;

class DialogBase : public QDialog, public CommandTarget {
    Q_OBJECT

public:
    explicit DialogBase(QWidget* parent = nullptr, int templateId = 0);
    ~DialogBase() override;

    int TemplateId() const { return templateId_; }

    // Runs the dialog modally; IDOK, IDCANCEL or the code given to EndDialog.
    int DoModal();

    // Controls. A control registered again under another id keeps only the new one.
    void AddControl(int id, QWidget* control);
    QWidget* GetDlgItem(int id) const;
    template <class T>
    T* Control(int id) const
    {
        return qobject_cast<T*>(GetDlgItem(id));
    }
    // 0 for a widget that is not registered.
    int GetDlgCtrlID(const QWidget* control) const;

    // The text of a text box, label, button or combo box.
    void SetDlgItemText(int id, std::u16string_view text);
    std::u16string GetDlgItemText(int id) const;
    // 0 unchecked, 1 checked, 2 indeterminate.
    void CheckDlgButton(int id, int state);
    int IsDlgButtonChecked(int id) const;
    // What a click on the button `id` does (also for scripts and tests).
    void ClickButton(int id);

    // Moves the members into the controls (false) or reads and checks the controls
    // (true). False when a value was refused: the user was told, the control has the
    // focus, and members exchanged after it keep their values.
    bool UpdateData(bool saveAndValidate = true);

    // Ends the modal run with `result`.
    void EndDialog(int result);
    bool IsEnded() const { return ended_; }
    int Result() const { return result_; }

    // The dialog's messages (posted and sent), dispatched to its message map.
    MessagePort& Port() { return *port_; }

    // Used by the dialog services: BeginModal runs the initialisation and says whether the
    // dialog is still open; RunEventLoop runs it until it ends and returns the code.
    bool BeginModal();
    int RunEventLoop();

protected:
    virtual void DoDataExchange(DataExchange& dx);
    // Default: UpdateData(false). The result is kept for the services' use (focus).
    virtual bool OnInitDialog();
    // Default: UpdateData(true), then EndDialog(IDOK) when it succeeded.
    virtual void OnOK();
    // Default: EndDialog(IDCANCEL).
    virtual void OnCancel();
    // Messages no map entry handles.
    virtual LResult DefWindowProc(const WindowMessage& message);

    void accept() override;
    void reject() override;

private:
    LResult Dispatch(const WindowMessage& message);

    int templateId_;
    std::map<int, QPointer<QWidget>> controls_;
    MessagePort* port_;
    bool ended_ = false;
    bool running_ = false;
    int result_ = 0;
};

}  // namespace platform
