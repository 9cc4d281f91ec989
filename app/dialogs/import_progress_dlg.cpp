#include "app/dialogs/import_progress_dlg.h"

#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace brindle {

CImportProgressDlg::CImportProgressDlg(QWidget* parent) : DialogBase(parent, kTemplateId)
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setModal(false);
    bar_ = new QProgressBar(this);
    bar_->setRange(0, kRange);
    bar_->setValue(0);
    // Activity, not a fraction: no percentage.
    bar_->setTextVisible(false);
    bar_->setMinimumWidth(260);
    AddControl(kIdProgress, bar_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("正在导入文件..."), this));
    layout->addWidget(bar_);
}

void CImportProgressDlg::ResetProgress() { bar_->setValue(bar_->minimum()); }

void CImportProgressDlg::StepProgress()
{
    const int next = bar_->value() + 1;
    bar_->setValue(next > bar_->maximum() ? bar_->minimum() : next);
}

int CImportProgressDlg::Position() const { return bar_->value(); }

void CImportProgressDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    DialogBase::keyPressEvent(event);
}

}  // namespace brindle
