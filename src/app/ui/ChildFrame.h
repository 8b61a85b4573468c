#pragma once

#include "app/DocumentObserver.h"
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
    void StorePaneSizes();

    void FunctionRenamed(CUnitFunction& function) override;
    void FunctionHeaderChanged(CUnitFunction& function) override;
    void RebuildDocument() override;
    void MoveFunctionTo(CUnitFunction& function, const QString& outlineNumber) override;
    void OpenLink(const QString& link, Qt::KeyboardModifiers modifiers) override;
    void DocumentChanged(DocumentChange change, CUnitFunction* function) override;

    COpenDocument& m_document;
    CUnitFunction& m_function;
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
