#include "platform/scripted_dialog_service.h"

#include "platform/dialog_base.h"

namespace platform {

void ScriptedDialogService::ChooseFile(std::u16string path, unsigned filterIndex)
{
    AnswerFileDialog([path = std::move(path), filterIndex](FileDialogRequest& request) {
        request.fileName = path;
        if (filterIndex != 0)
            request.filterIndex = filterIndex;
        return true;
    });
}

void ScriptedDialogService::CancelFileDialog()
{
    AnswerFileDialog([](FileDialogRequest&) { return false; });
}

int ScriptedDialogService::MessageBox(QWidget*, std::u16string_view text, std::u16string_view caption, unsigned type)
{
    messageBoxes_.push_back(MessageBoxCall{std::u16string(text), std::u16string(caption), type});
    if (!messageAnswers_.empty()) {
        const int answer = messageAnswers_.front();
        messageAnswers_.pop_front();
        return answer;
    }
    if (defaultAnswer_ != 0)
        return defaultAnswer_;
    switch (type & kMbButtonMask) {
    case kMbOk: return kIdOk;
    case kMbYesNo: return kIdNo;
    default: return kIdCancel;
    }
}

bool ScriptedDialogService::AskFileName(FileDialogRequest& request)
{
    fileDialogs_.push_back(request);
    if (fileSteps_.empty())
        return false;
    FileStep step = std::move(fileSteps_.front());
    fileSteps_.pop_front();
    return step(request);
}

bool ScriptedDialogService::ChooseFont(FontDialogRequest& request)
{
    fontDialogs_.push_back(request);
    if (fontSteps_.empty())
        return false;
    FontStep step = std::move(fontSteps_.front());
    fontSteps_.pop_front();
    return step(request);
}

int ScriptedDialogService::RunModal(DialogBase& dialog)
{
    ++modalCount_;
    // Take the step before initialising: a dialog that opens another one from its
    // initialisation gives that one the next step.
    ModalStep step;
    if (!modalSteps_.empty()) {
        step = std::move(modalSteps_.front());
        modalSteps_.pop_front();
    }
    if (!dialog.BeginModal())
        return dialog.Result();
    if (step)
        step(dialog);
    if (!dialog.IsEnded()) {
        if (step)
            ++unfinished_;
        dialog.EndDialog(kIdCancel);
    }
    return dialog.Result();
}

}  // namespace platform
