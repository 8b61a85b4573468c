#include "app/ModelessDialogs.h"

#include <algorithm>

void CModelessDialogs::Add(CModelessDialog& dialog) {
    if (std::find(m_dialogs.begin(), m_dialogs.end(), &dialog) == m_dialogs.end())
        m_dialogs.push_back(&dialog);
}

void CModelessDialogs::Remove(CModelessDialog& dialog) {
    std::erase(m_dialogs, &dialog);
}

void CModelessDialogs::Show(CModelessDialog& dialog) {
    Add(dialog);
    HideOthers(&dialog);
    dialog.ShowDialog();
}

void CModelessDialogs::HideOthers(const CModelessDialog* kept) {
    // A dialog that goes when hidden leaves the list meanwhile: walk a copy.
    const std::vector<CModelessDialog*> dialogs = m_dialogs;
    for (CModelessDialog* dialog : dialogs) {
        if (dialog != kept && dialog->IsDialogShown())
            dialog->HideDialog();
    }
}

CModelessDialog* CModelessDialogs::Shown() const {
    const auto found = std::find_if(m_dialogs.begin(), m_dialogs.end(),
                                    [](CModelessDialog* dialog) { return dialog->IsDialogShown(); });
    return found == m_dialogs.end() ? nullptr : *found;
}

QPoint CenterOnMainFrame(const QRect& main, const QSize& size, const QSize& screen) {
    const auto place = [](int mainStart, int mainLength, int length, int screenLength) {
        return std::max(0, std::min((mainLength - length) / 2 + mainStart, screenLength - length));
    };
    return {place(main.left(), main.width(), size.width(), screen.width()),
            place(main.top(), main.height(), size.height(), screen.height())};
}
