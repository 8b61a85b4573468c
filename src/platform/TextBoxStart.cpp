#include "platform/TextBoxStart.h"

#include "platform/WholeCharacters.h"

namespace platform {

QString TextBoxStart(const QString& text) {
    return text.left(WholeCharactersLength(text, TextBoxCapacity));
}

QString TextFromBox(const QString& text, const QString& boxText, bool replacedAll) {
    const QString shown = TextBoxStart(text);
    if (boxText == shown)
        return text;
    return replacedAll ? boxText : boxText + text.mid(shown.size());
}

void CWholeReplacements::Reset() {
    *this = {};
}

void CWholeReplacements::Edited(bool wholeSelected) {
    // An edit drops what the box could still redo.
    m_undone = 0;
    m_undoneAt.clear();
    if (wholeSelected)
        ++m_inForce;
}

void CWholeReplacements::Undone(bool wholeSelected) {
    ++m_undone;
    if (wholeSelected && m_inForce > 0) {
        --m_inForce;
        m_undoneAt.push_back(m_undone);
    }
}

void CWholeReplacements::Redone() {
    if (m_undone == 0)
        return;
    // The step redone from where a replacement's undo left the box is that replacement.
    if (!m_undoneAt.empty() && m_undoneAt.back() == m_undone) {
        m_undoneAt.pop_back();
        ++m_inForce;
    }
    --m_undone;
}

} // namespace platform
