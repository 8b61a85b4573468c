#pragma once

#include <QString>

class CDocumentData;
class CUnitFunction;
struct CMessageContext;

// The go-to-line dialog's label: the line number's range from 1 to the description's lines; a description
// without lines still has the line the caret stands on, where lines are added, so its range is 1-1.
QString JumpLabel(const CMessageContext& messages, int lineCount);
// The go-to-line box: -1 for an empty box, else its leading decimal digits (0 without any); the editor
// clamps the number to its lines.
int ParseJumpLineNumber(const QString& text);

// The same-named unit function chooser's OK: the chosen unit function, or a new one of `name` when
// `createNew`, is written to `target` (the called ID of the edited Fn line); then the edited unit function's children
// follow its Fn statements and the registry and the table of contents are rebuilt and the document is marked
// modified. The InternalID of the result, 0 (and `target` unchanged) when none could be made.
quint32 ChooseSameNamedFunction(CDocumentData& document, CUnitFunction& edited, CUnitFunction* chosen, bool createNew,
                                const QString& name, quint32& target);
