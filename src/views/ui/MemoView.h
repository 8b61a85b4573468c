#pragma once

#include "model/FontSetting.h"

#include <QTextEdit>

class CViewHost;

// The notes pane: the document's free text in its notes font. What is pasted arrives as plain text; nothing is
// taken by dragging, from the pane itself or from elsewhere; without a document the pane is empty and read-only.
class CMemoView : public QTextEdit {
    Q_OBJECT
public:
    explicit CMemoView(CViewHost& host, QWidget* parent = nullptr);

    void OnUpdate();
    // Applies a font to the whole text (the one applied last when none is given).
    void ApplyCharFormat(const FontSetting* font = nullptr);

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    CViewHost& m_host;
    FontSetting m_font;
    bool m_updating = false;
};
