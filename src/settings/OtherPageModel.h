#pragma once

class CDocumentData;
struct CMessageContext;

// What the page "その他" edits: duplicate unit-function names, telling the reuse source from its other places,
// the outline number in tab titles, and one content height for every tab.
class COtherPageModel {
public:
    explicit COtherPageModel(const CDocumentData& document);

    // Stores what differs from the document; true when something was stored. Allowing duplicate names while
    // reuse sources are not told apart asks whether to tell them apart as well. A change of the outline
    // numbering rebuilds the registry and the table of contents; a change of what the views show refreshes them.
    bool Apply(CDocumentData& document, const CMessageContext& context);

    bool enableDuplicateFunctionName;
    bool distinguishPrimaryOutlineNumber;
    bool showOutlineNumberInTabTitle;
    bool synchronizeHorizontalSplitter; // every tab takes the content height last set in one of them
};
