#pragma once

#include <QStringList>

class CDocumentData;
class CUnitFunction;

// OK of the original-requirement-items dialog over the edited `items`: empty items are removed when the user agrees
// (else the dialog stays); the items of a text given twice are removed when the user agrees, and the dialog stays
// either way for another look; otherwise the unit function's own items become the items and the document's
// effective items are derived again. True when the dialog may close.
bool AcceptRequirementItems(QStringList& items, CUnitFunction& function, CDocumentData& data);
