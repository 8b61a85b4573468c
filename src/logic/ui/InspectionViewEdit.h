#pragma once

#include <QPlainTextEdit>
#include <QStringList>

#include <functional>

class CInspectionView;
class CJumpHandler;
class QMenu;
struct FontSetting;

// The read-only text of the result pane: one line a result line, following its model's signals. Lines that
// arrive together (a worker writes thousands) are laid out in one insertion. A double-click on a line asks
// the model to jump through the handler.
class CInspectionViewEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    CInspectionViewEdit(CInspectionView& view, CJumpHandler& handler, QWidget* parent = nullptr);

    // The character format of the whole text, from the results font.
    void SetTextFormat(const FontSetting& font);
    // The line of the caret, -1 when there is none.
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
    void OnCleared();
    void OnLineAppended(const QString& text);
    void OnLineInserted(int position, const QString& text);
    void Flush();

    CInspectionView& m_view;
    CJumpHandler& m_handler;
    QStringList m_pending;
    int m_lineCount = 0; // lines shown, the pending ones not counted
    std::function<void(QMenu&)> m_localizeContextMenu;
};
