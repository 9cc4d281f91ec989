#include "platform/qt_dialog_service.h"

#include "platform/dialog_base.h"
#include "platform/font_mapper.h"
#include "platform/qt_string.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColor>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QMessageBox>
#include <QScreen>
#include <QStringList>

#include <cmath>

namespace platform {
namespace {

double ScreenDpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return dpi > 0 ? dpi : 96.0;
}

}  // namespace

std::u16string_view StandardButtonText(int answer)
{
    switch (answer) {
    case kIdOk: return u"确定";
    case kIdCancel: return u"取消";
    case kIdYes: return u"是(&Y)";
    case kIdNo: return u"否(&N)";
    default: return {};
    }
}

int QtDialogService::MessageBox(QWidget* parent, std::u16string_view text, std::u16string_view caption,
                                unsigned type)
{
    QMessageBox box(parent);
    box.setWindowTitle(caption.empty() ? QCoreApplication::applicationName() : ToQString(caption));
    box.setText(ToQString(text));
    switch (type & kMbIconMask) {
    case kMbIconStop: box.setIcon(QMessageBox::Critical); break;
    case kMbIconQuestion: box.setIcon(QMessageBox::Question); break;
    case kMbIconExclamation: box.setIcon(QMessageBox::Warning); break;
    case kMbIconInformation: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    struct Choice {
        QMessageBox::StandardButton button;
        int answer;
    };
    std::vector<Choice> choices;
    switch (type & kMbButtonMask) {
    case kMbOkCancel: choices = {{QMessageBox::Ok, kIdOk}, {QMessageBox::Cancel, kIdCancel}}; break;
    case kMbYesNoCancel:
        choices = {{QMessageBox::Yes, kIdYes}, {QMessageBox::No, kIdNo}, {QMessageBox::Cancel, kIdCancel}};
        break;
    case kMbYesNo: choices = {{QMessageBox::Yes, kIdYes}, {QMessageBox::No, kIdNo}}; break;
    default: choices = {{QMessageBox::Ok, kIdOk}}; break;
    }
    QMessageBox::StandardButtons buttons;
    for (const auto& choice : choices)
        buttons |= choice.button;
    box.setStandardButtons(buttons);
    // The buttons speak the program's language whatever translations are installed.
    for (const auto& choice : choices)
        if (QAbstractButton* button = box.button(choice.button))
            button->setText(ToQString(StandardButtonText(choice.answer)));
    const auto clicked = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const auto& choice : choices)
        if (choice.button == clicked)
            return choice.answer;
    // Closed without a button: Cancel where there is one, else the only answer there is.
    for (const auto& choice : choices)
        if (choice.answer == kIdCancel)
            return kIdCancel;
    return choices.back().answer;
}

bool QtDialogService::AskFileName(FileDialogRequest& request)
{
    const auto filters = ParseFileFilter(request.filter);
    QStringList names;
    for (const auto& filter : filters)
        names << ToQString(FileFilterChoice(filter));
    QFileDialog dialog(request.parent);
    dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!names.isEmpty())
        dialog.setNameFilters(names);
    if (!request.defaultExtension.empty())
        dialog.setDefaultSuffix(ToQString(request.defaultExtension));
    if (!(request.flags & kOfnOverwritePrompt))
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    // A proposed name without a folder of its own goes into the start folder.
    if (!request.initialFolder.empty())
        dialog.setDirectory(ToQString(request.initialFolder));
    if (!request.fileName.empty())
        dialog.selectFile(ToQString(request.fileName));
    const unsigned index = request.filterIndex;
    if (index >= 1 && index <= static_cast<unsigned>(names.size()))
        dialog.selectNameFilter(names[static_cast<qsizetype>(index - 1)]);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    request.fileName = dialog.selectedFiles().front().toStdU16String();
    const qsizetype chosen = names.indexOf(dialog.selectedNameFilter());
    if (chosen >= 0)
        request.filterIndex = static_cast<unsigned>(chosen + 1);
    return true;
}

bool QtDialogService::ChooseFont(FontDialogRequest& request)
{
    const double dpi = ScreenDpi();
    QFont initial = FontMapper::ToQFont(request.font, 16);
    // The dialog speaks points; the record speaks pixels of the screen.
    initial.setPointSizeF(std::max(1.0, QFontInfo(initial).pixelSize() * 72.0 / dpi));
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, request.parent);
    if (!ok)
        return false;
    quaverly::LogFont& lf = request.font;
    lf.SetFaceName(chosen.family().toStdU16String());
    const double points = chosen.pointSizeF() > 0 ? chosen.pointSizeF() : chosen.pixelSize() * 72.0 / dpi;
    lf.height = -static_cast<std::int32_t>(std::lround(points * dpi / 72.0));
    lf.width = 0;
    lf.weight = chosen.weight();  // Qt's weights are the record's: 400 normal, 700 bold
    lf.italic = chosen.italic() ? 1 : 0;
    lf.underline = chosen.underline() ? 1 : 0;
    lf.strikeOut = chosen.strikeOut() ? 1 : 0;
    return true;
}

int QtDialogService::RunModal(DialogBase& dialog)
{
    if (!dialog.BeginModal())
        return dialog.Result();
    return dialog.RunEventLoop();
}

}  // namespace platform
