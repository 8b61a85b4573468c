#include "model/CsvUtilities.h"

#include "platform/CodePageTextFile.h"

namespace {

QString UnquoteCsvField(QStringView field) {
    // A quote is part of the text of a field that does not begin with one.
    if (!field.startsWith('"'))
        return field.toString();
    // The quoted text runs to the first quote that is not doubled, or to the end of the field.
    qsizetype end = 1;
    qsizetype doubled = 0;
    for (; end < field.size(); ++end) {
        if (field[end] != '"')
            continue;
        if (end + 1 == field.size() || field[end + 1] != '"')
            break;
        ++doubled;
        ++end;
    }
    const QStringView quoted = field.sliced(1, end - 1);
    // Text after the closing quote (a misplaced quote, which the record reader reports) is kept as it stands.
    const QStringView after = end + 1 < field.size() ? field.sliced(end + 1) : QStringView();
    // The text is made once, at its size: an empty one takes no memory.
    if (doubled == 0 && after.isEmpty())
        return quoted.toString();
    QString text;
    text.reserve(quoted.size() - doubled + after.size());
    for (qsizetype i = 0; i < quoted.size(); ++i) {
        text += quoted[i];
        // A doubled quote gives one.
        if (quoted[i] == '"')
            ++i;
    }
    text += after;
    return text;
}

} // namespace

QString QuoteCsvField(const QString& text) {
    QString field = text;
    field.replace('"', QLatin1String("\"\""));
    return '"' + field + QLatin1String("\",");
}

bool CsvFieldCursor::NextRaw(QStringView& raw, bool& tail) {
    if (m_at > m_line.size())
        return false;
    // A comma ends a field unless the field began with a quote that is still open.
    bool quoted = m_at < m_line.size() && m_line[m_at] == '"';
    for (qsizetype i = m_at + (quoted ? 1 : 0); i < m_line.size(); ++i) {
        if (m_line[i] == '"' && quoted) {
            // A doubled quote stays inside; a single one closes the field's quotes.
            if (i + 1 < m_line.size() && m_line[i + 1] == '"')
                ++i;
            else
                quoted = false;
        } else if (m_line[i] == ',' && !quoted) {
            raw = m_line.mid(m_at, i - m_at);
            tail = false;
            m_at = i + 1;
            return true;
        }
    }
    raw = m_line.mid(m_at);
    tail = true;
    m_at = m_line.size() + 1;
    return true;
}

bool CsvFieldCursor::Next(QString& field) {
    QStringView raw;
    bool tail = false;
    if (!NextRaw(raw, tail))
        return false;
    field = UnquoteCsvField(raw);
    // An empty tail is the comma that ends every line of the dialect, not a field; a quoted empty field is one.
    return !tail || !raw.isEmpty();
}

bool CsvFieldCursor::Skip() {
    QStringView raw;
    bool tail = false;
    return NextRaw(raw, tail) && (!tail || !raw.isEmpty());
}

void SplitCsvLine(QStringList& fields, QStringView line, qsizetype maxFields) {
    const qsizetype before = fields.size();
    CsvFieldCursor cursor(line);
    QString field;
    while (fields.size() - before <= maxFields && cursor.Next(field))
        fields << field;
}

bool CsvRecordReader::Scan(QStringView line, State& state) {
    for (const QChar c : line) {
        switch (state) {
        case State::FieldStart:
            if (c == '"')
                state = State::Quoted;
            else if (c != ',')
                state = State::Unquoted;
            break;
        case State::Unquoted:
            // A quote in a field that does not begin with one is part of its text.
            if (c == ',')
                state = State::FieldStart;
            break;
        case State::Quoted:
            if (c == '"')
                state = State::QuoteInQuoted;
            break;
        case State::QuoteInQuoted:
            if (c == '"')
                state = State::Quoted;
            else if (c == ',')
                state = State::FieldStart;
            else
                return false;
            break;
        }
    }
    return true;
}

bool CsvRecordReader::Next(QStringView& record) {
    if (!m_file.ReadString(record))
        return false;
    m_line = m_nextLine++;
    m_fault = QuoteFault::None;
    State state = State::FieldStart;
    bool scanned = Scan(record, state);
    QStringView line;
    // A line end inside a quoted field continues the record on the next line.
    while (scanned && state == State::Quoted && m_file.ReadString(line)) {
        // The lines follow each other in the file's text, a line end apart.
        record = QStringView(record.data(), line.data() + line.size());
        ++m_nextLine;
        scanned = Scan(line, state);
    }
    if (!scanned) {
        m_fault = QuoteFault::Misplaced;
        m_faultLine = m_nextLine - 1;
    } else if (state == State::Quoted) {
        m_fault = QuoteFault::Unclosed;
    }
    return true;
}

void AppendCsvExtension(QString& fileName) {
    if (!fileName.endsWith(QLatin1String(".csv")) && !fileName.endsWith(QLatin1String(".CSV")))
        fileName += QLatin1String(".csv");
}
