#include "app/dialogs/wizard_key_tempo_page.h"

#include "app/dialogs/beat_dlg.h"
#include "app/dialogs/num_edit.h"
#include "app/dialogs/num_spin_ctrl.h"
#include "app/dialogs/popup_list_wnd.h"
#include "app/settings/expression_style_list.h"
#include "platform/data_exchange.h"
#include "platform/font_mapper.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace brindle {
namespace {

// Beats and beat type of the fixed buttons "A" .. "H".
struct FixedBeat {
    int beats;
    int beatType;
};
constexpr FixedBeat kFixedBeats[8] = {{2, 2}, {2, 4}, {3, 4}, {4, 4}, {3, 8}, {6, 8}, {9, 8}, {12, 8}};

constexpr int kKeyCount = 15;
constexpr int kKeyOfC = 7;

QFont SignatureQFont(int height)
{
    return platform::FontMapper::ToQFont(CWizardKeyTempoPage::SignatureFont(height), height);
}

}  // namespace

quaverly::LogFont CWizardKeyTempoPage::SignatureFont(int height)
{
    quaverly::LogFont font;
    font.height = -height;
    font.weight = 400;
    font.charSet = 1;   // the default character set
    font.quality = 4;   // anti-aliased
    font.SetFaceName(kSignatureFace);
    return font;
}

int CWizardKeyTempoPage::BeatUnitOf(char16_t letter)
{
    switch (letter) {
    case u'O': return 645120;
    case u'P': return 322560;
    case u'R': return 80640;
    case u'S': return 40320;
    default: return 161280;
    }
}

