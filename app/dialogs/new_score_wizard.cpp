#include "app/dialogs/new_score_wizard.h"

#include "app/dialogs/wizard_page.h"
#include "platform/dialog_service.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace brindle {

CNewScoreWizard::CNewScoreWizard(QWidget* parent) : DialogBase(parent, kTemplateId)
{
    setWindowTitle(QStringLiteral("新建乐谱向导"));
    pageArea_ = new QWidget(this);
    separator_ = new QWidget(this);
    separator_->setFixedHeight(2);
    QSizePolicy keep = separator_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    separator_->setSizePolicy(keep);
    separator_->hide();
    previous_ = new QPushButton(QStringLiteral("上一页(&P)"), this);
    next_ = new QPushButton(QStringLiteral("下一页(&N)"), this);
    ok_ = new QPushButton(QStringLiteral("确定(&O)"), this);
    cancel_ = new QPushButton(QStringLiteral("取消(&C)"), this);
    ok_->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(previous_);
    buttons->addWidget(next_);
    buttons->addSpacing(12);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pageArea_);
    layout->addWidget(separator_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    AddControl(platform::kIdOk, ok_);
    AddControl(platform::kIdCancel, cancel_);
    AddControl(kIdPrevious, previous_);
    AddControl(kIdNext, next_);
    AddControl(kIdSeparator, separator_);
    MapCommand(kIdPrevious, [this] { OnPrevious(); });
    MapCommand(kIdNext, [this] { OnNext(); });
}

CNewScoreWizard::~CNewScoreWizard()
{
    // The pages are the caller's: give them back before Qt deletes our children.
    for (const QPointer<CWizardPage>& page : pages_)
        if (page) {
            page->hide();
            page->setParent(nullptr, Qt::Widget);
        }
}

void CNewScoreWizard::AddPage(CWizardPage* page)
{
    if (page && !initialised_)
        pages_.push_back(page);
}

CWizardPage* CNewScoreWizard::GetPage(int index) const
{
    if (index < 0 || index >= GetPageCount())
        return nullptr;
    return pages_[static_cast<std::size_t>(index)].data();
}

bool CNewScoreWizard::OnInitDialog()
{
    const bool result = DialogBase::OnInitDialog();
    initialised_ = true;
    QSize area(0, 0);
    for (const QPointer<CWizardPage>& page : pages_) {
        if (!page)
            continue;
        page->Create(pageArea_);
        area = area.expandedTo(page->sizeHint());
    }
    pageArea_->setFixedSize(area);
    for (const QPointer<CWizardPage>& page : pages_)
        if (page)
            page->setGeometry(0, 0, area.width(), area.height());
    current_ = std::clamp(current_, 0, std::max(0, GetPageCount() - 1));
    ShowPage();
    return result;
}

void CNewScoreWizard::ShowPage()
{
    for (int i = 0; i < GetPageCount(); ++i)
        if (CWizardPage* page = GetPage(i))
            page->setVisible(i == current_);
    const int last = GetPageCount() - 1;
    previous_->setEnabled(current_ > 0);
    next_->setEnabled(current_ < last);
    ok_->setEnabled(true);
}

void CNewScoreWizard::OnPrevious()
{
    if (current_ <= 0)
        return;
    --current_;
    ShowPage();
}

void CNewScoreWizard::OnNext()
{
    if (current_ >= GetPageCount() - 1)
        return;
    CWizardPage* page = GetPage(current_);
    if (page && !page->CanLeavePage())
        return;
    ++current_;
    ShowPage();
}

void CNewScoreWizard::OnOK()
{
    for (int i = 0; i < GetPageCount(); ++i) {
        CWizardPage* page = GetPage(i);
        if (!page)
            continue;
        page->ClickButton(platform::kIdOk);
        if (!page->IsConfirmed()) {
            // The page told the user what it refused; keep it in view with the wizard open.
            current_ = i;
            ShowPage();
            return;
        }
    }
    EndDialog(platform::kIdOk);
}

void CNewScoreWizard::paintEvent(QPaintEvent* event)
{
    DialogBase::paintEvent(event);
    // A sunken two-pixel line above the buttons, as wide as the frame control.
    const QRect frame = separator_->geometry();
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(frame.left(), frame.top(), frame.right(), frame.top());
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(frame.left(), frame.top() + 1, frame.right(), frame.top() + 1);
}

}  // namespace brindle
