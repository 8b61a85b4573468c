#pragma once

#include "app/TabPaneLayout.h"

#include <QWidget>

#include <functional>

class CFunctionView;
class COpenDocument;
class CUnitFunction;
class QSplitter;

// The window of one tab: a splitter of three rows, the header form on top, the content under it and the
// logic row at the bottom, which holds the logic editor alone or between an input and an output column.
// The logic row holds the logic form; the other views come later, each place a plain widget named after its
// view. Sizes come from the
// document's layout settings and go back there when the user drags a splitter.
class CChildFrame : public QWidget {
    Q_OBJECT
public:
    // `sizesShared` runs after the user changed sizes that all tabs share.
    CChildFrame(COpenDocument& document, CUnitFunction& function, std::function<void()> sizesShared,
                QWidget* parent = nullptr);

    // Re-applies the sizes in use, rebuilding the logic row when its columns changed.
    void ApplyPaneLayout();
    // Rebuilds the logic row for the columns the settings ask for.
    void CreateLogicPanes();

    QSplitter* Splitter() const { return m_splitter; }
    // The logic row's form with the logic editor and its toolbox.
    CFunctionView* FunctionView() const { return m_functionView; }
    // The nested splitter of the logic row; null when the logic editor is alone.
    QSplitter* LogicSplitter() const { return m_logicSplitter; }

private:
    void StorePaneSizes();

    COpenDocument& m_document;
    CUnitFunction& m_function;
    std::function<void()> m_sizesShared;
    QSplitter* m_splitter = nullptr;
    QSplitter* m_logicSplitter = nullptr;
    CFunctionView* m_functionView = nullptr;
    // While sizes are applied the splitters' moves are not the user's.
    bool m_bApplying = false;
};
