#pragma once

#include "app/DocumentObserver.h"
#include "app/MainFrameMessages.h"
#include "app/TabPaneLayout.h"
#include "editor/FunctionFormHost.h"

#include <QWidget>

#include <functional>

class CFunctionView;
class CFunctionContentView;
class CInputView;
class CNUVView;
class COpenDocument;
class COutputView;
class CUnitFunction;
class QSplitter;
struct ResultLine;
struct CMessageContext;

// The window of one tab: a splitter of three rows, the header form on top, the content under it and the
// logic row at the bottom, which holds the logic editor alone or between an input and an output column.
// The logic row holds the logic form with the editor and its toolbox, beside the condition and output panes.
// Sizes come from the document's layout settings and go back there when the user drags a splitter. The forms
// report their changes through this window to the open document, and follow what others change there.
class CChildFrame : public QWidget, private CFunctionFormHost, private CDocumentObserver {
    Q_OBJECT
public:
    // `sizesShared` runs after the user changed sizes that all tabs share.
    CChildFrame(COpenDocument& document, CUnitFunction& function, const CMessageContext& messages,
                std::function<void()> sizesShared, QWidget* parent = nullptr);
    ~CChildFrame() override;

    // Re-applies the sizes in use, rebuilding the logic row when its columns changed.
    void ApplyPaneLayout();
    // Rebuilds the logic row for the columns the settings ask for.
    void CreateLogicPanes();
    // Shows the unit function anew after the document was changed elsewhere: the logic lines (Fn lines of a
    // renamed unit function, a replacement), the header and the content.
    void ShowDocumentChanges();

    // Jumps into the tab, each focusing what it goes to. The 1-based logic line, selected with its line break.
    void GoToLogicLine(int lineNumber);
    void FocusHeaderField(HeaderField field);
    // Characters of the content text.
    void SelectContentRange(int start, int length);
    // Characters first..last of the logic editor's lines.
    void SelectLogicCharacters(int first, int last);
    // The caret goes to where a search hit starts: in its logic line or content line, else in its header field.
    void ShowSearchHit(const ResultLine& location, int lineIndex);
    // The selected text of the focused box, pane or editor of the tab, up to its first line break: what a
    // search starts with. Empty when the focus is elsewhere.
    QString SelectedTextForSearch() const;
    // The Find and Replace dialogs on the logic editor. A search with another `context` (a number for each dialog
    // made) than the one last seen starts at the caret's line.
    void RememberSearchStartLine(int context);
    // Selects the next occurrence of the text in the logic editor, after the selection or from the start line,
    // round to the first line; false when there is none.
    bool FindNextInLogic(const QString& text);
    // Puts `replacement` in place of a selected occurrence of `text` within one text slot, then finds the next.
    bool ReplaceInLogic(const QString& text, const QString& replacement);
    // True while the main window's focus child is the content text, also with a menu or dialog in front.
    bool ContentViewHasFocus() const;
    // Whether an edit of the tab waits for its commit: a line or Fn name typed in the logic editor, a name, outline
    // number or man-hours typed in the header boxes, or the content text changed and not yet stored.
    bool HasPendingEdits() const;
    // Commits every such edit, as leaving its box or editor would, whether or not the window has the focus; before a
    // close (`closing`) a blank Fn line goes with its message, as when the focus leaves the logic editor.
    void CommitPendingEdits(bool closing);

    QSplitter* Splitter() const { return m_splitter; }
    // The logic row's form with the logic editor and its toolbox.
    CFunctionView* FunctionView() const { return m_functionView; }
    CNUVView* HeaderForm() const { return m_headerForm; }
    CFunctionContentView* ContentView() const { return m_contentView; }
    // The condition and output panes; null when the settings leave them out.
    CInputView* InputView() const { return m_inputView; }
    COutputView* OutputView() const { return m_outputView; }
    // The nested splitter of the logic row; null when the logic editor is alone.
    QSplitter* LogicSplitter() const { return m_logicSplitter; }

private:
    // The sizes the user gave the splitters go to the document.
    void StorePaneSizes();
    void StoreSizes(const TabPaneSizes& sizes);
    // The logic editor's lines were written again from the records other views changed.
    void ReloadLogic();

    void FunctionRenamed(CUnitFunction& function) override;
    void FunctionHeaderChanged(CUnitFunction& function) override;
    void RebuildDocument() override;
    void MoveFunctionTo(CUnitFunction& function, const QString& outlineNumber) override;
    void OpenLink(const QString& link) override;
    const OutlineNumber* ChosenOutlineNumber() const override;
    void DocumentChanged(DocumentChange change, CUnitFunction* function) override;

    COpenDocument& m_document;
    CUnitFunction& m_function;
    // The Find and Replace dialogs' search: the dialog last seen, the line it starts at, and whether it has
    // found nothing yet.
    int m_searchContext = 0;
    int m_searchStartLine = 0;
    bool m_searchFromStartLine = false;
    std::function<void()> m_sizesShared;
    QSplitter* m_splitter = nullptr;
    QSplitter* m_logicSplitter = nullptr;
    CFunctionView* m_functionView = nullptr;
    CNUVView* m_headerForm = nullptr;
    CFunctionContentView* m_contentView = nullptr;
    CInputView* m_inputView = nullptr;
    COutputView* m_outputView = nullptr;
    // While a form of this tab reports a change, the tab does not refill its forms from it.
    bool m_bReporting = false;
    // While sizes are applied the splitters' moves are not the user's.
    bool m_bApplying = false;
};
