#pragma once

#include "logic/PathItem.h"

#include <QString>

class CInspectionView;
struct InspectionEnvironment;

// One finding of the path checks; writes itself to the result pane as a block of lines.
class CInspectionMessage {
public:
    virtual ~CInspectionMessage() = default;
    virtual bool IsRedundancy() const = 0;
    virtual bool IsInconsistency() const = 0;
    virtual bool IsSemanticRelation() const = 0;
    virtual int GetKind() const = 0;
    virtual void Write(CInspectionView& pane, const InspectionEnvironment& environment) const = 0;

protected:
    static void WriteTarget(CInspectionView& pane, const InspectionEnvironment& environment,
                            const FindingTarget& target);
    // "── text ──"
    static QString Header(const QString& text);
};

// "[outline Line n] text" with a jump to the line, or "[] text" without a unit function.
void WriteTargetLine(CInspectionView& pane, const InspectionEnvironment& environment, const CUnitFunction* unitFunction,
                     qint32 lineIndex, const QString& text);
