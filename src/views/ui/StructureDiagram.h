#pragma once

#include <QWidget>

class CViewHost;
class QComboBox;
class QPushButton;
class QScrollBar;

// The structure diagram pane: the zoom choice and the copy button above the picture with its two scroll bars.
// A click on a box opens its unit function, one on a circle folds or unfolds, a right click on a box shows the
// table of contents' menu. The picture stays white until the drawing was confirmed.
class CStructureDiagram : public QWidget {
    Q_OBJECT
public:
    explicit CStructureDiagram(CViewHost& host, QWidget* parent = nullptr);

    // Selects the document's zoom in the choice, then Relayout and DrawDiagram.
    void ApplyZoomSetting();
    // The scroll ranges from the extent.
    void Relayout();
    void DrawDiagram();
    // Copies the diagram at 100 % to the clipboard as an image; false when nothing was copied.
    bool CopyImage();
    QWidget* Picture() const { return m_picture; }
    QComboBox* ZoomChoice() const { return m_zoom; }
    QScrollBar* HorizontalBar() const { return m_horizontal; }
    QScrollBar* VerticalBar() const { return m_vertical; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class PictureArea;
    void Paint(QPainter& painter, QPoint position, double xs, double ys, bool copying);
    void OnClick(QPoint point, bool right, QPoint globalPosition);

    CViewHost& m_host;
    QComboBox* m_zoom;
    QPushButton* m_copy;
    QWidget* m_picture;
    QScrollBar* m_horizontal;
    QScrollBar* m_vertical;
};
