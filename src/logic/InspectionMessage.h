#pragma once

#include "logic/PathItem.h"

#include <QString>

class CInspectionView;
struct InspectionTargetLine;
struct InspectionEnvironment;

// One finding of the path checks; writes itself to the result pane as a block of lines.
class CInspectionMessage {
public:
    virtual ~CInspectionMessage() = default;
    virtual bool IsRedundancy() const = 0;
    virtual bool IsInconsistency() const = 0;
    virtual bool IsSemanticRelation() const = 0;
    virtual void Write(CInspectionView& pane, const InspectionEnvironment& environment) const = 0;

    // "── text ──"
    static QString Header(const QString& text);

protected:
    static void WriteTarget(CInspectionView& pane, const InspectionEnvironment& environment,
                            const FindingTarget& target);
};

// "[outline Line n] text" with a jump to the line, or "[] text" without a unit function.
// The place and text of that line, as a finding kept as one record shows it.
InspectionTargetLine MakeTargetLine(const InspectionEnvironment& environment, const FindingTarget& target);
InspectionTargetLine MakeTargetLine(const InspectionEnvironment& environment, const CUnitFunction* unitFunction,
                                    qint32 lineIndex, QString text);
void WriteTargetLine(CInspectionView& pane, const InspectionEnvironment& environment, const CUnitFunction* unitFunction,
                     qint32 lineIndex, const QString& text);
