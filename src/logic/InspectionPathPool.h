#pragma once

#include "logic/InspectionPath.h"
#include "platform/LargeBlocks.h"

#include <memory>
#include <new>
#include <utility>
#include <vector>

// What the paths of one run point into: the syntax tree with its records, the nodes of the chains and the
// conclusions. Everything is laid out in large blocks and released at once with the pool, instead of one
// allocation and one release per record; a large document makes several hundred thousand of them.
class CInspectionPathPool {
public:
    explicit CInspectionPathPool(std::shared_ptr<const void> tree) : m_tree(std::move(tree)) {}
    CInspectionPathPool(const CInspectionPathPool&) = delete;
    CInspectionPathPool& operator=(const CInspectionPathPool&) = delete;

    // Appends a record to a chain; sameMemberBefore is the caller's to fill.
    PathConditionNode* AppendPathCondition(const PathConditionNode* chain, const PathCondition& record,
                                           quint8 pairable);
    CInspectionPathConclusion* NewConclusion(CInspectionPathConclusion::Kind kind) {
        return m_conclusions.Emplace(kind);
    }
    const EnclosingLink* AppendEnclosing(const EnclosingLink* chain, const void* item) {
        const quint32 number = m_linkCount++;
        return m_links.Emplace(
            EnclosingLink{item, chain, chain ? chain->outermost : item, chain ? chain->depth + 1 : 1, number, number});
    }
    // The walk leaves the item of the link: the links entered since lie inside it.
    const EnclosingLink* CloseEnclosing(const EnclosingLink* link) {
        link->last = m_linkCount - 1;
        return link->parent;
    }

private:
    template <class T> class Blocks {
    public:
        Blocks() = default;
        Blocks(const Blocks&) = delete;
        Blocks& operator=(const Blocks&) = delete;
        ~Blocks() {
            for (size_t b = 0; b < m_blocks.size(); ++b) {
                const size_t used = b + 1 == m_blocks.size() ? m_used : BlockSize(b);
                for (size_t i = 0; i < used; ++i)
                    m_blocks[b][i].~T();
                platform::LargeBlocks::Shared().deallocate(m_blocks[b], BlockSize(b) * sizeof(T), alignof(T));
            }
        }
        template <class... Args> T* Emplace(Args&&... args) {
            if (m_used == m_capacity) {
                m_capacity = BlockSize(m_blocks.size());
                m_blocks.reserve(m_blocks.size() + 1);
                m_blocks.push_back(
                    static_cast<T*>(platform::LargeBlocks::Shared().allocate(m_capacity * sizeof(T), alignof(T))));
                m_used = 0;
            }
            T* item = new (m_blocks.back() + m_used) T(std::forward<Args>(args)...);
            ++m_used;
            return item;
        }

    private:
        // Each block twice the one before, so that a run makes few requests.
        static size_t BlockSize(size_t block) { return kFirstBlock << block; }

        static constexpr size_t kFirstBlock = platform::LargeBlocks::kGranule / sizeof(T);
        std::vector<T*> m_blocks;
        size_t m_used = 0;
        size_t m_capacity = 0;
    };

    std::shared_ptr<const void> m_tree;
    Blocks<PathConditionNode> m_nodes;
    Blocks<CInspectionPathConclusion> m_conclusions;
    Blocks<EnclosingLink> m_links;
    quint32 m_linkCount = 0;
};
