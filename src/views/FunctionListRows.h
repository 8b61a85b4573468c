#pragma once

#include "model/UnitFunction.h"

#include <QString>

#include <vector>

class CDocumentData;
class CUnitFunctionRegistry;
struct CMessageContext;

// The rows of the unit-function list pane: every unit function of the document, placed or not, sorted by one
// column ascending or descending, with the texts of its cells; and the pane's rules for New and Delete.
class CFunctionListRows {
public:
    enum Column { OutlineNumberColumn, IndexUsageColumn, FnUsageColumn, NameColumn, UniqueLabelColumn, ColumnCount };

    static QString HeaderText(const CMessageContext& context, int column);
    static int ColumnWidth(int column);
    static bool IsRightAligned(int column) { return column == IndexUsageColumn || column == FnUsageColumn; }
    // Of a long name or label what a view shows.
    static QString CellText(const CUnitFunction& function, int column, bool distinguishPrimaryOutlineNumber);

    // Every unit function in the registry's order, then sorted.
    void Refresh(const CUnitFunctionRegistry& registry, bool distinguishPrimaryOutlineNumber);
    // A click on a column header: the sort column again toggles the direction, another one sorts ascending.
    void ClickColumn(int column);
    void SetSort(int column, bool descending);
    int SortColumn() const { return m_sortColumn; }
    bool Descending() const { return m_descending; }
    const UnitFunctionList& Rows() const { return m_rows; }
    // The row of the unit function, -1 when it is not listed.
    int IndexOf(const CUnitFunction* function) const;

    // New is enabled for a name that is not empty and, unless duplicates are allowed, not in use.
    static bool CanCreate(const QString& name, const CUnitFunctionRegistry& registry, bool allowDuplicateNames);
    // Deletes the unit functions of the rows, asking first as the count of rows asks for: one question for
    // several, or for one the questions about its places and its Fn statements. Each is looked up again by its
    // InternalID before it goes, for deleting one may take another along. True when any was deleted.
    static bool DeleteFunctions(CDocumentData& document, const std::vector<quint32>& internalIds);

private:
    void Sort();

    UnitFunctionList m_rows;
    int m_sortColumn = OutlineNumberColumn;
    bool m_descending = false;
    bool m_distinguishPrimaryOutlineNumber = false;
};
