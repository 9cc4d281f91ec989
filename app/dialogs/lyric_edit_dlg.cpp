#include "app/dialogs/lyric_edit_dlg.h"

#include "app/dialogs/lyric_edit.h"
#include "app/dialogs/lyrics_editor.h"

#include "platform/dialog_service.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <climits>

namespace brindle {

CLyricEditDlg::CLyricEditDlg(LyricsEditor& editor, QWidget* parent) : DialogBase(parent, kTemplateId), editor_(editor)
{
    setWindowTitle(QStringLiteral("歌词编辑"));

    auto* verse = new QComboBox(this);
    text_ = new CLyricEdit(this);
    text_->setMinimumSize(420, 120);
    auto* ok = new QPushButton(QStringLiteral("确定(&O)"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消(&C)"), this);
    AddControl(kIdVerse, verse);
    AddControl(kIdText, text_);
    AddControl(platform::kIdOk, ok);
    AddControl(platform::kIdCancel, cancel);

    auto* top = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("歌词段落："), this);
    label->setBuddy(verse);
    top->addWidget(label);
    top->addWidget(verse);
    top->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(text_, 1);
    layout->addLayout(buttons);

    // Syllables are easier to read a size larger than the dialog's text.
    QFont font = text_->font();
    if (font.pixelSize() > 0)
        font.setPixelSize(font.pixelSize() * 3 / 2);
    else if (font.pointSizeF() > 0)
        font.setPointSize(static_cast<int>(font.pointSizeF() * 1.5));
    text_->setFont(font);
    connect(verse, &QComboBox::currentIndexChanged, this, [this] { LoadVerse(); });
}

bool CLyricEditDlg::OnInitDialog()
{
    auto* verse = Control<QComboBox>(kIdVerse);
    {
        const QSignalBlocker quiet(verse);
        verse->clear();
        for (int i = 1; i <= kVerseCount; ++i)
            verse->addItem(QString::number(i));
        verse->setCurrentIndex(0);
    }
    LoadVerse();
    return DialogBase::OnInitDialog();
}

int CLyricEditDlg::SelectedVerse() const
{
    const int index = Control<QComboBox>(kIdVerse)->currentIndex();
    return index >= 0 && index < kVerseCount ? index : 0;
}

void CLyricEditDlg::LoadVerse()
{
    std::vector<std::u16string> syllables;
    if (voice_ >= 0)
        editor_.GetLyrics(voice_, SelectedVerse(), syllables);
    text_->SetSlotCount(syllables.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX
                                                                              : static_cast<int>(syllables.size()));
    std::u16string joined;
    for (std::size_t i = 0; i < syllables.size(); ++i) {
        if (i)
            joined.push_back(CLyricEdit::kSeparator);
        joined += syllables[i];
    }
    text_->SetText(joined);
    text_->Normalize();
}

std::vector<std::u16string> CLyricEditDlg::SplitSyllables(std::u16string_view text)
{
    std::vector<std::u16string> syllables;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = text.find(CLyricEdit::kSeparator, from);
        syllables.emplace_back(text.substr(from, at == std::u16string_view::npos ? at : at - from));
        if (at == std::u16string_view::npos)
            break;
        from = at + 1;
    }
    return syllables;
}

void CLyricEditDlg::OnOK()
{
    if (voice_ >= 0)
        editor_.SetLyrics(voice_, SelectedVerse(), SplitSyllables(text_->Text()));
    EndDialog(platform::kIdOk);
}

}  // namespace brindle
