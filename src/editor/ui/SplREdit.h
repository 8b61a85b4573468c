#pragma once

#include "editor/ContentLink.h"
#include "editor/LogicEditModel.h"
#include "editor/LogicFontEdit.h"

#include <QPlainTextEdit>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CSystemLogicClipboard;
class QMenu;
struct CMessageContext;

// The logic-description editor of a tab: one text block per logic line of the unit function, then the
// append line. The model holds the lines; this view only turns keys, characters, input-method text, clicks and
// commands into the model's calls and writes its lines again from what the model composes. Typed text never
// reaches the text document directly.
class CSplREdit : public QPlainTextEdit {
    Q_OBJECT
public:
    // `clipboard` is the one the model was made with, so that a middle-button paste can stand in for it.
    CSplREdit(CLogicEditModel& model, CSystemLogicClipboard* clipboard, QWidget* parent = nullptr);
    ~CSplREdit() override;

    CLogicEditModel& Model() const { return m_model; }
    // The language the context menus are shown in; English without one.
    void SetMessageContext(const CMessageContext* context) { m_context = context; }
    // Opens what a link pressed in a line, or a line mark's file name, leads to.
    void SetLinkOpener(std::function<void(const QString&)> opener) { m_openLink = std::move(opener); }

    // Opens the font dialog on the edit's font, mask and name under the caret; on OK it gives back the chosen font,
    // the mask of what to set and the name whose every occurrence takes the font (empty for none) and returns true.
    using FontDialog = std::function<bool(const LogicFontEdit& edit, FontSetting& font, quint32& mask, QString& name)>;
    // Without one the font command stays off.
    void SetFontDialog(FontDialog dialog) { m_fontDialog = std::move(dialog); }
    // Registers a member name with the state names used with it and shows the result; without one the
    // registration command stays off.
    void SetMemberNameRegistration(std::function<void(const QString&)> registration) {
        m_registerMemberName = std::move(registration);
    }

    // Writes the lines again: every line, or only those whose text changed and the selection.
    void Render(bool everyLine = true);
    // The text zoom (1.0 actual size) every font height is multiplied by; a change writes every line again.
    void SetZoomFactor(double factor);
    double ZoomFactor() const { return m_zoom; }
    // Runs an editor command (statements, deletions, clipboard, undo, select all, candidates, registration);
    // false when the id is none of the editor's.
    bool RunCommand(int id);
    // Whether the command would act now (the context menu greys the others).
    bool IsCommandEnabled(int id) const;
    // Commits what was typed and not yet committed, as a click does: a typed Fn name is bound, or a blank one refused
    // with its message (or, with `deleteBlankFn`, deleted with its message, as when the focus goes). The document's
    // save runs it first. False when an Fn line was left unbound or deleted.
    bool CommitPendingEdits(bool deleteBlankFn = false);
    // Puts the caret on the first editable column of a 1-based line (0 and numbers past the end are clamped).
    void GoToLine(int line);
    // Focuses the editor, selects from `anchor` to `caret` and brings the caret into view.
    void SelectRange(EditPosition anchor, EditPosition caret);
    // The same for the characters first..last of the lines as written.
    void SelectCharacters(int first, int last);
    // The context menu as it opens at the caret; the caller owns it. Actions carry their command ids as data.
    std::unique_ptr<QMenu> CreateContextMenu();
    // The margin's line-mark menu of a line; the caller owns it. Marks carry their index as data, the editing
    // entry -1.
    std::unique_ptr<QMenu> CreateLineMarkMenu(const CLogicLine& line);
    // Puts a chosen name in place of the selection, as one undo step.
    void InsertCandidate(const QString& text);
    // Gives the caret line, an if or switch line, the event or the state attribute.
    void MarkLineAsEvent();
    void MarkLineAsState();

    // The margin's width: its numbers fit the largest line number.
    int MarginWidth() const;
    // The font of the margin's numbers and line-mark symbols.
    static QFont MarginFont();
    // The line under a viewport y, -1 below the last block.
    int LineAt(int y) const;
    // Where a line (the append line too) stands in the viewport; empty for no such line.
    QRectF LineRect(int line) const;
    // The explanation of the registered member or state under a viewport point; empty elsewhere.
    QString NameTipAt(const QPoint& point) const;

signals:
    // After every change of the lines or of the caret: the form updates its toolbox and side panes.
    void ModelChanged();
    // A font went to every occurrence of a name, in other unit functions' lines too.
    void DocumentFontsChanged();

protected:
    bool event(QEvent* e) override;
    bool viewportEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    class CLineMargin;
    friend class CLineMargin;

    int PositionOf(EditPosition position) const;
    EditPosition EditPositionOf(int position) const;
    // Takes the widget's selection into the model, clamped into the slot of its start.
    void TakeSelectionFromWidget();
    void TakeSelection(EditPosition anchor, EditPosition caret);
    void ClampSelectionToSlot();
    void SelectTextSlotAtCaret();
    bool IsCaretInTextSlot() const;
    void ExtendSelection(EditKey key);
    void MoveInsideSlot(bool left, bool word);
    // The position of the character under a viewport point, not the boundary nearest to it.
    EditPosition CharacterAt(const QPoint& point) const;
    // The link the character under a viewport point belongs to, with the line it is in.
    std::optional<std::pair<int, ContentLink>> LinkAt(const QPoint& point) const;
    void ShowContextMenuAt(const QPoint& globalPoint);
    void ShowLineMarkMenu(int line, const QPoint& globalPoint);
    // The memo and file names of a marked line in the line-mark editor; the dialog may also remove the marks.
    void EditLineMark(int line);
    void PaintGuides();
    void PaintMargin(QPainter& painter, const QRect& rect);
    // The width of the margin's numbers.
    int LineNumberWidth() const;
    // Widens or narrows the margin as the lines' count needs.
    void UpdateMarginWidth();
    // The margin beside the text, `width` wide, down the whole height of the box.
    void PlaceMargin(int width);
    void ClearPreedit();
    void Changed(bool everyLine);
    // The font command: the dialog on the caret's slot or the selected lines, its font written back on OK.
    void EditFontAtCaret();

    CLogicEditModel& m_model;
    CSystemLogicClipboard* m_clipboard;
    const CMessageContext* m_context = nullptr;
    std::function<void(const QString&)> m_openLink;
    FontDialog m_fontDialog;
    std::function<void(const QString&)> m_registerMemberName;
    CLineMargin* m_margin = nullptr;
    // The text of each line as last written.
    std::vector<QString> m_renderedLines;
    bool m_rendering = false;
    double m_zoom = 1.0;
    // While a focus loss commits the lines, the questions it asks take the focus without committing again.
    bool m_committingOnFocusOut = false;
    QStringList m_candidates;
    int m_candidateSeparator = 0;
    // The block that shows an input method's composition, -1 for none.
    int m_preeditBlock = -1;
    // The wheel's turn not yet scrolled, in eighths of a degree.
    int m_wheelDelta = 0;
};
