#pragma once

#include "logic/PathCondition.h"
#include "logic/StatementLine.h"

#include <QString>

#include <memory>

class CInspectionView;
class CLogicLine;
class CUnitFunction;
struct InspectionEnvironment;

// A statement of the inspection's syntax tree. A statement is identified by its position: the index of its
// line in the line list the parser read. Every node also keeps the unit function and line index of its line.
class CInspectionParserEntity {
public:
    enum class Kind { Do, Fn, DoNothing, Exitlp, If, Switch, Loop };

    explicit CInspectionParserEntity(Kind kind) : kind(kind) {}

    // Writes the syntax findings of the statement and of what it holds; counter grows by one per finding.
    virtual void CheckSyntax(CInspectionView& pane, quint32& counter) const = 0;
    // False only for Do nothing: a block counts whatever it holds.
    virtual bool IsEffective() const { return true; }
    // A Do or an Fn statement here or anywhere inside.
    virtual bool HoldsDoOrFn() const = 0;
    // The text of one of the statement's lines, as findings show it; part as in StatementLine.
    virtual QString LineText(qint32 part) const = 0;

    const Kind kind;
    const InspectionEnvironment* environment = nullptr;

    // "<member>joining{state}closing", how member-state statements show without their keyword.
    static QString MemberStateText(const QString& member, const QString& joining, const QString& state,
                                   const QString& closing);

protected:
    // Released with the arena, never through this type.
    ~CInspectionParserEntity() = default;

    // Writes one syntax finding on a line: the statement text followed by the message in brackets.
    static void WriteSyntaxFinding(CInspectionView& pane, quint32& counter, const InspectionEnvironment& environment,
                                   const CUnitFunction* function, qint32 lineIndex, const QString& text,
                                   const QString& message);
    static QString MissingNameMessage();
    static QString NoEffectiveStatementMessage(const InspectionEnvironment& environment);
    static QString EmptyBodyMessage();
};

// The member and state slots of a Do or if line, read from the logic line itself: copying them into every node
// cost more than the rest of the tree's work on large documents.
struct MemberStateSlots {
    const CLogicLine* line = nullptr;

    const QString& MemberName() const;
    const QString& JoiningText() const;
    const QString& StateName() const;
    const QString& ClosingText() const;
    // The four slots as MemberStateText shows them.
    QString SlotsText() const;
};

// Statements lie in their syntax tree's arena and go with it.
using InspectionParserNode = CInspectionParserEntity*;
