#include "search/ResultPaneReport.h"

#include "logic/InspectionView.h"
#include "logic/JumperToAnywhere.h"

#include <algorithm>

void CResultPaneReport::AddLine(const QString& text, const CUnitFunction* unitFunction, qint32 lineIndex) {
    m_lines.push_back({text, unitFunction, lineIndex, std::nullopt, nullptr});
}

void CResultPaneReport::AddLineWithLocation(const FindHit& hit, const QString& text) {
    m_lines.push_back({text, nullptr, hit.lineIndex, hit, nullptr});
}

void CResultPaneReport::InsertLine(const QString& text, int position) {
    const auto at = m_lines.begin() + std::clamp(position, 0, LineCount());
    m_lines.insert(at, Line{text, nullptr, 0, std::nullopt, nullptr});
}

void CResultPaneReport::AddMessage(const QString& text, std::unique_ptr<CJumper> jumper) {
    if (!jumper)
        jumper = std::make_unique<CJumperToAnywhere>();
    m_lines.push_back({text, nullptr, 0, std::nullopt, std::move(jumper)});
}

QStringList CResultPaneReport::Texts() const {
    QStringList texts;
    texts.reserve(LineCount());
    for (const Line& line : m_lines)
        texts.append(line.text);
    return texts;
}

namespace {

// The pane owns its targets; a report may be written more than once, so each write gets targets of its own
// that only forward to the report's.
class CSharedJumper : public CJumper {
public:
    explicit CSharedJumper(std::shared_ptr<CJumper> target) : m_target(std::move(target)) {}
    void Jump(CJumpHandler& handler) const override { m_target->Jump(handler); }

private:
    std::shared_ptr<CJumper> m_target;
};

} // namespace

void CResultPaneReport::WriteTo(CInspectionView& pane) const {
    pane.ClearMessages();
    pane.advancedSearchResults = advancedSearchResults ? 1 : 0;
    pane.obscureWordResults = obscureWordResults ? 1 : 0;
    for (const Line& line : m_lines) {
        if (line.jumper)
            pane.AddMessage(line.text, std::make_unique<CSharedJumper>(line.jumper));
        else if (line.hit)
            pane.AddLineWithLocation(*line.hit, line.text);
        else
            pane.AddLine(line.text, line.unitFunction, line.lineIndex);
    }
}
