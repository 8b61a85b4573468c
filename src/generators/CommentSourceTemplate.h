#pragma once

#include <QString>

#include <vector>

// A parsed comment-source template: literals and tags in angle brackets, a tag's arguments separated by ";".
struct TemplateNode {
    enum Kind { Sequence, Command, Literal };

    Kind kind = Sequence;
    QString text;                        // a literal's text or a command's name
    std::vector<TemplateNode> children;  // of a sequence
    std::vector<TemplateNode> arguments; // of a command, each a sequence
};

// Parses from the start of the text as far as it can; `consumed` tells how far. A template is well formed when
// it was read to its end.
TemplateNode ParseTemplate(const QString& text, qsizetype& consumed);

// Checks the commands standing directly in the sequence (their arguments are not examined). Appends one line per
// fault to `errors`; true when there was none.
bool ValidateTemplateNode(const TemplateNode& node, QString& errors);

// The tag help of the dialog, one line per tag.
QString TemplateTagHelp();
