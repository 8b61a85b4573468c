#include "settings/FuncAttrPageModel.h"

#include "model/DocumentData.h"
#include "model/DocumentDataHelpers.h"
#include "platform/MessageBox.h"
#include "settings/ListedSettings.h"
#include "texts/StringTable.h"

#include <limits>

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

bool AskToDelete(const QString& text) {
    return platform::ShowMessageBox(text, platform::MessageButtons::YesNo, platform::MessageIcon::Warning, 1) ==
           platform::MessageAnswer::Yes;
}

} // namespace

CFuncAttrPageModel::CFuncAttrPageModel(const CDocumentData& data) : m_attributes(data.FunctionAttributes) {}

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

SettingsApplyResult CFuncAttrPageModel::Apply(CDocumentData& data) const {
    if (data.FunctionAttributes == m_attributes)
        return {};
    data.FunctionAttributes = m_attributes;
    RefreshFunctionAttributeSymbols(data);
    return {true, SettingsChangeTabViews};
}
