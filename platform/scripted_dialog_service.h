// A dialog service that answers from a script, for tests and headless runs. Every
// question is recorded. Message boxes take the queued answers in order, then the
// default answer; file and font dialogs and modal dialogs run the queued script steps in
// order. A modal dialog is initialised as for the user, then its step works on it (set
// controls, click buttons, even open a nested dialog, which takes the next step); the
// dialog's end code is the answer. A step that leaves the dialog open ends it with
// IDCANCEL and is counted in UnfinishedDialogs.
#pragma once

#include "platform/dialog_service.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace platform {

class ScriptedDialogService : public DialogService {
public:
    struct MessageBoxCall {
        std::u16string text;
        std::u16string caption;
        unsigned type = 0;
    };
    using FileStep = std::function<bool(FileDialogRequest&)>;
    using FontStep = std::function<bool(FontDialogRequest&)>;
    using ModalStep = std::function<void(DialogBase&)>;

    // Message boxes.
    void AnswerMessageBox(int answer) { messageAnswers_.push_back(answer); }
    // The answer when none is queued: IDOK for an OK box, else IDCANCEL (or IDNO for a
    // Yes/No box).
    void SetDefaultMessageAnswer(int answer) { defaultAnswer_ = answer; }
    const std::vector<MessageBoxCall>& MessageBoxes() const { return messageBoxes_; }

    // File dialogs: the step sees the request and changes its outputs; its result says OK.
    void AnswerFileDialog(FileStep step) { fileSteps_.push_back(std::move(step)); }
    // Shorthand: choose `path` (and filter `filterIndex` when not 0).
    void ChooseFile(std::u16string path, unsigned filterIndex = 0);
    void CancelFileDialog();
    const std::vector<FileDialogRequest>& FileDialogs() const { return fileDialogs_; }

    void AnswerFontDialog(FontStep step) { fontSteps_.push_back(std::move(step)); }
    const std::vector<FontDialogRequest>& FontDialogs() const { return fontDialogs_; }

    // Modal dialogs. Without a step a dialog is cancelled.
    void AnswerModal(ModalStep step) { modalSteps_.push_back(std::move(step)); }
    int ModalCount() const { return modalCount_; }
    int UnfinishedDialogs() const { return unfinished_; }

    // Steps queued and not used yet.
    std::size_t PendingSteps() const
    {
        return messageAnswers_.size() + fileSteps_.size() + fontSteps_.size() + modalSteps_.size();
    }

    // Forgets the steps not used yet (a script whose dialog never came).
    void DropPendingSteps()
    {
        messageAnswers_.clear();
        fileSteps_.clear();
        fontSteps_.clear();
        modalSteps_.clear();
    }

    int MessageBox(QWidget* parent, std::u16string_view text, std::u16string_view caption, unsigned type) override;
    bool ChooseFont(FontDialogRequest& request) override;
    int RunModal(DialogBase& dialog) override;

protected:
    bool AskFileName(FileDialogRequest& request) override;

private:
    std::deque<int> messageAnswers_;
    int defaultAnswer_ = 0;
    std::vector<MessageBoxCall> messageBoxes_;
    std::deque<FileStep> fileSteps_;
    std::vector<FileDialogRequest> fileDialogs_;
    std::deque<FontStep> fontSteps_;
    std::vector<FontDialogRequest> fontDialogs_;
    std::deque<ModalStep> modalSteps_;
    int modalCount_ = 0;
    int unfinished_ = 0;
};

}  // namespace platform
