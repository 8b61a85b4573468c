#pragma once

#include "generators/CommentSourceTemplate.h"

#include <QString>

class CDocumentData;
class CUnitFunction;

// Expands a template for one unit function after another. A replacement tag that keeps changing its text asks,
// every 16 rounds, whether to go on; one whose text outgrows MaxReplacedLength stops the output, and so does a
// text that outgrows the room left by LimitOutput.
class CCommentSourceExpander {
public:
    static constexpr qsizetype MaxReplacedLength = 1024 * 1024;
    // The whole output, every unit function's text together.
    static constexpr qsizetype MaxOutputLength = 16 * 1024 * 1024;

    // The output stops: the user cancelled the loop question, or a text grew too long (a message said which).
    struct Aborted {};

    CCommentSourceExpander(const CDocumentData& data, const QString& documentPath);

    QString ExpandTemplateNode(const TemplateNode& node, const CUnitFunction& function) const;
    // Every text expanded from now on, and each part of it, stops the output when it grows past `length`.
    void LimitOutput(qsizetype length) { m_room = length; }

private:
    QString ExpandCommand(const TemplateNode& command, const CUnitFunction& function) const;
    QString ExpandReplacement(const TemplateNode& command, const CUnitFunction& function) const;

    const CDocumentData& m_data;
    QString m_documentPath;
    qsizetype m_room = MaxOutputLength;
};

// The whole output: the template expanded for every unit function, placed ones in outline order first. Output
// that would outgrow MaxOutputLength stops with a message (Aborted).
QString ExpandCommentSource(const CDocumentData& data, const QString& documentPath, const TemplateNode& root);

// The name the dialog proposes: the document's path with ".c" in place of its extension; for a document without
// a file, its name in the current folder.
QString DefaultCommentSourceFileName(const QString& documentPath, const QString& documentName);

enum class CommentSourceOkResult { KeepOpen, Written };

// The dialog's OK: stores the name and the template in the document, asks before overwriting a file, asks
// whether to go on despite template faults, expands and writes the file (UTF-8, CR LF). A template that does
// not parse to its end, a declined question, an aborted expansion or a file that cannot be written (all but
// the first said in a message) keep the dialog open.
CommentSourceOkResult AcceptCommentSourceDialog(CDocumentData& data, const QString& documentPath,
                                                const QString& fileName, const QString& templateText);
