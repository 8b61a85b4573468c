#pragma once

#include "model/UnitFunction.h"

#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

// The unit functions of a registry by InternalID. The IDs the program draws, which nearly every unit function
// has, index a table of slots directly; the few larger ones (from files written elsewhere) follow in a list
// kept sorted, to which ascending IDs are appended without a search. Loops run in ascending InternalID order
// and see each entry as (id, unit function), as a map's would; an entry stays where it is until it is erased.
class CUnitFunctionTable {
public:
    using value_type = std::pair<const quint32, CUnitFunction>;
    static constexpr quint32 SlotCount = 32768;

    template <bool Const> class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = CUnitFunctionTable::value_type;
        using difference_type = std::ptrdiff_t;
        using reference = std::conditional_t<Const, const value_type&, value_type&>;
        using pointer = std::conditional_t<Const, const value_type*, value_type*>;

        Iterator() = default;
        Iterator(const CUnitFunctionTable* table, std::size_t position) : m_table(table), m_position(position) {}
        // A mutable iterator converts to a constant one.
        template <bool OtherConst, typename = std::enable_if_t<Const && !OtherConst>>
        Iterator(const Iterator<OtherConst>& other) : m_table(other.m_table), m_position(other.m_position) {}

        reference operator*() const { return *m_table->EntryAt(m_position); }
        pointer operator->() const { return m_table->EntryAt(m_position); }
        Iterator& operator++() {
            m_position = m_table->NextPosition(m_position);
            return *this;
        }
        Iterator operator++(int) {
            Iterator before = *this;
            ++*this;
            return before;
        }
        friend bool operator==(const Iterator& a, const Iterator& b) { return a.m_position == b.m_position; }

    private:
        friend class Iterator<!Const>;
        const CUnitFunctionTable* m_table = nullptr;
        // A slot below SlotCount, else SlotCount plus the place in the list of larger IDs.
        std::size_t m_position = 0;
    };
    using iterator = Iterator<false>;
    using const_iterator = Iterator<true>;

    CUnitFunctionTable() = default;
    CUnitFunctionTable(const CUnitFunctionTable&) = delete;
    CUnitFunctionTable& operator=(const CUnitFunctionTable&) = delete;
    CUnitFunctionTable(CUnitFunctionTable&& other) noexcept;
    CUnitFunctionTable& operator=(CUnitFunctionTable&& other) noexcept;
    ~CUnitFunctionTable() = default;

    iterator begin() { return {this, FirstPosition()}; }
    iterator end() { return {this, EndPosition()}; }
    const_iterator begin() const { return {this, FirstPosition()}; }
    const_iterator end() const { return {this, EndPosition()}; }
    std::size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    // How many entries have an ID below SlotCount.
    std::size_t SlotsInUse() const { return m_slotsInUse; }

    CUnitFunction* Find(quint32 id) const;
    bool Contains(quint32 id) const { return Find(id) != nullptr; }
    // The entry under the id, created with that InternalID when there was none; true when it was created.
    std::pair<CUnitFunction*, bool> Insert(quint32 id);
    // Stores an entry made elsewhere under its key; null, with nothing stored, when the key is taken.
    CUnitFunction* Adopt(std::unique_ptr<value_type> entry);
    void Erase(quint32 id);
    void Clear();

private:
    using Entry = std::unique_ptr<value_type>;

    value_type* EntryAt(std::size_t position) const {
        return position < SlotCount ? m_slots[position].get() : m_larger[position - SlotCount].get();
    }
    std::size_t FirstPosition() const { return m_slotsInUse ? NextSlot(0) : SlotCount; }
    std::size_t EndPosition() const { return SlotCount + m_larger.size(); }
    std::size_t NextPosition(std::size_t position) const {
        return position < SlotCount ? NextSlot(position + 1) : position + 1;
    }
    // The place for the id, made empty, and true; or the entry stored there and false.
    std::pair<Entry*, bool> PlaceFor(quint32 id);
    // The first slot in use from `from` on, SlotCount when none is.
    std::size_t NextSlot(std::size_t from) const;
    void MarkSlot(quint32 id, bool used);

    // Both empty until the first entry with an ID below SlotCount.
    std::vector<Entry> m_slots;
    std::vector<std::uint64_t> m_usedSlots;
    // Sorted by InternalID.
    std::vector<Entry> m_larger;
    std::size_t m_count = 0;
    std::size_t m_slotsInUse = 0;
};
