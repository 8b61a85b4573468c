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
    // From now on each pane line stands beside the editor's line: it takes that line's height, and whatever
    // moves the editor (wheel, keys, its scroll bar, a jump, a resize) or the columns, the columns show at their
    // top the line the editor shows at its top.
    void FollowEditor(const CSplREdit& editor);

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
    // Room below the last line, so that a column can show any of its lines at its top as the editor does near its
    // end, where its own append line follows the last.
    void LeaveRoomBelowLastLine();
    void ScrollWithEditor();

    CDocumentData& m_document;
    CUnitFunction& m_function;
    CLogicEditModel* m_model = nullptr;
    QPointer<const CSplREdit> m_editor;
    QLabel* m_caption = nullptr;
    CRichEditCtrlEx* m_left = nullptr;
    CRichEditCtrlEx* m_right = nullptr;
};
