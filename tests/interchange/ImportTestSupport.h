#pragma once

#include "interchange/ImportProgress.h"
#include "model/DocumentData.h"
#include "model/UnitFunction.h"

#include <QStringList>

#include <new>
#include <vector>

// Records the range and every position; asks to stop once `stopAt` items are done, runs out of memory at
// `outOfMemoryAt`.
class RecordingProgress : public CImportProgress {
public:
    void SetRange(int total) override { range = total; }
    void SetPos(int position) override {
        if (position == outOfMemoryAt)
            throw std::bad_alloc();
        positions.push_back(position);
    }
    bool IsCancelled() const override { return stopAt > 0 && !positions.empty() && positions.back() >= stopAt; }
    void ShowFinished() override { ++finished; }

    int range = -1;
    std::vector<int> positions;
    int stopAt = 0;
    int outOfMemoryAt = -1;
    int finished = 0;
};

// A document as File > New makes it: the defaults and the origin.
struct NewDocument {
    NewDocument() { data.SetDefaults(); }
    CDocumentData data;
};

inline QStringList ChildNames(const CUnitFunction& function) {
    QStringList names;
    for (const CUnitFunction* child : function.children)
        names << child->name;
    return names;
}
