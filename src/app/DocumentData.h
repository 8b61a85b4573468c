#pragma once

#include "model/AbstractIndexItem.h"
#include "model/UnitFunctionRegistry.h"

#include <QString>

#include <set>

// All content and settings of the one document a process has open. Plain record; it owns everything in it.
class CDocumentData {
public:
    CDocumentData();
    ~CDocumentData();
    CDocumentData(const CDocumentData&) = delete;
    CDocumentData& operator=(const CDocumentData&) = delete;

    CUnitFunctionRegistry registry;
    CAbstractIndexItem indexRoot;
    // Labels of deleted unit functions, never handed out again; not stored in the document file.
    std::set<QString> deletedUniqueLabels;
};
