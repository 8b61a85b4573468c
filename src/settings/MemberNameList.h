#pragma once

#include "model/MemberDefinition.h"
#include "settings/VocabularyListCheck.h"

class CDocumentData;

// What the member and state names dialog edits: a copy of the document's registered members with their
// explanations and states, stored back on OK.
class CMemberNameList {
public:
    explicit CMemberNameList(const MemberDefinitionList& members) : members(members) {}

    // OK: the member names are checked first, then the state names of each member, in list order; an empty
    // name, a name given twice or a name with a bracket is offered for deletion (a deleted member takes its
    // states with it). What passes replaces the document's members when it differs. The words name a member
    // and a state in the questions.
    VocabularyStore Store(CDocumentData& data, const QString& memberWord, const QString& stateWord);

    MemberDefinitionList members;
};
