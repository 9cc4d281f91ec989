// The about box: the program's icon, name and version, a link to the help page and the
// credits.
#pragma once

#include <QUrl>

#include <functional>

#include "platform/dialog_base.h"

namespace brindle {

class CAboutDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 100;
    static constexpr int kIdNameLine = 1230;
    static constexpr int kIdVersionLine = 1231;
    static constexpr int kIdLink = 1232;

    // `link` is where the link control leads; `openUrl` opens it (the desktop's handler).
    CAboutDlg(QWidget* parent, QUrl link, std::function<void(const QUrl&)> openUrl);

    // "版本 <version>", the version the program was built as.
    static QString VersionText();

protected:
    bool OnInitDialog() override;

private:
    QUrl link_;
    std::function<void(const QUrl&)> openUrl_;
};

}  // namespace brindle
