#pragma once

#include "editor/LogicEditListener.h"

#include <QPointer>
#include <QWidget>

class CDocumentData;
class CLogicEditModel;
class CRichEditCtrlEx;
class CSplREdit;
class CUnitFunction;
class QLabel;
struct CMessageContext;
struct SidePaneLine;

// A read-only pane beside the logic editor: a caption over two columns holding exactly one line per logic
// line, so that they read across with the editor. It is refilled whenever the logic-edit model it listens to
// reports an edit, whichever widget drives that model.
class CSidePaneView : public QWidget, private CLogicEditListener {
    Q_OBJECT
public:
    ~CSidePaneView() override;

    // Listens to the model (null: to none) and refills from it.
    void AttachModel(CLogicEditModel* model);
    // Refills both columns from the unit function's lines.
    void Refill();
    // The language of the columns' right-click menus; English until set.
    void SetMessageContext(const CMessageContext* context);
    // Gives each pane line the height of the editor's line beside it, from now on, so that they read across.
    void FollowLineHeights(const CSplREdit& editor);
    // Scrolls both columns so that `line` is at the top, or to their ends when the editor is at its end.
    void ScrollToLine(int line, bool atEnd);

    CRichEditCtrlEx& LeftColumn() const { return *m_left; }
    CRichEditCtrlEx& RightColumn() const { return *m_right; }
    // The texts of a column, one per logic line.
    QStringList ColumnLines(bool left) const;

protected:
    CSidePaneView(CDocumentData& document, CUnitFunction& function, const QString& caption, QWidget* parent);
    CDocumentData& Document() const { return m_document; }
    CUnitFunction& Function() const { return m_function; }
    virtual std::vector<SidePaneLine> BuildLines() const = 0;
    void resizeEvent(QResizeEvent* event) override;

private:
    void LogicLinesChanged() override { Refill(); }
    void ApplyLineHeights();

    CDocumentData& m_document;
    CUnitFunction& m_function;
    CLogicEditModel* m_model = nullptr;
    QPointer<const CSplREdit> m_editor;
    QLabel* m_caption = nullptr;
    CRichEditCtrlEx* m_left = nullptr;
    CRichEditCtrlEx* m_right = nullptr;
};
