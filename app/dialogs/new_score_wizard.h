// The new-score wizard "新建乐谱向导": leads the user through the pages its caller adds
// (score information, staff type and instruments, beat, key and tempo, paper), one at a
// time with Previous and Next. OK may be pressed on any page: every page is then told
// to store its values, in order, and the wizard closes with OK. A page that refuses a
// value is shown and the wizard stays open, so what the caller reads is what the user
// sees. The wizard itself changes nothing; the caller reads the pages afterwards.
//
// The pages belong to the caller and outlive the wizard: the wizard places them in its
// client area while it runs and hands them back (without a parent) when it goes.
#pragma once

#include "platform/dialog_base.h"

#include <QPointer>

#include <vector>

class QPushButton;

namespace brindle {

class CWizardPage;

class CNewScoreWizard : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 141;
    static constexpr int kIdPrevious = 0x3023;
    static constexpr int kIdNext = 0x3024;
    // The hidden frame whose top edge is where the separator line above the buttons goes.
    static constexpr int kIdSeparator = 1008;

    explicit CNewScoreWizard(QWidget* parent = nullptr);
    ~CNewScoreWizard() override;

    // Appends a page (not owned). Pages added after the wizard was initialised are
    // ignored.
    void AddPage(CWizardPage* page);

    int GetPageCount() const { return static_cast<int>(pages_.size()); }
    CWizardPage* GetPage(int index) const;
    int GetCurrentIndex() const { return current_; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void paintEvent(QPaintEvent* event) override;

private:
    void ShowPage();
    void OnPrevious();
    void OnNext();

    std::vector<QPointer<CWizardPage>> pages_;
    int current_ = 0;
    bool initialised_ = false;
    QWidget* pageArea_;
    QWidget* separator_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* previous_;
    QPushButton* next_;
};

}  // namespace brindle
