#pragma once

#include "model/UnitFunction.h"

#include <QString>
#include <QStringList>

class CQuantifierSettings;
struct NaturalSentenceWords;

// Turns a logic description into natural sentences, one per logic line at most, each restating the
// conditions of the if and switch blocks around it, with the words and options of the document.
class CNaturalSentence {
public:
    // TooDeep: an if or switch nested deeper than kMaxLogicNesting, whose sentences would each restate every
    // condition around them.
    enum Result { Done = 0, NoLines = 1, CaseOutsideSwitch = 2, CaseInsideIf = 3, TooDeep = 4 };

    CNaturalSentence(const NaturalSentenceWords& words, const CQuantifierSettings& quantifiers);

    // The sentences of the lines, each ended by a line feed, into `output` (emptied first). On a result other
    // than Done the conversion stopped there; the sentences before it stay in the output.
    Result Convert(const LogicLineArray& lines, QStringList& output) const;

private:
    struct OpenBlock;

    QString Prefix(const std::vector<OpenBlock>& blocks) const;
    QString Indent(int count) const;

    const NaturalSentenceWords& m_words;
    const CQuantifierSettings& m_quantifiers;
};
