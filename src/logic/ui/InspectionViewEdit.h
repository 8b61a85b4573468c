#pragma once

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <vector>

class CInspectionView;
class CJumpHandler;
class QMenu;
struct FontSetting;

// The read-only result pane: one row a result line. It keeps no text of its own: it knows how many lines it
// shows and asks its model for the rows it draws, so a run of millions of lines costs it no more memory than
// a run of ten. Told that lines are waiting, it takes them all from its model at the next turn of the event loop
// at the cost of a few lines, however many they are: the model names the line of the most columns, which alone
// is measured for the horizontal scroll range, and the range grows further as wider lines are drawn. While a
// worker keeps writing, it takes lines and draws itself at most once every TakeInterval. After each take the
// last line is the caret line, scrolled into view. A click selects
// a line (Shift and dragging extend the selection); a double-click or Enter asks the model to jump from the
// line through the handler.
class CInspectionViewEdit : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int TakeInterval = 50; // milliseconds

    CInspectionViewEdit(CInspectionView& view, CJumpHandler& handler, QWidget* parent = nullptr);

    // The font and colour of the lines, from the results font.
    void SetTextFormat(const FontSetting& font);
    // The line of the caret, -1 when there is none. Both take every waiting line first.
    int GetCaretLine();
    QStringList Lines();
    // The lines shown, without taking waiting ones.
    int LineCount() const { return m_lineCount; }
    // Puts the caret on the line and scrolls it into view; with `extend` the selection grows to it, else the
    // line alone is selected.
    void SetCaretLine(int line, bool extend = false);
    // The selected lines, each with its line break; empty without a selection.
    QString SelectedText() const;
    // Where the line is drawn, in the coordinates of the viewport.
    QRect LineRect(int line) const;

    // Rewrites the right-click menu in the current language before it shows.
    void SetContextMenuLocalizer(std::function<void(QMenu&)> localizer) {
        m_localizeContextMenu = std::move(localizer);
    }

public slots:
    void copy() const;
    void selectAll();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Takes every waiting line.
    void Flush();
    // Flush, unless lines were taken less than TakeInterval ago: then a timer takes them.
    void OnLinesWaiting();
    void UpdateScrollBars();
    // The width of a line in pixels, near enough for the scroll range.
    int TextWidth(const QString& text);
    int LineHeight() const;
    // The line under a point of the viewport, the nearest one when it is past either end; -1 without lines.
    int LineAt(const QPoint& point) const;
    void Jump(int line);
    bool HasSelection() const { return m_anchor >= 0 && m_caret >= 0; }

    CInspectionView& m_view;
    CJumpHandler& m_handler;
    quint64 m_generation = 0;   // of the model's list whose first lines are shown
    int m_lineCount = 0;        // lines shown
    int m_widest = 0;           // pixels of the widest line shown
    qint32 m_measuredLine = -1; // the model's widest line when it was last measured
    QElapsedTimer m_sinceTake;  // since lines were last taken
    QTimer m_takeTimer;
    std::vector<float> m_advances; // of each character in the font, -1 until measured
    int m_caret = -1;
    int m_anchor = -1; // the other end of the selection, -1 without one
    std::function<void(QMenu&)> m_localizeContextMenu;
};
