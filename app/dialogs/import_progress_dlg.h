// The small window without a caption that the main window shows while a score file is
// being opened: "正在导入文件..." over a bar that keeps moving. The bar shows activity, not
// a measured fraction: the main window steps it on a timer, and after its end it starts
// again from the beginning. Escape does not dismiss it; the main window hides it when the
// opening has finished.
#pragma once

#include "platform/dialog_base.h"

class QProgressBar;

namespace brindle {

class CImportProgressDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 243;
    static constexpr int kIdProgress = 1116;
    static constexpr int kRange = 100;

    // A modeless window over `parent` (the main window), hidden until shown.
    explicit CImportProgressDlg(QWidget* parent = nullptr);

    // Back to the start (the main window calls it each time it shows the window).
    void ResetProgress();
    // One step on; past the end the bar starts again from the beginning.
    void StepProgress();

    QProgressBar* Bar() const { return bar_; }
    int Position() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Neither Escape nor a close request ends it.
    void OnCancel() override {}

private:
    QProgressBar* bar_ = nullptr;
};

}  // namespace brindle
