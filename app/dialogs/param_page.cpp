#include "app/dialogs/param_page.h"

#include "platform/data_exchange.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include <cmath>

namespace brindle {

CParamPage::CParamPage(int templateId) : CWizardPage(templateId) {}

double CParamPage::RoundFactor(double value)
{
    const double scaled = std::trunc(value * 100 + 0.5);
    // A damaged file may hold anything; an infinite or huge value shows as it is.
    if (!std::isfinite(scaled) || std::fabs(scaled) > 1e15)
        return value;
    return scaled / 100;
}

void CParamPage::AddPair(std::u16string label, int idX, int idY, PairGetter get, PairSetter set)
{
    Field field{Kind::Pair, std::move(label), {}, idX, idY, {}, {}, {}, {}};
    field.readPair = [get](const FontParamFile& file) { return (file.*get)(); };
    field.writePair = [set](FontParamFile& file, const IntPair& value) { return (file.*set)(value); };
    fields_.push_back(std::move(field));
}

void CParamPage::AddInt(std::u16string label, int id, IntGetter get, IntSetter set)
{
    Field field{Kind::Int, std::move(label), {}, id, 0, {}, {}, {}, {}};
    field.readNumber = [get](const FontParamFile& file) { return static_cast<double>((file.*get)()); };
    field.writeNumber = [set](FontParamFile& file, double value) { return (file.*set)(static_cast<int>(value)); };
    fields_.push_back(std::move(field));
}

void CParamPage::AddFactor(std::u16string label, int id, NumberGetter get, NumberSetter set, std::u16string unit)
{
    Field field{Kind::Factor, std::move(label), std::move(unit), id, 0, {}, {}, {}, {}};
    field.readNumber = [get](const FontParamFile& file) { return (file.*get)(); };
    field.writeNumber = [set](FontParamFile& file, double value) { return (file.*set)(value); };
    fields_.push_back(std::move(field));
}

void CParamPage::AddSpacing(std::u16string label, int id, int durationTicks)
{
    Field field{Kind::Factor, std::move(label), {}, id, 0, {}, {}, {}, {}};
    field.readNumber = [durationTicks](const FontParamFile& file) { return file.GetNoteSpacing(durationTicks); };
    field.writeNumber = [durationTicks](FontParamFile& file, double value) {
        return file.SetNoteSpacing(durationTicks, value);
    };
    fields_.push_back(std::move(field));
}

void CParamPage::BuildRows()
{
    auto* grid = new QGridLayout(this);
    int row = 0;
    for (const Field& field : fields_) {
        grid->addWidget(new QLabel(QString::fromStdU16String(field.label), this), row, 0);
        auto* first = new QLineEdit(this);
        first->setFixedWidth(70);
        grid->addWidget(first, row, 1);
        AddControl(field.id, first);
        if (field.kind == Kind::Pair) {
            auto* second = new QLineEdit(this);
            second->setFixedWidth(70);
            grid->addWidget(second, row, 2);
            AddControl(field.idY, second);
        } else if (!field.unit.empty()) {
            grid->addWidget(new QLabel(QString::fromStdU16String(field.unit), this), row, 2);
        }
        ++row;
    }
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(row, 1);
}

bool CParamPage::OnInitDialog()
{
    for (Field& field : fields_) {
        if (!file_)
            break;
        if (field.kind == Kind::Pair) {
            const IntPair value = field.readPair(*file_);
            field.x = field.shownX = value.x;
            field.y = field.shownY = value.y;
        } else if (field.kind == Kind::Int) {
            field.number = field.shownNumber = field.readNumber(*file_);
        } else {
            field.number = field.shownNumber = RoundFactor(field.readNumber(*file_));
        }
    }
    return CWizardPage::OnInitDialog();
}

void CParamPage::DoDataExchange(platform::DataExchange& dx)
{
    for (Field& field : fields_) {
        switch (field.kind) {
        case Kind::Pair:
            dx.Int(field.id, field.x);
            dx.Int(field.idY, field.y);
            break;
        case Kind::Int: {
            int value = static_cast<int>(field.number);
            dx.Int(field.id, value);
            field.number = value;
            break;
        }
        case Kind::Factor:
            if (dx.SaveAndValidate())
                dx.Double(field.id, field.number);
            else
                SetDlgItemText(field.id, QString::number(field.number, 'f', 2).toStdU16String());
            break;
        }
    }
}

bool CParamPage::IsChanged() const
{
    for (const Field& field : fields_) {
        if (field.kind == Kind::Pair ? field.x != field.shownX || field.y != field.shownY
                                     : field.number != field.shownNumber)
            return true;
    }
    return false;
}

void CParamPage::SavePage()
{
    saveFailed_ = false;
    if (!file_ || !UpdateData(true))
        return;
    for (const Field& field : fields_) {
        bool written = true;
        if (field.kind == Kind::Pair)
            written = field.writePair(*file_, IntPair{field.x, field.y});
        else if (field.kind == Kind::Int || field.number != field.shownNumber)
            written = field.writeNumber(*file_, field.number);
        saveFailed_ = saveFailed_ || !written;
    }
}

}  // namespace brindle
