#pragma once

#include "logic/Jumper.h"
#include "logic/SearchHit.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class CInspectionView;
class CUnitFunction;

// The lines one search, replacement or mark listing writes into the result pane, made while the document is
// held still and handed to the pane in one go on the user-interface thread. Each line is of one kind: a
// record line (with a unit function and line, or a search location) or a jump line with its target.
class CResultPaneReport {
public:
    struct Line {
        QString text;
        const CUnitFunction* unitFunction = nullptr; // record lines
        qint32 lineIndex = 0;
        std::optional<FindHit> hit;      // a record line at a search hit
        std::shared_ptr<CJumper> jumper; // set for jump lines
    };

    // Record lines.
    void AddLine(const QString& text, const CUnitFunction* unitFunction = nullptr, qint32 lineIndex = 0);
    void AddLineWithLocation(const FindHit& hit, const QString& text);
    // Before line `position`; past the end it appends.
    void InsertLine(const QString& text, int position);
    // Jump lines; a null target is a line whose double-click does nothing.
    void AddMessage(const QString& text, std::unique_ptr<CJumper> jumper = nullptr);

    int LineCount() const { return static_cast<int>(m_lines.size()); }
    QStringList Texts() const;
    const std::vector<Line>& Lines() const { return m_lines; }

    // Set when the lines are search or obscure-word results, which the pane opens at the hit.
    bool advancedSearchResults = false;
    bool obscureWordResults = false;

    // Clears the pane and writes the lines with the flags. The unit functions named must still be there.
    void WriteTo(CInspectionView& pane) const;

private:
    std::vector<Line> m_lines;
};
