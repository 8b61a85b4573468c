#pragma once

class CDocumentData;

// What the synchronisation page edits: how the table of contents and the Fn statements follow each other, and
// whether one unit function may stand twice among the children of one parent.
class CSynchronizationSettingsPageModel {
public:
    explicit CSynchronizationSettingsPageModel(const CDocumentData& document);

    // Stores what differs from the document; true when something was stored. Switching to "always synchronise"
    // removes the empty Fn statements and offers to bring the two sides into agreement; where the synchroniser
    // keeps children single (mode 1 without duplicate siblings) it offers to remove the duplicate children. After
    // a conversion the registry and the table of contents are rebuilt and the views refreshed.
    bool Apply(CDocumentData& document) const;

    int synchronizeFn; // 0 never, 1 unless Fn statements would need a provisional place, 2 always
    bool enableDuplicateSiblings;
};
