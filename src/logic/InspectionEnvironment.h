#pragma once

#include "logic/InspectionProgress.h"
#include "logic/LogicKeywords.h"
#include "model/InconsistencyRule.h"
#include "model/IntraMemberConsistencyRule.h"

#include <QString>

#include <vector>

class CDocumentData;
class CUnitFunction;
class CUnitFunctionRegistry;
class CQuantifierSettings;

// What one inspection reads of the document: keywords, unit functions, quantifiers and the two rule lists, and
// the run it belongs to. The pointers are not owned and must outlive the run.
struct InspectionEnvironment {
    LogicKeywords keywords;
    const CUnitFunctionRegistry* registry = nullptr;
    const CQuantifierSettings* quantifiers = nullptr; // null: member names carry no quantifier
    std::vector<const CInconsistencyRule*> semanticRelations;
    std::vector<const CIntraMemberConsistencyRule*> intraMemberRules;
    bool distinguishPrimaryOutlineNumber = false;
    // The whole-document run: where progress goes and where an abort is polled. Null outside such a run: then
    // nothing is reported and nothing aborts.
    CInspectionProgress* run = nullptr;

    // The keyword of a syntax number; empty outside 0..14.
    QString GetSymbol(int syntax) const;
    QString OutlineNumberText(const CUnitFunction& function) const;
    const CUnitFunction* FindFunction(quint32 internalId) const;

    void MajorProgress(unsigned phase, const QString& text) const {
        if (run)
            run->MajorProgress(phase, text);
    }
    void MinorProgress(unsigned current, unsigned total) const {
        if (run)
            run->MinorProgress(current, total);
    }
    void PollAbort() const {
        if (run)
            run->PollAbort();
    }
};

// The keyword texts of the document's syntax-symbol table.
LogicKeywords GetLogicKeywords(const CDocumentData& document);

// What an inspection of the document reads; valid while the document is neither changed nor cleared.
InspectionEnvironment MakeInspectionEnvironment(const CDocumentData& document);
