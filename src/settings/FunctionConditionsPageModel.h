#pragma once

class CDocumentData;

// What the unit-function conditions page edits: the omit-reason tick of new unit functions and the ways the
// original requirement items are inherited along the table of contents.
class CFunctionConditionsPageModel {
public:
    explicit CFunctionConditionsPageModel(const CDocumentData& document);

    // Stores what differs from the document; true when something was stored. A changed inheritance rebuilds the
    // registry, whose effective requirement items follow it, and refreshes the views.
    bool Apply(CDocumentData& document) const;

    bool unNecessaryReasoningDefault;
    bool inheritRequirementsDown;
    bool inheritRequirementsUp;
};
