#include "app/dialogs/wizard_page.h"

#include "app/dialogs/cell_edit_session.h"
#include "platform/dialog_service.h"

#include <QChildEvent>
#include <QKeyEvent>

namespace brindle {

CWizardPage::CWizardPage(int templateId) : DialogBase(nullptr, templateId)
{
    // Until it is placed in its owner the page is a plain widget, never a window of its own.
    setWindowFlags(Qt::Widget);
    Watch(this);
}

CWizardPage::~CWizardPage() = default;

void CWizardPage::Create(QWidget* parent)
{
    setParent(parent, Qt::Widget);
    move(0, 0);
    // Controls added since construction are watched too.
    Watch(this);
    if (created_)
        return;
    created_ = true;
    OnInitDialog();
}

bool CWizardPage::CanLeavePage() { return true; }

void CWizardPage::SavePage() {}

bool CWizardPage::PreTranslateMessage(const QEvent& event)
{
    if (event.type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent&>(event).key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool CWizardPage::StoreValues() { return UpdateData(true); }

void CWizardPage::OnOK()
{
    confirmed_ = StoreValues();
    if (confirmed_)
        EndDialog(platform::kIdOk);
}

void CWizardPage::OnCancel() {}

void CWizardPage::Watch(QObject* object)
{
    object->removeEventFilter(this);
    object->installEventFilter(this);
    for (QObject* child : object->children())
        if (child->isWidgetType())
            Watch(child);
}

namespace {

// A cell's in-place editor (or its dropped list) ends its edit with Enter itself.
bool InsideCellEditor(const QObject* object, const QObject* page)
{
    for (; object != nullptr && object != page; object = object->parent())
        if (dynamic_cast<const CCellEditSession*>(object) != nullptr)
            return true;
    return false;
}

}  // namespace

bool CWizardPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ChildAdded) {
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (child && child->isWidgetType())
            Watch(child);
    } else if (!InsideCellEditor(watched, this) && PreTranslateMessage(*event)) {
        event->accept();
        return true;
    }
    return DialogBase::eventFilter(watched, event);
}

void CWizardPage::keyPressEvent(QKeyEvent* event)
{
    // Escape (and anything else the page does not take) goes on to the owner.
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    DialogBase::keyPressEvent(event);
}

}  // namespace brindle
