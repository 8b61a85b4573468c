#pragma once

#include <QString>
#include <QStringList>

// The table of installed font faces. It stays empty until the application has enumerated the system's
// fonts; once a default face has been chosen from it, that choice is kept for the rest of the process.
class CFontInfo {
public:
    // The one table of the process, filled by the application at start-up.
    static CFontInfo& Installed();

    // Replaces the faces; a default face chosen from the old list is forgotten.
    void SetFaces(const QStringList& faces);
    const QStringList& Faces() const { return m_faces; }
    int FindFaceIndex(const QString& faceName) const;

    QString GetDefaultUIFontName();

private:
    QStringList m_faces;
    QString m_defaultFace;
};
