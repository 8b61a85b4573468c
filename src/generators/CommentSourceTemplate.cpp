#include "generators/CommentSourceTemplate.h"

#include "texts/StringTable.h"

#include <QSet>

namespace {

// Deeper nesting than anybody writes is not read, so a damaged template cannot exhaust the stack.
constexpr int MaxNesting = 256;

bool IsNameCharacter(QChar c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

bool IsDelimiter(QChar c) {
    return c == '<' || c == '>' || c == ';';
}

class TemplateParser {
public:
    explicit TemplateParser(const QString& text) : m_text(text) {}

    TemplateNode ParseSequence(qsizetype& position, int depth) {
        TemplateNode sequence;
        for (;;) {
            if (ParseLiteral(sequence, position))
                continue;
            if (!ParseCommand(sequence, position, depth))
                return sequence;
        }
    }

private:
    bool ParseLiteral(TemplateNode& sequence, qsizetype& position) {
        qsizetype end = position;
        QString literal;
        while (end < m_text.size() && !IsDelimiter(m_text[end])) {
            const QChar c = m_text[end++];
            if (c != '\r' && c != '\n' && c != '\t')
                literal += c;
        }
        if (end == position)
            return false;
        position = end;
        sequence.children.push_back({TemplateNode::Literal, literal, {}, {}});
        return true;
    }

    bool ParseCommand(TemplateNode& sequence, qsizetype& position, int depth) {
        if (depth >= MaxNesting || position >= m_text.size() || m_text[position] != '<')
            return false;
        qsizetype p = position + 1;
        const qsizetype nameStart = p;
        while (p < m_text.size() && IsNameCharacter(m_text[p]))
            ++p;
        if (p == nameStart)
            return false;
        TemplateNode command{TemplateNode::Command, m_text.mid(nameStart, p - nameStart), {}, {}};
        if (p < m_text.size() && m_text[p] == '=') {
            ++p;
            command.arguments.push_back(ParseSequence(p, depth + 1));
            while (p < m_text.size() && m_text[p] == ';') {
                ++p;
                command.arguments.push_back(ParseSequence(p, depth + 1));
            }
        }
        if (p >= m_text.size() || m_text[p] != '>')
            return false;
        position = p + 1;
        sequence.children.push_back(std::move(command));
        return true;
    }

    const QString& m_text;
};

} // namespace

TemplateNode ParseTemplate(const QString& text, qsizetype& consumed) {
    consumed = 0;
    return TemplateParser(text).ParseSequence(consumed, 0);
}

bool ValidateTemplateNode(const TemplateNode& node, QString& errors) {
    static const QSet<QString> plainTags = {"N", "T", "L", "G", "S", "o", "n", "r", "u", "a", "ae", "f", "p", "t", "c"};
    bool valid = true;
    const auto fault = [&](const QString& line) {
        errors += line + '\n';
        valid = false;
    };
    for (const TemplateNode& child : node.children) {
        if (child.kind != TemplateNode::Command)
            continue;
        const qsizetype count = static_cast<qsizetype>(child.arguments.size());
        if (plainTags.contains(child.text)) {
            if (count != 0)
                fault(LoadString(StringId::TemplateFaultArgument).arg(child.text));
        } else if (child.text == QLatin1String("E")) {
            if (count != 3)
                fault(LoadString(StringId::TemplateFaultThreeArguments).arg(child.text).arg(count));
        } else if (child.text == QLatin1String("R")) {
            if (count < 3 || count % 2 == 0)
                fault(LoadString(StringId::TemplateFaultOddArguments).arg(child.text).arg(count));
        } else {
            fault(LoadString(StringId::TemplateFaultCommand).arg(child.text));
        }
    }
    return valid;
}

QString TemplateTagHelp() {
    return LoadString(StringId::TemplateHelp);
}
