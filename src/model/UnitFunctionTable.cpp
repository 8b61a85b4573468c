#include "model/UnitFunctionTable.h"

#include <algorithm>
#include <bit>

namespace {

constexpr std::size_t WordBits = 64;

bool ById(const std::unique_ptr<CUnitFunctionTable::value_type>& entry, quint32 id) {
    return entry->first < id;
}

} // namespace

CUnitFunctionTable::CUnitFunctionTable(CUnitFunctionTable&& other) noexcept
    : m_slots(std::move(other.m_slots)), m_usedSlots(std::move(other.m_usedSlots)), m_larger(std::move(other.m_larger)),
      m_count(std::exchange(other.m_count, 0)), m_slotsInUse(std::exchange(other.m_slotsInUse, 0)) {
    other.Clear();
}

CUnitFunctionTable& CUnitFunctionTable::operator=(CUnitFunctionTable&& other) noexcept {
    if (this != &other) {
        m_slots = std::move(other.m_slots);
        m_usedSlots = std::move(other.m_usedSlots);
        m_larger = std::move(other.m_larger);
        m_count = std::exchange(other.m_count, 0);
        m_slotsInUse = std::exchange(other.m_slotsInUse, 0);
        other.Clear();
    }
    return *this;
}

CUnitFunction* CUnitFunctionTable::Find(quint32 id) const {
    if (id < SlotCount) {
        const value_type* entry = m_slotsInUse ? m_slots[id].get() : nullptr;
        return entry ? const_cast<CUnitFunction*>(&entry->second) : nullptr;
    }
    const auto found = std::lower_bound(m_larger.begin(), m_larger.end(), id, ById);
    return found != m_larger.end() && (*found)->first == id ? &(*found)->second : nullptr;
}

std::pair<CUnitFunctionTable::Entry*, bool> CUnitFunctionTable::PlaceFor(quint32 id) {
    if (id < SlotCount) {
        // The marks first: slots without them are never read, marks without slots are made again.
        if (m_slots.empty()) {
            m_usedSlots.assign(SlotCount / WordBits, 0);
            m_slots.resize(SlotCount);
        }
        Entry* place = &m_slots[id];
        if (*place)
            return {place, false};
        MarkSlot(id, true);
        ++m_slotsInUse;
        return {place, true};
    }
    if (m_larger.empty() || m_larger.back()->first < id)
        return {&m_larger.emplace_back(), true};
    const auto found = std::lower_bound(m_larger.begin(), m_larger.end(), id, ById);
    if ((*found)->first == id)
        return {&*found, false};
    return {&*m_larger.emplace(found), true};
}

std::pair<CUnitFunction*, bool> CUnitFunctionTable::Insert(quint32 id) {
    if (CUnitFunction* found = Find(id))
        return {found, false};
    // Made before it takes a place: running out of memory leaves no place taken without its entry.
    auto entry = std::make_unique<value_type>(std::piecewise_construct, std::forward_as_tuple(id), std::tuple<>());
    entry->second.InternalID = id;
    return {Adopt(std::move(entry)), true};
}

CUnitFunction* CUnitFunctionTable::Adopt(std::unique_ptr<value_type> entry) {
    const auto [place, made] = PlaceFor(entry->first);
    if (!made)
        return nullptr;
    *place = std::move(entry);
    ++m_count;
    return &(*place)->second;
}

void CUnitFunctionTable::Erase(quint32 id) {
    if (id < SlotCount) {
        if (!m_slotsInUse || !m_slots[id])
            return;
        m_slots[id].reset();
        MarkSlot(id, false);
        --m_slotsInUse;
    } else {
        const auto found = std::lower_bound(m_larger.begin(), m_larger.end(), id, ById);
        if (found == m_larger.end() || (*found)->first != id)
            return;
        m_larger.erase(found);
    }
    --m_count;
}

void CUnitFunctionTable::Clear() {
    m_slots.clear();
    m_usedSlots.clear();
    m_larger.clear();
    m_count = 0;
    m_slotsInUse = 0;
}

std::size_t CUnitFunctionTable::NextSlot(std::size_t from) const {
    std::size_t word = from / WordBits;
    if (word >= m_usedSlots.size())
        return SlotCount;
    // The bits below `from` in its word are masked off; then whole words are skipped.
    std::uint64_t bits = m_usedSlots[word] & (~std::uint64_t{0} << (from % WordBits));
    while (!bits) {
        if (++word == m_usedSlots.size())
            return SlotCount;
        bits = m_usedSlots[word];
    }
    return word * WordBits + static_cast<std::size_t>(std::countr_zero(bits));
}

void CUnitFunctionTable::MarkSlot(quint32 id, bool used) {
    const std::uint64_t bit = std::uint64_t{1} << (id % WordBits);
    if (used)
        m_usedSlots[id / WordBits] |= bit;
    else
        m_usedSlots[id / WordBits] &= ~bit;
}
