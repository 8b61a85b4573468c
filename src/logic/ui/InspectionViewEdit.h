#pragma once

#include <QPlainTextEdit>
#include <QStringList>

#include <functional>

class CInspectionView;
class CJumpHandler;
class QMenu;
struct FontSetting;

// The read-only text of the result pane: one line a result line. Told that lines are waiting, it takes them
// from its model at the next turn of the event loop, at most BatchLines in one insertion and the rest in
// later turns, so that a worker writing millions of lines leaves the window responsive. A double-click on a
// line asks the model to jump through the handler.
class CInspectionViewEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr int BatchLines = 4000;

    CInspectionViewEdit(CInspectionView& view, CJumpHandler& handler, QWidget* parent = nullptr);

    // The character format of the whole text, from the results font.
    void SetTextFormat(const FontSetting& font);
    // The line of the caret, -1 when there is none. Both take every waiting line first.
    int GetCaretLine();
    QStringList Lines();

    // Rewrites the right-click menu in the current language before it shows.
    void SetContextMenuLocalizer(std::function<void(QMenu&)> localizer) {
        m_localizeContextMenu = std::move(localizer);
    }

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Takes one batch of waiting lines; true when more are waiting.
    bool TakeBatch();
    // One batch, and another turn of the event loop for the rest.
    void OnLinesWaiting();
    void Flush();

    CInspectionView& m_view;
    CJumpHandler& m_handler;
    quint64 m_generation = 0; // of the model's list whose first lines are shown
    int m_lineCount = 0;      // lines shown
    std::function<void(QMenu&)> m_localizeContextMenu;
};
