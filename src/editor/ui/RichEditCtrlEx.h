#pragma once

#include <QTextEdit>

struct FontSetting;

// The read-only rich-text column of the editor's panes: text is appended in a given font, and Ctrl with a
// digit, a letter or a punctuation key does nothing here except the standard copy and select-all.
class CRichEditCtrlEx : public QTextEdit {
    Q_OBJECT
public:
    explicit CRichEditCtrlEx(QWidget* parent = nullptr);

    // Appends `text` at the end in the font (face resolved to an installed one) and colour.
    void AppendWithFont(const FontSetting& font, const QString& text, bool japaneseDocument);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
};

// Whether Ctrl and the key are kept from a rich-edit control: digits, letters and punctuation keys, except
// the standard copy and select-all sequences (and, in an editable control, cut, paste and undo).
bool IsSwallowedControlKey(const QKeyEvent& event, bool editable);
