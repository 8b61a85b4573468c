#include "model/FontInfo.h"

CFontInfo& CFontInfo::Installed() {
    static CFontInfo table;
    return table;
}

void CFontInfo::SetFaces(const QStringList& faces) {
    m_faces = faces;
    m_defaultFace.clear();
}

int CFontInfo::FindFaceIndex(const QString& faceName) const {
    return static_cast<int>(m_faces.indexOf(faceName));
}

QString CFontInfo::GetDefaultUIFontName() {
    static const QString fallback = QStringLiteral("Times New Roman");
    // Before the fonts are known nothing is remembered, so a later call can still pick a Japanese face.
    if (m_faces.isEmpty())
        return fallback;
    if (m_defaultFace.isEmpty()) {
        m_defaultFace = fallback;
        for (const QString& preferred :
             {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("メイリオ"), QStringLiteral("Verdana")}) {
            if (FindFaceIndex(preferred) >= 0) {
                m_defaultFace = preferred;
                break;
            }
        }
    }
    return m_defaultFace;
}
