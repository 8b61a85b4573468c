#pragma once

#include <QString>

// The document options that the hierarchy operations consult, with a new document's values: the
// document's environment options and its Fn syntax symbol.
struct ModelOptions {

    bool DistinguishPrimaryOutlineNumber = false;
    bool ShowOutlineNumberInFnStatement = true;
    bool UnNecessaryReasoningDefault = true;
    bool OpenTabWhenCreateFunction = true;
    bool EnableDuplicateSiblings = false;
    int SynchronizeFn = 1; // 0 never, 1 unless Fn statements would need a provisional place, 2 always
    bool InheritRequirementsDown = true;
    bool InheritRequirementsUp = true;
    QString fnKeyword = QStringLiteral("Fn"); // keyword of the Fn syntax symbol
    int fnSymbolColumn = 5;                   // Column of the Fn syntax symbol
};
