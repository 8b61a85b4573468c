#include "settings/FuncAttrPageModel.h"

#include "model/DocumentData.h"
#include "model/DocumentDataHelpers.h"
#include "platform/MessageBox.h"
#include "settings/ListedSettings.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <cmath>
#include <limits>
#include <optional>

namespace {

class SymbolItem : public CListedSettingsItem {
public:
    explicit SymbolItem(QString symbol) : m_symbol(std::move(symbol)) {}
    QString GetText() const override { return m_symbol; }

private:
    QString m_symbol;
};

CListedSettings SymbolList(const std::vector<FunctionAttribute>& attributes) {
    CListedSettings list;
    for (const FunctionAttribute& attribute : attributes)
        list.Append(std::make_unique<SymbolItem>(attribute.symbol));
    return list;
}

float& FactorOf(WorkTableSettings& table, CFuncAttrPageModel::Factor factor) {
    switch (factor) {
    case CFuncAttrPageModel::HoursPerDay:
        return table.UnitDayToHour;
    case CFuncAttrPageModel::DaysPerMonth:
        return table.UnitMonthToDay;
    default:
        return table.UnitYearToMonth;
    }
}

// A factor is a number above 0.
std::optional<float> ParseFactor(const QString& text) {
    bool ok = false;
    const float value = text.trimmed().toFloat(&ok);
    if (!ok || !std::isfinite(value) || value <= 0)
        return std::nullopt;
    return value;
}

bool AskToDelete(const QString& text) {
    return platform::ShowMessageBox(text, platform::MessageButtons::YesNo, platform::MessageIcon::Warning, 1) ==
           platform::MessageAnswer::Yes;
}

} // namespace

CFuncAttrPageModel::CFuncAttrPageModel(const CDocumentData& data) : m_attributes(data.FunctionAttributes) {
    WorkTableSettings table = data.WorkTable;
    for (int factor = 0; factor < FactorCount; ++factor)
        m_factorTexts[size_t(factor)] = QString::number(FactorOf(table, Factor(factor)));
}

bool CFuncAttrPageModel::AddAttribute() {
    for (int id = 1; id <= std::numeric_limits<quint8>::max(); ++id) {
        const bool taken = std::any_of(m_attributes.begin(), m_attributes.end(),
                                       [id](const FunctionAttribute& attribute) { return attribute.id == id; });
        if (!taken) {
            FunctionAttribute attribute;
            attribute.id = quint8(id);
            m_attributes.push_back(attribute);
            return true;
        }
    }
    platform::ShowMessageBox(LoadString(StringId::CannotAddMore), platform::MessageButtons::Ok,
                             platform::MessageIcon::Warning);
    return false;
}

void CFuncAttrPageModel::RemoveAttribute(size_t index) {
    if (index < m_attributes.size())
        m_attributes.erase(m_attributes.begin() + static_cast<std::ptrdiff_t>(index));
}

void CFuncAttrPageModel::SetSymbol(size_t index, const QString& symbol) {
    m_attributes.at(index).symbol = symbol.left(FunctionAttribute::MaxSymbolLength);
}

void CFuncAttrPageModel::SetDetails(size_t index, const QString& details) {
    m_attributes.at(index).details = details.left(FunctionAttribute::MaxDetailsLength);
}

bool CFuncAttrPageModel::Validate() {
    if (SymbolList(m_attributes).HasEmptyItem()) {
        if (!AskToDelete(LoadString(StringId::DeleteEmptyItems)))
            return false;
        std::erase_if(m_attributes, [](const FunctionAttribute& attribute) { return attribute.symbol.isEmpty(); });
    }
    while (const std::optional<QString> duplicate = SymbolList(m_attributes).HasDuplicateItem()) {
        if (!AskToDelete(LoadString(StringId::SettingDeleteDuplicateItems).arg(*duplicate)))
            return false;
        // The first row keeps the symbol and the unit functions that use its id.
        bool first = true;
        std::erase_if(m_attributes, [&](const FunctionAttribute& attribute) {
            if (attribute.symbol != *duplicate)
                return false;
            return !std::exchange(first, false);
        });
    }
    return true;
}

bool CFuncAttrPageModel::ValidateFactors(const CMessageContext& context) const {
    for (const QString& text : m_factorTexts) {
        if (!ParseFactor(text)) {
            platform::ShowMessageBox(LoadString(StringId::SettingOutOfRange)
                                         .arg(Msg::FunctionAttributePlural(context), Msg::ConversionOfUnits(context)),
                                     platform::MessageButtons::Ok, platform::MessageIcon::Warning);
            return false;
        }
    }
    return true;
}

SettingsApplyResult CFuncAttrPageModel::Apply(CDocumentData& data) const {
    SettingsApplyResult result;
    for (int factor = 0; factor < FactorCount; ++factor) {
        float& stored = FactorOf(data.WorkTable, Factor(factor));
        const std::optional<float> value = ParseFactor(m_factorTexts[size_t(factor)]);
        if (value && *value != stored) {
            stored = *value;
            result = {true, SettingsChangeTabViews};
        }
    }
    if (data.FunctionAttributes == m_attributes)
        return result;
    data.FunctionAttributes = m_attributes;
    RefreshFunctionAttributeSymbols(data);
    return {true, SettingsChangeTabViews};
}
