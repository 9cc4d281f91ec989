// A page of a dialog that shows one of several pages at a time (the new-score wizard, the
// layout-parameter dialog): a dialog without caption or border that its owner places in
// its own client area. The page swallows the Enter key, so Enter never confirms or
// closes it (nor its owner); Escape goes on to the owner. Only the in-place editors of
// an editable list get Enter and Escape themselves: there they end the cell's edit.
//
// The owner sends a page OK (ClickButton(IDOK)) to make it store its values; a page
// that refuses a value says so, keeps the focus on the field and reports itself not
// confirmed, so the owner can keep it in view.
#pragma once

#include "platform/dialog_base.h"

class QEvent;

namespace brindle {

class CWizardPage : public platform::DialogBase {
    Q_OBJECT

public:
    explicit CWizardPage(int templateId);
    ~CWizardPage() override;

    // Makes the page a borderless child of `parent` at its top left and initialises it
    // (as a dialog's initialisation does). Creating it again only moves it.
    void Create(QWidget* parent);
    bool IsCreated() const { return created_; }

    // Asked before the owner moves on to the next page; every page here allows it.
    virtual bool CanLeavePage();
    // Writes what the page edits to its settings file; nothing in this base.
    virtual void SavePage();

    // True for a message the page handles before any control sees it: the key-down of
    // Enter (and of the keypad's Enter).
    virtual bool PreTranslateMessage(const QEvent& event);

    // Whether the last OK sent to the page stored its values.
    bool IsConfirmed() const { return confirmed_; }

protected:
    // Stores the values: the data exchange by default. False when a value was refused.
    virtual bool StoreValues();
    void OnOK() override;
    // A page inside its owner never ends on its own: Cancel belongs to the owner.
    void OnCancel() override;

    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Watch(QObject* object);

    bool created_ = false;
    bool confirmed_ = false;
};

}  // namespace brindle
