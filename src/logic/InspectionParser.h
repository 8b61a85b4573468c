#pragma once

#include "logic/InspectionParserDo.h"
#include "logic/InspectionParserDoNothing.h"
#include "logic/InspectionParserExitlp.h"
#include "logic/InspectionParserFn.h"
#include "logic/InspectionParserIf.h"
#include "logic/InspectionParserLoop.h"
#include "logic/InspectionParserSwitch.h"

#include "model/LogicLine.h"
#include "model/LogicNesting.h"

#include <QHash>

#include <memory>
#include <memory_resource>
#include <type_traits>
#include <vector>

class CLogicLine;

// One entry of the parser's line list. The line collectors copy the kind, and for an Fn line the unit
// function called, because the logic lines of a large document lie far apart in memory; the parser reads
// the kind of a line where nobody copied it.
struct InspectionParserLine {
    static constexpr quint8 KindNotRead = 0xFF;

    const CLogicLine* line = nullptr;
    const CUnitFunction* function = nullptr;
    qint32 lineIndex = 0;
    quint8 kind = KindNotRead;
    const CUnitFunction* calledFunction = nullptr; // when already looked up
};

// The logic lines of a large document lie all over memory, and the inspection reads them one after the other:
// a reader asks for the parts of a line it reads, the kind and the member and state slots, some way ahead.
inline void PrefetchLogicLine(const CLogicLine* line) {
    __builtin_prefetch(&line->lineKind);
    __builtin_prefetch(&line->textSlots[0].text);
    __builtin_prefetch(&line->textSlots[2].text);
}

// Builds the syntax tree of a line list. The editor keeps block structure intact, but a document edited
// elsewhere may not: a line that cannot stand where it is (a closing line without its block, a line of no
// kind, a block cut off by the end) is noted in strayPositions and parsing goes on after it. Blocks nested deeper
// than kMaxLogicNesting end the parse with CLogicNestingTooDeep.
class CInspectionParser {
public:
    CInspectionParser(std::vector<InspectionParserLine> lines, const InspectionEnvironment& environment,
                      bool reportProgress = false);

    InspectionParserSequencePtr Parse();

    // A tree for the syntax check alone needs no path records or list texts.
    void SetMakeRecords(bool makeRecords) { m_makeRecords = makeRecords; }

    // Positions of lines that ended the top level early, in line order.
    const std::vector<qint32>& StrayPositions() const { return m_strayPositions; }
    const std::vector<InspectionParserLine>& Lines() const { return m_lines; }

private:
    struct Parsed {
        InspectionParserNode node = nullptr; // null for lines that make no statement
        int consumed = 0;
        bool success = false;
    };

    // What the top sequence that Parse returns keeps alive. The nodes lie in the arena and go with it, never
    // one by one: they hold nothing that the arena does not release.
    struct Tree {
        Tree();
        std::pmr::monotonic_buffer_resource arena;
        std::vector<QString> unquantifiedNames; // member names that records view
    };

    template <class Node, class... Args> Node* NewNode(Args&&... args) {
        Node* node = std::pmr::polymorphic_allocator<>(&m_tree->arena).new_object<Node>(std::forward<Args>(args)...);
        if constexpr (std::is_base_of_v<CInspectionParserEntity, Node>)
            node->environment = &m_environment;
        return node;
    }
    CInspectionParserSequence* ParseSequence(int start, int& consumed);
    Parsed ParseStatement(int p);
    Parsed ParseIf(int p);
    Parsed ParseSwitch(int p);
    Parsed ParseLoop(int p);
    int KindAt(int p) const;
    // Asks for the lines ahead and, when records are made, for their member and state texts.
    void PrefetchAhead(int p) const;
    static constexpr int kLinesAhead = 16;

    // The member of a record: its name without the quantifier symbol, numbered when the first record has it.
    struct RecordMember {
        qint32 quantifier = QuantifierNone;
        QStringView name;
        qint32 id = -1;
    };
    std::optional<RecordMember> ParseRecordMember(const QString& member);
    std::optional<PathCondition> MakeRecord(std::optional<RecordMember>& member, const QString& state, int position,
                                            quint8 isCondition, StatementLine line);

    // A member name or state text with its hash: probing compares the hashes and reads the texts, which lie all
    // over the document, only when they match.
    struct MemberKey {
        QStringView name;
        size_t hash = 0;
        friend bool operator==(const MemberKey& a, const MemberKey& b) { return a.hash == b.hash && a.name == b.name; }
        friend size_t qHash(const MemberKey& key, size_t seed) { return key.hash ^ seed; }
    };
    // The number of the text in `numbers`, the next free one when the text is new.
    static qint32 NumberOf(QHash<MemberKey, qint32>& numbers, QStringView text);

    std::vector<InspectionParserLine> m_lines;
    const InspectionEnvironment& m_environment;
    bool m_reportProgress;
    bool m_makeRecords = true;
    CLogicNestingDepth m_depth;
    std::vector<qint32> m_strayPositions;
    std::shared_ptr<Tree> m_tree;
    std::vector<InspectionParserNode> m_pendingNodes;
    QHash<MemberKey, qint32> m_memberIds;
    QHash<MemberKey, qint32> m_stateTextIds;
};
