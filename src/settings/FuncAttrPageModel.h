#pragma once

#include "model/FunctionAttribute.h"
#include "settings/SettingsSheet.h"

#include <vector>

class CDocumentData;

// The document's function attributes as the page edits them: rows of a symbol and a name, each keeping the id
// that unit functions refer to. Storing a changed table makes the unit functions' symbols follow it.
class CFuncAttrPageModel {
public:
    explicit CFuncAttrPageModel(const CDocumentData& data);

    const std::vector<FunctionAttribute>& Attributes() const { return m_attributes; }
    // Appends a row with the lowest id no row has; false, after saying so, when every id is taken.
    bool AddAttribute();
    void RemoveAttribute(size_t index);
    // Cut to the field's length.
    void SetSymbol(size_t index, const QString& symbol);
    void SetDetails(size_t index, const QString& details);

    // Offers to delete the rows without a symbol, then the later rows of a symbol that two rows share; false when
    // the user keeps them, so that the page stays open.
    bool Validate();
    SettingsApplyResult Apply(CDocumentData& data) const;

private:
    std::vector<FunctionAttribute> m_attributes;
};
