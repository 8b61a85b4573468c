#pragma once

#include <QString>

// The canonical dump of a document file as the editor loads it; a file that does not load fails the test.
QString DumpOfDocumentFile(const QString& path);
