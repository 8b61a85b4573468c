#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;
class QPushButton;
class QSlider;

// The zoom window: a vertical slider that sets the text zoom of the editors, the zoom shown beside it, and a
// button back to actual size. Each move refreshes the views through `apply`.
class CZoomDialog : public QDialog {
    Q_OBJECT
public:
    explicit CZoomDialog(std::function<void()> apply, QWidget* parent = nullptr);

    // Puts the slider at `position` and applies it.
    void ApplyPosition(int position);
    double ZoomFactor() const { return m_factor; }
    int Position() const;
    QSlider* Slider() const { return m_slider; }
    QLineEdit* Label() const { return m_label; }
    QPushButton* ActualSizeButton() const { return m_actualSize; }

private:
    void UpdateZoomLabel();

    std::function<void()> m_apply;
    QSlider* m_slider;
    QLineEdit* m_label;
    QPushButton* m_actualSize;
    double m_factor = 1.0;
};
