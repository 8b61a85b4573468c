#pragma once

#include "logic/PathCondition.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

class CInspectionView;
class CUnitFunction;
class CInspectionParserSequence;
struct InspectionEnvironment;

// A statement of the inspection's syntax tree. A statement is identified by its position: the index of its
// line in the line list the parser read. Every node also keeps the unit function and line index of its line.
class CInspectionParserEntity {
public:
    enum class Kind { Do, Fn, DoNothing, Exitlp, If, Switch, Loop };

    explicit CInspectionParserEntity(Kind kind) : kind(kind) {}
    virtual ~CInspectionParserEntity() = default;

    // Writes the syntax findings of the statement and of what it holds; counter grows by one per finding.
    virtual void CheckSyntax(CInspectionView& pane, quint32& counter) const = 0;
    // False only for Do nothing: a block counts whatever it holds.
    virtual bool IsEffective() const { return true; }
    // A Do or an Fn statement here or anywhere inside.
    virtual bool HoldsDoOrFn() const = 0;

    const Kind kind;
};

using InspectionParserNode = std::shared_ptr<CInspectionParserEntity>;

// One line of the syntax tree's source: a logic line of a unit function.
class CInspectionParserSingleLine : public CInspectionParserEntity {
public:
    using CInspectionParserEntity::CInspectionParserEntity;

    void CheckSyntax(CInspectionView&, quint32&) const override {}
    bool HoldsDoOrFn() const override { return false; }

    qint32 position = 0;
    const CUnitFunction* function = nullptr;
    qint32 lineIndex = 0;
    QString text; // the statement as the inspection writes it
};

class CInspectionParserDo : public CInspectionParserSingleLine {
public:
    CInspectionParserDo() : CInspectionParserSingleLine(Kind::Do) {}
    void CheckSyntax(CInspectionView& pane, quint32& counter) const override;
    bool HoldsDoOrFn() const override { return true; }

    QString memberName;
    QString joiningText;
    QString stateName;
    QString closingText;
    QString shortText;                   // the Do without its keyword, as the condition list shows it
    std::optional<PathCondition> record; // the action, when member and state resolve
    const InspectionEnvironment* environment = nullptr;
};

class CInspectionParserFn : public CInspectionParserSingleLine {
public:
    CInspectionParserFn() : CInspectionParserSingleLine(Kind::Fn) {}
    bool HoldsDoOrFn() const override { return true; }

    quint32 calledID = 0;
    const CUnitFunction* calledFunction = nullptr; // null when no unit function has the ID
};

class CInspectionParserDoNothing : public CInspectionParserSingleLine {
public:
    CInspectionParserDoNothing() : CInspectionParserSingleLine(Kind::DoNothing) {}
    bool IsEffective() const override { return false; }
};

class CInspectionParserExitlp : public CInspectionParserSingleLine {
public:
    CInspectionParserExitlp() : CInspectionParserSingleLine(Kind::Exitlp) {}
};

// A run of statements: the whole description or one body of a block.
class CInspectionParserSequence {
public:
    // No statement at all (comments and plain lines leave none).
    bool IsEmpty() const { return nodes.empty(); }
    // Some statement other than Do nothing at the first level.
    bool HasEffective() const;
    bool HoldsDoOrFn() const;
    void CheckSyntax(CInspectionView& pane, quint32& counter) const;

    std::vector<InspectionParserNode> nodes;
    qint32 start = 0;
};

using InspectionParserSequencePtr = std::shared_ptr<CInspectionParserSequence>;

class CInspectionParserIf : public CInspectionParserEntity {
public:
    CInspectionParserIf() : CInspectionParserEntity(Kind::If) {}
    void CheckSyntax(CInspectionView& pane, quint32& counter) const override;
    bool HoldsDoOrFn() const override { return thenBody->HoldsDoOrFn() || elseBody->HoldsDoOrFn(); }
    bool HasEffectiveStatement() const { return thenBody->HasEffective() || elseBody->HasEffective(); }

    QString memberName;
    QString stateName;
    InspectionParserSequencePtr thenBody;
    InspectionParserSequencePtr elseBody;
    QString joiningText;
    QString closingText;
    qint32 ifPosition = 0;
    qint32 elsePosition = 0;
    const CUnitFunction* function = nullptr;
    qint32 ifLineIndex = 0;
    qint32 elseLineIndex = 0;
    QString ifText;
    QString elseText;
    std::optional<PathCondition> thenRecord;
    std::optional<PathCondition> elseRecord; // negated, on the else line
    QString thenConditionText;               // as the condition list shows the two conditions
    QString elseConditionText;
    const InspectionEnvironment* environment = nullptr;
};

struct InspectionSwitchCase {
    QString stateName;
    qint32 position = 0;
    const CUnitFunction* function = nullptr;
    qint32 lineIndex = 0;
    InspectionParserSequencePtr body;
    QString joiningText;
    QString text;
    std::optional<PathCondition> record;
    QString conditionText;        // the case condition as the condition list shows it
    QString negatedConditionText; // the same for the elsw branch
};

class CInspectionParserSwitch : public CInspectionParserEntity {
public:
    CInspectionParserSwitch() : CInspectionParserEntity(Kind::Switch) {}
    void CheckSyntax(CInspectionView& pane, quint32& counter) const override;
    bool HoldsDoOrFn() const override;
    bool HasEffectiveStatement() const;

    QString memberName;
    std::vector<InspectionSwitchCase> cases;
    InspectionParserSequencePtr elswBody;
    QString joiningText;
    qint32 switchPosition = 0;
    qint32 elswPosition = 0;
    const CUnitFunction* function = nullptr;
    qint32 switchLineIndex = 0;
    qint32 elswLineIndex = 0;
    QString switchText;
    QString elswText;
    std::vector<PathCondition> elswRecords; // negated case conditions, each state once, on the elsw line
    const InspectionEnvironment* environment = nullptr;
};

class CInspectionParserLoop : public CInspectionParserEntity {
public:
    CInspectionParserLoop() : CInspectionParserEntity(Kind::Loop) {}
    void CheckSyntax(CInspectionView& pane, quint32& counter) const override;
    bool HoldsDoOrFn() const override { return body->HoldsDoOrFn(); }
    bool HasEffectiveStatement() const { return body->HasEffective(); }

    InspectionParserSequencePtr body;
    qint32 position = 0;
    const CUnitFunction* function = nullptr;
    qint32 lineIndex = 0;
    QString text;
    const InspectionEnvironment* environment = nullptr;
};
