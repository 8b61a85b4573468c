#pragma once

#include "model/RuleVocabularyTables.h"
#include "search/ResultPaneReport.h"
#include "texts/TextHelpers.h"

#include <QString>

class CDocumentData;
struct CMessageContext;

// Which marked lines the line-mark search lists: the mode in the low byte of the request, the parameter (a
// group 0 to 4, 0 for no group, or an attribute 0 to 14) in the high byte.
enum LineMarkSearchMode : quint8 { AllLineMarks = 0, GroupLineMarks = 1, AttributeLineMarks = 2 };

constexpr quint16 LineMarkSearchRequestValue(quint8 mode, quint8 parameter) {
    return static_cast<quint16>(mode | (parameter << 8));
}

// Lists every logic line carrying the marks asked for, unit function by unit function in InternalID order.
CResultPaneReport VeskSearchLineMarks(const CDocumentData& data, quint16 modeAndParameter);

// The line-mark settings dialog's working copy of the document's groups and attributes.
class CLineMarkSettingsEdit {
public:
    static constexpr int MaxNameLength = 32;

    explicit CLineMarkSettingsEdit(const LineMarkTable& table) : m_copy(table) {}

    const LineMarkTable& Copy() const { return m_copy; }
    // "g: name" for the groups 1 to 4, as the list shows them first.
    QStringList GroupEntries() const;
    // The group (0 to 3) takes the first 32 characters of the name; returns the list's new entry "g:name".
    QString ChangeGroup(int index, const QString& name);
    // The attribute (0 to 14) takes the first 32 characters of the name and the three indices; false, with
    // nothing changed, when another attribute has that name already.
    bool ChangeAttribute(int index, const QString& name, int colorNo, int shape, int groupNo);
    // The default values of an attribute, for its Default button.
    static LineMarkTable::Attribute DefaultAttribute(const CMessageContext& context, int index);
    // Writes what differs into the table; true when anything did.
    bool WriteBack(LineMarkTable& table) const;

private:
    LineMarkTable m_copy;
};
