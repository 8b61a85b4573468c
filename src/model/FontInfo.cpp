#include "model/FontInfo.h"

CFontInfo::CFontInfo(const QStringList& faces) : m_faces(faces), m_defaultFont(QStringLiteral("Times New Roman")) {
    for (const QString& preferred :
         {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("メイリオ"), QStringLiteral("Verdana")}) {
        if (FindFaceIndex(preferred) >= 0) {
            m_defaultFont.faceName = preferred;
            break;
        }
    }
}

int CFontInfo::FindFaceIndex(const QString& faceName) const {
    return static_cast<int>(m_faces.indexOf(faceName));
}

const QString& CFontInfo::ResolveFaceName(const QString& faceName) const {
    const int index = FindFaceIndex(faceName);
    return index >= 0 ? m_faces[index] : m_defaultFont.faceName;
}
