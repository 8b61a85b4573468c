#include "platform/CommandRegistry.h"

#include <stdexcept>
#include <string>

void CCommandRegistry::Add(CommandRow row) {
    if (!row.handler)
        throw std::logic_error("command " + std::to_string(row.id) + " has no handler");
    if (m_rowIndex.count(row.id) || FindRange(row.id))
        throw std::logic_error("command " + std::to_string(row.id) + " is registered twice");
    m_rowIndex[row.id] = m_rows.size();
    m_rows.push_back(std::move(row));
}

void CCommandRegistry::AddRange(int first, int last, CommandHandler handler) {
    if (!handler)
        throw std::logic_error("commands " + std::to_string(first) + " to " + std::to_string(last) +
                               " have no handler");
    for (int id = first; id <= last; ++id) {
        if (m_rowIndex.count(id) || FindRange(id))
            throw std::logic_error("command " + std::to_string(id) + " is registered twice");
    }
    m_ranges.push_back({first, last, std::move(handler)});
}

const CommandRow* CCommandRegistry::Find(int id) const {
    const auto found = m_rowIndex.find(id);
    return found == m_rowIndex.end() ? nullptr : &m_rows[found->second];
}

const CCommandRegistry::Range* CCommandRegistry::FindRange(int id) const {
    for (const Range& range : m_ranges) {
        if (id >= range.first && id <= range.last)
            return &range;
    }
    return nullptr;
}

bool CCommandRegistry::Dispatch(int id) const {
    if (const CommandRow* row = Find(id)) {
        row->handler(id);
        return true;
    }
    if (const Range* range = FindRange(id)) {
        range->handler(id);
        return true;
    }
    return false;
}