CWizardKeyTempoPage::CWizardKeyTempoPage(const DataFolder& folder) : CWizardPage(kTemplateId), folder_(folder)
{
    const QFont big = SignatureQFont(26);
    const QFont small = SignatureQFont(20);

    auto* beatBox = new QGroupBox(QStringLiteral("节拍"), this);
    auto* beatRow = new QHBoxLayout(beatBox);
    for (int i = 0; i < 9; ++i) {
        auto* button = new QRadioButton(beatBox);
        // A push-like radio button: a check-able push button in an exclusive group.
        button->setStyleSheet(QStringLiteral("QRadioButton::indicator { image: none; border: none; width: 0px; height: 0px; }"
                                             "QRadioButton { border: 1px solid palette(mid); padding: 2px 6px; }"
                                             "QRadioButton:checked { background: palette(midlight); "
                                             "border: 2px inset palette(dark); }"));
        button->setText(QString(QChar(u'A' + i)));
        button->setFont(big);
        beatRow->addWidget(button);
        AddControl(kIdFirstBeat + i, button);
    }
    MapCommand(kIdOtherBeat, [this] { OnOtherBeat(); });

    auto* keyBox = new QGroupBox(QStringLiteral("调号"), this);
    auto* keyRow = new QHBoxLayout(keyBox);
    keys_ = new QComboBox(keyBox);
    keys_->setFont(small);
    for (int i = 0; i < kKeyCount; ++i)
        keys_->addItem(QStringLiteral("   ") + QChar(u'a' + i));
    keys_->setMinimumWidth(110);
    // The signature font's key letters draw the whole "1=C" themselves, so no separate
    // "1=" label stands before the list (it would show the prefix twice).
    keyRow->addWidget(keys_);
    keyRow->addStretch(1);
    AddControl(kIdKey, keys_);

    auto* tempoBox = new QGroupBox(QStringLiteral("速度"), this);
    auto* tempoGrid = new QGridLayout(tempoBox);
    terms_ = new QComboBox(tempoBox);
    terms_->setEditable(true);
    terms_->setInsertPolicy(QComboBox::NoInsert);
    terms_->setMinimumWidth(150);
    auto* exact = new QCheckBox(QStringLiteral("精确速度"), tempoBox);
    noteValue_ = new QPushButton(QStringLiteral("Q"), tempoBox);
    noteValue_->setFont(small);
    noteValue_->setFixedSize(34, 34);
    noteValue_->setAutoDefault(false);
    auto* equals = new QLabel(QStringLiteral("＝"), tempoBox);
    tempoEdit_ = new CNumEdit(tempoBox);
    tempoEdit_->SetDigitsOnly(true);
    tempoEdit_->setFixedWidth(60);
    tempoSpin_ = new CNumSpinCtrl(tempoBox);
    tempoSpin_->SetBuddy(tempoEdit_);
    tempoGrid->addWidget(new QLabel(QStringLiteral("速度表情标记"), tempoBox), 0, 0);
    tempoGrid->addWidget(terms_, 0, 1, 1, 4);
    tempoGrid->addWidget(exact, 1, 0);
    tempoGrid->addWidget(noteValue_, 1, 1);
    tempoGrid->addWidget(equals, 1, 2);
    tempoGrid->addWidget(tempoEdit_, 1, 3);
    tempoGrid->addWidget(tempoSpin_, 1, 4);
    tempoGrid->setColumnStretch(5, 1);
    AddControl(kIdTempoTerm, terms_);
    AddControl(kIdExactTempo, exact);
    AddControl(kIdNoteValue, noteValue_);
    AddControl(kIdEquals, equals);
    AddControl(kIdTempo, tempoEdit_);
    AddControl(kIdTempoSpin, tempoSpin_);
    MapCommand(kIdExactTempo, [this] { ApplyExactTempo(); });
    MapCommand(kIdNoteValue, [this] { OnNoteValueButton(); });
    MapMessage(kMsgNoteValue, [this](platform::WParam value, platform::LParam) {
        if (value >= 1 && value <= 5)
            noteValue_->setText(QString(QChar(static_cast<char16_t>(u'N' + value))));
        return platform::LResult(0);
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(beatBox);
    layout->addWidget(keyBox);
    layout->addWidget(tempoBox);
    layout->addStretch(1);
}

CWizardKeyTempoPage::~CWizardKeyTempoPage() { delete popup_; }

bool CWizardKeyTempoPage::OnInitDialog()
{
    ExpressionStyleList words;
    words.SetFile(folder_.Open(folder_.SystemInfo().GetExpressionFile()));
    const int count = words.GetCount();
    for (int i = 0; i < count; ++i)
        terms_->addItem(QString::fromStdU16String(words.GetItem(i)));
    terms_->setCurrentIndex(-1);
    terms_->setEditText(QString());
    keys_->setCurrentIndex(kKeyOfC);

    tempoSpin_->SetRange(40, 250);
    tempoSpin_->SetPos(static_cast<float>(tempo_));
    tempoSpin_->SetDelta(1);

    popup_ = new CPopupListWnd(this);
    popup_->resize(40, 110);
    popup_->SetFont(SignatureFont(20));
    popup_->SetRowHeight(22);
    popup_->SetNotify(&Port(), kMsgNoteValue);
    for (int value = 1; value <= 5; ++value)
        popup_->AddItem(std::u16string(1, static_cast<char16_t>(u'N' + value)), value);

    const bool result = CWizardPage::OnInitDialog();
    ApplyExactTempo();
    return result;
}

void CWizardKeyTempoPage::DoDataExchange(platform::DataExchange& dx)
{
    dx.Radio(kIdFirstBeat, beatChoice_);
    dx.Check(kIdExactTempo, exactTempo_);
    dx.Int(kIdTempo, tempo_);
    dx.MinMaxInt(tempo_, 40, 250);
}

void CWizardKeyTempoPage::ApplyExactTempo()
{
    const bool on = IsDlgButtonChecked(kIdExactTempo) != 0;
    for (int id : {kIdNoteValue, kIdEquals, kIdTempo, kIdTempoSpin})
        if (QWidget* control = GetDlgItem(id))
            control->setEnabled(on);
}

void CWizardKeyTempoPage::OnOtherBeat()
{
    // However the beat dialog ends, its values are taken: a cancelled one gives its own
    // starting 4/4.
    CBeatDlg beat(this);
    beat.DoModal();
    beats_ = beat.GetBeats();
    beatType_ = beat.GetBeatUnit();
}

void CWizardKeyTempoPage::OnNoteValueButton()
{
    if (!popup_)
        return;
    if (popup_->isVisible()) {
        popup_->setFocus();
        return;
    }
    popup_->move(noteValue_->mapToGlobal(QPoint(0, noteValue_->height())));
    popup_->show();
    popup_->setFocus();
}

bool CWizardKeyTempoPage::StoreValues()
{
    if (!CWizardPage::StoreValues())
        return false;
    if (beatChoice_ >= 0 && beatChoice_ < 8) {
        beats_ = kFixedBeats[beatChoice_].beats;
        beatType_ = kFixedBeats[beatChoice_].beatType;
    }
    const int position = keys_->currentIndex();
    key_ = position >= 0 && position < kKeyCount ? position - kKeyOfC : 0;
    const QString letter = noteValue_->text();
    beatUnit_ = BeatUnitOf(letter.isEmpty() ? u'Q' : letter.at(0).unicode());
    tempoTerm_ = terms_->currentText().toStdU16String();
    return true;
}

}  // namespace brindle
