#include "app/shell/about_dlg.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/dialog_service.h"
#include "platform/string_table.h"

namespace brindle {

CAboutDlg::CAboutDlg(QWidget* parent, QUrl link, std::function<void(const QUrl&)> openUrl)
    : DialogBase(parent, kTemplateId), link_(std::move(link)), openUrl_(std::move(openUrl))
{
    setWindowTitle(QStringLiteral("关于Larkspire简谱"));
    auto* outer = new QHBoxLayout(this);
    auto* icon = new QLabel(this);
    if (parent)
        icon->setPixmap(parent->windowIcon().pixmap(48, 48));
    outer->addWidget(icon, 0, Qt::AlignTop);
    auto* column = new QVBoxLayout();
    outer->addLayout(column);

    auto* name = new QLabel(QString::fromStdU16String(platform::LoadResourceString(57344)), this);
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    name->setFont(big);
    column->addWidget(name);
    AddControl(kIdNameLine, name);
    auto* version = new QLabel(VersionText(), this);
    column->addWidget(version);
    AddControl(kIdVersionLine, version);

    auto* linkLabel = new QLabel(this);
    linkLabel->setTextFormat(Qt::RichText);
    linkLabel->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    linkLabel->setOpenExternalLinks(false);
    connect(linkLabel, &QLabel::linkActivated, this, [this](const QString&) {
        if (openUrl_ && link_.isValid())
            openUrl_(link_);
    });
    column->addWidget(linkLabel);
    AddControl(kIdLink, linkLabel);

    for (const char* line : {"简谱（数字记谱）乐谱编辑程序", "音乐字体取自自由授权的 Emmentaler 与 DejaVu 字体",
                             "界面基于 Qt 6，MIDI 播放使用 RtMidi 与 FluidSynth"})
        column->addWidget(new QLabel(QString::fromUtf8(line), this));

    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setDefault(true);
    column->addWidget(ok, 0, Qt::AlignRight);
    AddControl(platform::kIdOk, ok);
}

QString CAboutDlg::VersionText()
{
    const QString version = QCoreApplication::applicationVersion();
    return QStringLiteral("版本 %1").arg(version.isEmpty() ? QStringLiteral("未知") : version);
}

bool CAboutDlg::OnInitDialog()
{
    const bool result = DialogBase::OnInitDialog();
    if (auto* label = Control<QLabel>(kIdLink))
        label->setText(QStringLiteral("<a href=\"%1\">使用帮助</a>").arg(link_.toString().toHtmlEscaped()));
    return result;
}

}  // namespace brindle
