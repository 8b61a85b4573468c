#pragma once

#include "generators/GeneratorCondition.h"
#include "generators/TableMakerError.h"
#include "model/FileUtilities.h"

#include <QString>

#include <vector>

class CDocumentData;
class CUnitFunction;

// One test item: the conditions met on the way (the scenario) and the action expected there.
struct TestSpecificationItem {
    struct Step {
        QString member;
        GeneratorCondition condition;
    };
    std::vector<Step> steps;
    QString actionMember;
    GeneratorCondition expected;
    const CUnitFunction* function = nullptr; // whose lines hold the action
};

// Every way through the logic descriptions from the origin that ends in an action, in walking order. Throws
// CTableMakerError when the Fn statements form a cycle.
std::vector<TestSpecificationItem> EnumerateTestItems(const CDocumentData& data);

// The header row and one row per item.
CsvTable BuildTestSpecificationRows(const std::vector<TestSpecificationItem>& items, const CDocumentData& data);

// Writes the draft of the whole document to the file name with ".csv" added and reports it; true when written.
// Throws CTableMakerError before anything is written.
bool GenerateTestSpecificationDraft(const CDocumentData& data, const QString& fileName);

// The dialog's OK: checks the name (asking before a file is replaced) and stores it; true when stored.
bool StoreTestSpecificationFileName(CDocumentData& data, const QString& fileName);
// The command once the dialog has closed with OK: writes the draft to the stored name. A cycle of Fn statements is
// said in a message. True when written.
bool WriteTestSpecificationDraft(const CDocumentData& data);
// Both in turn. `stored` tells whether the document changed.
bool AcceptTestSpecificationDialog(CDocumentData& data, const QString& fileName, bool& stored);
