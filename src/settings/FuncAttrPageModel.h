#pragma once

#include "model/FunctionAttribute.h"
#include "settings/SettingsSheet.h"

#include <QString>

#include <array>
#include <vector>

class CDocumentData;
struct CMessageContext;

// The document's function attributes as the page edits them: rows of a symbol and a name, each keeping the id
// that unit functions refer to. Storing a changed table makes the unit functions' symbols follow it. Beside the table
// the page edits the three man-hour factors: hours per day, days per month and months per year.
class CFuncAttrPageModel {
public:
    enum Factor { HoursPerDay, DaysPerMonth, MonthsPerYear, FactorCount };

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

    // A factor as typed; stored when it reads as a number above 0.
    const QString& FactorText(Factor factor) const { return m_factorTexts[factor]; }
    void SetFactorText(Factor factor, const QString& text) { m_factorTexts[factor] = text; }
    // Refuses the first factor that is no number above 0, saying so; false then, so that the page stays open.
    bool ValidateFactors(const CMessageContext& context) const;

private:
    std::vector<FunctionAttribute> m_attributes;
    std::array<QString, FactorCount> m_factorTexts;
};
