#pragma once

#include "model/FontSetting.h"
#include "model/RequirementGraph.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <memory>
#include <set>

// Man-hours of one work item of a unit function.
struct WorkItem {
    float Current = 0.0f;
    float Under = 0.0f;
    float Total = 0.0f;
    float ShowCurrent = 0.0f;

    bool operator==(const WorkItem&) const = default;
};

// The header part of a unit function: content, work amounts, requirements, label, reason, pane sizes.
class CUnitFunctionHeader {
public:
    static constexpr int MaxTypeLength = 20;
    static constexpr int MaxSignLength = 31;
    static constexpr int WorkItemCount = 16;

    QString contentText;
    quint16 contentLineNum = 0;
    FontSetting contentFont;
    QByteArray objectData; // embedded objects of the content; empty when there are none
    quint64 objectOriginalSize = 0;
    quint8 modifiedWhenZoom = 0;

    quint8 Unit = 1; // 0 hours, 1 days, 2 months, 3 years
    quint8 TypeNo = 0;
    QString Type; // function attribute text
    QString Sign;
    float Child = 0.0f; // sum of the children's totals
    float Work = 0.0f;  // own work
    float Total = 0.0f; // Child + Work
    float ShowWork = 0.0f;
    std::array<WorkItem, WorkItemCount> workItems{};

    std::set<QString> ownRequirements;
    // Own plus inherited ones as the last rebuild derived them; empty before the first.
    std::set<QString> EffectiveRequirements() const {
        return requirementGraph ? requirementGraph->Collect(effectiveRequirementsNode) : std::set<QString>{};
    }
    std::shared_ptr<const RequirementGraph> requirementGraph;
    int effectiveRequirementsNode = RequirementGraph::None;

    QString uniqueLabel;
    QString Reasoning;
    quint8 UnNecessaryReasoning = 0;

    qint32 FunctionHeight = 72;
    qint32 InputWidth = 250;
    qint32 FunctionWidth = 350;
    qint32 OutputWidth = 250;
};
