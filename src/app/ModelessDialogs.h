#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <vector>

// A dialog of the main window that is made once with it and then shown and hidden; find dialogs that are
// made on demand go when hidden.
class CModelessDialog {
public:
    virtual ~CModelessDialog() = default;
    virtual void ShowDialog() = 0;
    virtual void HideDialog() = 0;
    virtual bool IsDialogShown() const = 0;
};

// The main window's modeless dialogs: showing one hides the others, so that at most one stands over the
// window. The dialogs are not owned; each leaves the registry before it goes.
class CModelessDialogs {
public:
    void Add(CModelessDialog& dialog);
    void Remove(CModelessDialog& dialog);
    // Shows the dialog, after hiding every other one.
    void Show(CModelessDialog& dialog);
    // Hides every dialog but `kept` (none when null).
    void HideOthers(const CModelessDialog* kept);
    // The dialog that shows; null when none does.
    CModelessDialog* Shown() const;

private:
    std::vector<CModelessDialog*> m_dialogs;
};

// Where a window of `size` goes to stand centred over the main window `main`, kept on the screen `screen`
// (its top left corner at 0,0): halves truncated toward zero, the edge no further than the screen allows and
// never left of or above it.
QPoint CenterOnMainFrame(const QRect& main, const QSize& size, const QSize& screen);
