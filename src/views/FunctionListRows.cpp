#include "views/FunctionListRows.h"

#include "model/DocumentData.h"
#include "model/ModelShell.h"
#include "model/TextUtilities.h"
#include "platform/MessageBox.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <algorithm>

QString CFunctionListRows::HeaderText(const CMessageContext& context, int column) {
    switch (column) {
    case OutlineNumberColumn:
        return Msg::OutlineNumber(context);
    case IndexUsageColumn:
        return Msg::UsageInTheTableOfContents(context);
    case FnUsageColumn:
        return Msg::UsageInFnStatementFn(context);
    case NameColumn:
        return Msg::FunctionName(context);
    default:
        return Msg::UniqueLabel(context);
    }
}

int CFunctionListRows::ColumnWidth(int column) {
    static const int widths[ColumnCount] = {96, 64, 64, 256, 96};
    return column >= 0 && column < ColumnCount ? widths[column] : 64;
}

QString CFunctionListRows::CellText(const CUnitFunction& function, int column, bool distinguishPrimaryOutlineNumber) {
    switch (column) {
    case OutlineNumberColumn:
        return function.GetOutlineNumberText(distinguishPrimaryOutlineNumber);
    case IndexUsageColumn: {
        // A unit function inside itself has no finite count.
        const quint32 count = static_cast<quint32>(function.occurrenceCount);
        return count == 0xFFFFFFFFu ? QString(QChar(0x221E)) : QString::number(static_cast<qint32>(count));
    }
    case FnUsageColumn:
        return QString::number(function.fnCallerCount);
    case NameColumn:
        return ShownText(function.name);
    default:
        return ShownText(function.header.uniqueLabel);
    }
}

void CFunctionListRows::Refresh(const CUnitFunctionRegistry& registry, bool distinguishPrimaryOutlineNumber) {
    m_distinguishPrimaryOutlineNumber = distinguishPrimaryOutlineNumber;
    m_rows.clear();
    m_rows.reserve(registry.Functions().size());
    for (const auto& entry : registry.Functions())
        m_rows.push_back(const_cast<CUnitFunction*>(&entry.second));
    Sort();
}

void CFunctionListRows::ClickColumn(int column) {
    if (column < 0)
        return;
    if (column == m_sortColumn)
        m_descending = !m_descending;
    else {
        m_sortColumn = column;
        m_descending = false;
    }
    Sort();
}

void CFunctionListRows::SetSort(int column, bool descending) {
    m_sortColumn = column;
    m_descending = descending;
    Sort();
}

void CFunctionListRows::Sort() {
    // Equal keys keep no particular order.
    const auto sortBy = [this](auto less) {
        if (m_descending)
            std::sort(m_rows.rbegin(), m_rows.rend(), less);
        else
            std::sort(m_rows.begin(), m_rows.end(), less);
    };
    switch (m_sortColumn) {
    case OutlineNumberColumn: {
        const UnitFunctionSet all(m_rows.begin(), m_rows.end());
        SortedVectorFromSet(all, m_rows, m_distinguishPrimaryOutlineNumber);
        if (m_descending)
            std::reverse(m_rows.begin(), m_rows.end());
        break;
    }
    case IndexUsageColumn:
        sortBy([](const CUnitFunction* a, const CUnitFunction* b) {
            return static_cast<quint32>(a->occurrenceCount) < static_cast<quint32>(b->occurrenceCount);
        });
        break;
    case FnUsageColumn:
        sortBy([](const CUnitFunction* a, const CUnitFunction* b) {
            return static_cast<quint32>(a->fnCallerCount) < static_cast<quint32>(b->fnCallerCount);
        });
        break;
    case NameColumn:
        sortBy([](const CUnitFunction* a, const CUnitFunction* b) { return a->name < b->name; });
        break;
    case UniqueLabelColumn:
        sortBy([](const CUnitFunction* a, const CUnitFunction* b) {
            return a->header.uniqueLabel < b->header.uniqueLabel;
        });
        break;
    default:
        sortBy([](const CUnitFunction* a, const CUnitFunction* b) { return a->InternalID < b->InternalID; });
        break;
    }
}

int CFunctionListRows::IndexOf(const CUnitFunction* function) const {
    const auto found = std::find(m_rows.begin(), m_rows.end(), function);
    return found == m_rows.end() ? -1 : static_cast<int>(found - m_rows.begin());
}

bool CFunctionListRows::CanCreate(const QString& name, const CUnitFunctionRegistry& registry,
                                  bool allowDuplicateNames) {
    return !name.isEmpty() && (allowDuplicateNames || !registry.FindByName(name));
}

bool CFunctionListRows::DeleteFunctions(CDocumentData& document, const std::vector<quint32>& internalIds) {
    const int count = static_cast<int>(internalIds.size());
    if (count >= 2 && !platform::AskOkCancel(LoadString(StringId::ConfirmDeleteFunctions).arg(count)))
        return false;
    const ModelOptions options = document.GetModelOptions();
    bool deleted = false;
    for (quint32 id : internalIds) {
        CUnitFunction* function = document.registry.FindByInternalID(id);
        if (!function)
            continue;
        if (count < 2) {
            const QString name = Quoted(ShownText(function->name));
            if (function->occurrenceCount != 0 &&
                !platform::AskOkCancel(LoadString(StringId::FunctionUsedInIndex).arg(name)))
                continue;
            if (function->fnCallerCount > 0 &&
                !platform::AskOkCancel(LoadString(StringId::FunctionUsedByFnStatements).arg(name)))
                continue;
        }
        if (document.registry.DeleteFunction(function, document, options)) {
            ModelShell().SetDocumentModified();
            deleted = true;
        }
    }
    if (deleted)
        document.registry.UpdateAllFunctionViews(document.indexRoot);
    return deleted;
}
