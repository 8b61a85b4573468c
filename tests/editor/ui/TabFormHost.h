#pragma once

#include "editor/FunctionFormHost.h"

#include <QStringList>

// Records what the tab's forms report.
class CRecordingFormHost : public CFunctionFormHost {
public:
    void FunctionRenamed(CUnitFunction&) override { reports << QStringLiteral("renamed"); }
    void FunctionHeaderChanged(CUnitFunction&) override { reports << QStringLiteral("header"); }
    void RebuildDocument() override { reports << QStringLiteral("rebuild"); }
    void MoveFunctionTo(CUnitFunction&, const QString& outlineNumber) override {
        reports << QStringLiteral("move ") + outlineNumber;
    }
    void OpenLink(const QString& link) override { links << link; }

    const OutlineNumber* ChosenOutlineNumber() const override { return chosen.empty() ? nullptr : &chosen; }

    OutlineNumber chosen;
    QStringList reports;
    QStringList links;
};
