#pragma once

class CUnitFunction;

// What changed in the open document.
enum class DocumentChange {
    // The table of contents was rebuilt: unit functions were added, moved or linked elsewhere.
    FunctionsAddedOrMoved,
    // The unit function is being removed; it is freed right after the observers have heard of it.
    FunctionRemoved,
    FunctionRenamed,
    FunctionLinesChanged,
    FunctionHeaderChanged,
    // A document was made, opened or read again.
    Reloaded,
    // The document was let go; none is open now.
    Closed,
    // The modified flag changed either way.
    ModifiedChanged,
    // The document's notes were edited.
    NotesChanged,
};

// Hears of the changes of the open document (tabs, views, the title). Observers are told on the document's
// thread, in the order they were added.
class CDocumentObserver {
public:
    virtual ~CDocumentObserver() = default;
    // `function` is the unit function concerned; null for the changes of the whole document.
    virtual void DocumentChanged(DocumentChange change, CUnitFunction* function) = 0;
};
