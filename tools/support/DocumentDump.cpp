#include "support/DocumentDump.h"

#include "model/DocumentData.h"
#include "model/SettingsFields.h"

#include <QStringList>
#include <QTextStream>

#include <vector>

namespace tools {

namespace {

// Control characters and backslashes are escaped so that every value stays on its line.
QString Escape(const QString& text) {
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            escaped += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            escaped += QLatin1String("\\n");
        else if (c == QLatin1Char('\r'))
            escaped += QLatin1String("\\r");
        else if (c == QLatin1Char('\t'))
            escaped += QLatin1String("\\t");
        else if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            escaped += QString::asprintf("\\x%02x", c.unicode());
        else
            escaped += c;
    }
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString Float(float value) {
    return QString::number(static_cast<double>(value), 'g', 9);
}

class Dumper {
public:
    explicit Dumper(QTextStream& out) : m_out(out) {}

    void Line(const QString& key, const QString& value) { m_out << m_indent << key << ' ' << value << '\n'; }
    void Line(const QString& key, qint64 value) { Line(key, QString::number(value)); }
    void Text(const QString& key, const QString& value) { Line(key, Escape(value)); }
    void Begin(const QString& title) {
        m_out << m_indent << title << '\n';
        m_indent += QLatin1String("  ");
    }
    void End() { m_indent.chop(2); }

    void Font(const QString& key, const FontSetting& font) {
        Line(key, QStringLiteral("%1 size=%2 colour=%3 bold=%4 italic=%5 underline=%6 colourNo=%7")
                      .arg(Escape(font.faceName))
                      .arg(font.pointSize)
                      .arg(font.colour)
                      .arg(font.bold)
                      .arg(font.italic)
                      .arg(font.underline)
                      .arg(font.colourIndex));
    }

    // One line per declared field, under the name the file gives it.
    template <class Record, std::size_t N>
    void Fields(const std::array<IntAttribute<Record>, N>& fields, const Record& record) {
        for (const IntAttribute<Record>& field : fields)
            Line(QLatin1String(field.name), field.get(record));
    }
    template <class Record, std::size_t N>
    void Fields(const std::array<TextField<Record>, N>& fields, const Record& record) {
        for (const TextField<Record>& field : fields)
            Text(QLatin1String(field.name), record.*field.field);
    }
    template <class Record, std::size_t N>
    void Fields(const std::array<FontField<Record>, N>& fields, const Record& record) {
        for (const FontField<Record>& field : fields)
            Font(QLatin1String(field.name), record.*field.field);
    }

private:
    QTextStream& m_out;
    QString m_indent;
};

void DumpDocumentElement(Dumper& d, const CDocumentData& data) {
    d.Begin(QStringLiteral("document"));
    d.Line(QStringLiteral("DataReady"), data.DataReady);
    const DocumentHeader& h = data.documentHeader;
    d.Fields(kEnvironmentTitleField, h);
    d.Line(QStringLiteral("currentVersion"),
           QStringLiteral("major=%1 minor=%2 number=%3").arg(h.Major).arg(h.Minor).arg(h.Version));
    d.Text(QStringLiteral("currentVersion.time"), h.Time);
    d.Text(QStringLiteral("currentVersion.author"), h.Author);
    d.Text(QStringLiteral("currentVersion.comment"), h.Comment);
    for (int i = 0; i < h.openViewCount; ++i)
        d.Line(QStringLiteral("openView"), QStringLiteral("%1 selected=%2")
                                               .arg(h.openViews[static_cast<std::size_t>(i)].FunctionDescriptor)
                                               .arg(h.openViews[static_cast<std::size_t>(i)].IsSelected));
    d.Line(QStringLiteral("nextVersionNumber"), data.nextVersionNumber);
    for (const StoredVersion& version : data.versionHistory) {
        d.Begin(QStringLiteral("storedVersion %1").arg(version.number));
        d.Text(QStringLiteral("label"), version.label);
        d.Text(QStringLiteral("time"), version.time);
        d.Text(QStringLiteral("author"), version.author);
        d.Text(QStringLiteral("comment"), version.comment);
        d.Text(QStringLiteral("xml"), version.xml);
        d.End();
    }
    d.Line(QStringLiteral("functionsNum"), data.functionsNum);
    d.Line(QStringLiteral("funcHeaderFormHeight"), data.funcHeaderFormHeight);
    d.Fields(kEnvironmentFields, data);
    d.Line(QStringLiteral("uniqueLabelMethod"), data.uniqueLabelMethod);
    d.Text(QStringLiteral("uniqueLabelPrefix"), data.uniqueLabelPrefix);
    for (const QString& label : data.notUseUniqueLabels)
        d.Text(QStringLiteral("notUseUniqueLabel"), label);
    d.Text(QStringLiteral("MemoText"), data.MemoText);
    d.Font(QStringLiteral("memoFont"), data.memoFont);
    d.Font(QStringLiteral("columnFont"), data.fonts.columnFont);
    d.Font(QStringLiteral("AuVerbFont1"), data.fonts.AuVerbFont1);
    d.Font(QStringLiteral("AuVerbFont2"), data.fonts.AuVerbFont2);
    d.Font(QStringLiteral("StructureDiagramFont"), data.fonts.StructureDiagramFont);
    d.Font(QStringLiteral("ExplanationFont"), data.fonts.ExplanationFont);
    d.Font(QStringLiteral("LogicFont"), data.fonts.LogicFont);
    for (const QString& face : data.recentFontFaces)
        d.Text(QStringLiteral("recentFontFace"), face);
    d.End();
}

void DumpTables(Dumper& d, const CDocumentData& data) {
    d.Begin(QStringLiteral("syntaxSymbols %1").arg(data.SyntaxSymbols.size()));
    for (const SyntaxSymbol& s : data.SyntaxSymbols) {
        d.Line(QStringLiteral("symbol"), QStringLiteral("id=%1 %2 column=%3 indent=%4 simple=%5")
                                             .arg(s.ID)
                                             .arg(Escape(s.keyword))
                                             .arg(s.Column)
                                             .arg(s.Indent)
                                             .arg(Escape(s.Simple)));
        d.Font(QStringLiteral("  font"), s.font);
    }
    d.End();
    d.Begin(QStringLiteral("functionAttributes %1").arg(data.FunctionAttributes.size()));
    for (const FunctionAttribute& a : data.FunctionAttributes)
        d.Line(QStringLiteral("attribute"),
               QStringLiteral("id=%1 %2 %3").arg(a.id).arg(Escape(a.symbol), Escape(a.details)));
    d.End();
    d.Begin(QStringLiteral("auxiliaryVerbs %1").arg(data.AuxiliaryVerbs.size()));
    for (const AuxiliaryVerb& v : data.AuxiliaryVerbs)
        d.Line(QStringLiteral("verb"), QStringLiteral("id=%1 %2 flag=%3").arg(v.id).arg(Escape(v.verb)).arg(v.flag));
    d.End();
    d.Begin(QStringLiteral("FAreaTable"));
    d.Fields(kLogicAreaFields, data.FAreaTable);
    d.End();
}

void DumpEnvironment(Dumper& d, const CEnvironmentOptions& e) {
    d.Begin(QStringLiteral("environment"));
    d.Fields(kEnvironmentTextFields, e);
    d.Fields(kEnvironmentOptionFields, e);
    d.Fields(kStructureDiagramFields, e.structureDiagram);
    d.End();
}

void DumpSettingsTables(Dumper& d, const CDocumentData& data) {
    d.Begin(QStringLiteral("settingsTables"));
    d.Fields(kTitleFields, data.TitleTable);
    d.Begin(QStringLiteral("indexView"));
    d.Fields(kIndexViewFields, data.indexViewSettings);
    d.Fields(kIndexViewFonts, data.indexViewSettings);
    d.End();
    d.Begin(QStringLiteral("indexViewInfo"));
    d.Fields(kIndexViewInfoFields, data.documentHeader.indexViewInfo);
    d.End();
    d.Begin(QStringLiteral("headerIO"));
    d.Fields(kHeaderIOFields, data.headerIOSettings);
    d.End();
    for (const QString& group : data.lineMarkTable.groupNames)
        d.Text(QStringLiteral("markGroup"), group);
    for (const LineMarkTable::Attribute& a : data.lineMarkTable.attributes)
        d.Line(QStringLiteral("markAttribute"), QStringLiteral("%1 colour=%2 shape=%3 group=%4")
                                                    .arg(Escape(a.name))
                                                    .arg(a.colorNo)
                                                    .arg(a.shape)
                                                    .arg(a.groupNo));
    d.Line(QStringLiteral("fuzzwordTargets"),
           QStringLiteral("%1 %2").arg(data.fuzzwords.ckFunction).arg(data.fuzzwords.ckLogic));
    for (const QString& word : data.fuzzwords.words)
        d.Text(QStringLiteral("fuzzword"), word);
    const SimilarWordSettings& sw = data.similarWords;
    d.Line(
        QStringLiteral("similar"),
        QStringLiteral("%1 %2 %3 %4 %5").arg(sw.agreement).arg(sw.scope).arg(sw.length).arg(sw.show).arg(sw.complete));
    for (const auto& rule : data.intraMemberConsistencyRules)
        d.Line(QStringLiteral("sameMemberRule"),
               QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                   .arg(rule->doFlag)
                   .arg(Escape(rule->if1Member), Escape(rule->if1Status), Escape(rule->if2Member),
                        Escape(rule->if2Status), Escape(rule->doMember), Escape(rule->doStatus)));
    for (const auto& rule : data.inconsistencyRules) {
        d.Line(QStringLiteral("semanticRelation"),
               QStringLiteral("%1 %2").arg(rule->conditionCount).arg(Escape(rule->message)));
        for (const CInconsistencyRule::UnitSentence& sentence : rule->conditions)
            d.Line(QStringLiteral("  sentence"), Escape(sentence.member) + ' ' + Escape(sentence.state));
    }
    const NaturalSentenceWords& w = data.naturalSentenceWords;
    for (const QString& word : {w.BeginComment,
                                w.BeginConditionalSequence,
                                w.BeginLoop,
                                w.ClausePunctuation,
                                w.ConditionalSequenceConjunction,
                                w.EndComment,
                                w.EndConditionalSequence,
                                w.EndLoop,
                                w.EnumeratedNegationConjunction,
                                w.ExitLoop,
                                w.FunctionCallPostfix,
                                w.ImperativeInfix,
                                w.ImperativePostfix,
                                w.Ineffective,
                                w.InfixPunctuation,
                                w.NegativeInfix,
                                w.NegativePostfix,
                                w.PositiveInfix,
                                w.PositivePostfix,
                                w.SentencePunctuation,
                                w.TotalNegationPostfix})
        d.Text(QStringLiteral("sentenceWord"), word);
    d.Line(QStringLiteral("sentenceOptions"), QStringLiteral("%1 %2 %3 %4 %5 %6 language=%7")
                                                  .arg(w.ElswFlag)
                                                  .arg(w.NestUse)
                                                  .arg(w.QuartUse)
                                                  .arg(w.SignUseFunction)
                                                  .arg(w.SignUseMember)
                                                  .arg(w.SignUseState)
                                                  .arg(w.language));
    for (const QuantifierEntry& q : data.quantifiers.entries)
        d.Line(QStringLiteral("quantifier"), QStringLiteral("%1 %2 type=%3 infix=%4")
                                                 .arg(Escape(q.quantifier), Escape(q.opposite))
                                                 .arg(q.type)
                                                 .arg(q.infix));
    const SentenceParticles& p = data.particles;
    d.Line(QStringLiteral("particles"),
           QStringLiteral("%1 %2 %3 %4 language=%5")
               .arg(Escape(p.ifParticle), Escape(p.switchParticle), Escape(p.doInfix), Escape(p.doSuffix))
               .arg(p.language));
    d.Begin(QStringLiteral("testTable"));
    d.Fields(kDecisionTableLayoutFields, data.TestTable);
    d.Fields(kDecisionTableLayoutTexts, data.TestTable);
    d.End();
    d.Begin(QStringLiteral("versionControl"));
    d.Fields(kVersionControlFields, data.VersionControlTable);
    d.End();
    const WorkTableSettings& work = data.WorkTable;
    for (const QString& name : work.WorkName)
        d.Text(QStringLiteral("workName"), name);
    d.Begin(QStringLiteral("work"));
    d.Fields(kWorkTableFields, work);
    d.Line(QStringLiteral("factors"),
           QStringLiteral("%1 %2 %3")
               .arg(Float(work.UnitDayToHour), Float(work.UnitMonthToDay), Float(work.UnitYearToMonth)));
    d.End();
    const FileNameSettings& f = data.fileNames;
    d.Line(QStringLiteral("fileNames"),
           QStringLiteral("%1 %2 %3 %4 %5 column=%6")
               .arg(Escape(f.traceExportFileName), Escape(f.traceImportFileName), Escape(f.attributeExportFileName),
                    Escape(f.attributeImportFileName), Escape(f.flowchartFileName))
               .arg(f.flowchartColumnOption));
    for (const QString& name : data.FlowchartName)
        d.Text(QStringLiteral("process"), name);
    d.Begin(QStringLiteral("idTable"));
    d.Fields(kIDTableFields, data.IDTable);
    d.End();
    for (const GeneratorOutputOptions* o : {&data.decisionTableOptions, &data.testSpecificationOptions}) {
        d.Begin(QStringLiteral("generator"));
        d.Fields(kGeneratorOutputFields, *o);
        d.Text(QStringLiteral("FileName"), o->FileName);
        d.End();
    }
    d.Begin(QStringLiteral("exportExplanations"));
    d.Fields(kExportExplanationsFields, data.exportExplanationsOptions);
    d.Fields(kExportExplanationsTexts, data.exportExplanationsOptions);
    d.End();
    const PrintSettings& ps = data.printSettings;
    d.Line(QStringLiteral("printout"), data.selectedPrintout);
    for (const PrintSection& section : ps.sections) {
        d.Begin(QStringLiteral("printSection"));
        d.Fields(kPrintSectionFields, section);
        d.End();
    }
    for (const PrintTitleLine& line : ps.titleLines) {
        d.Begin(QStringLiteral("printTitle"));
        d.Text(QStringLiteral("text"), line.text);
        d.Fields(kPrintTitleLineFields, line);
        d.End();
    }
    d.Fields(kPrintTitleFonts, ps);
    d.Begin(QStringLiteral("printMargins"));
    d.Fields(kPrintMarginFields, ps);
    d.End();
    for (const PrintHeaderFooterKinds* kinds : {&ps.headerKinds, &ps.footerKinds}) {
        d.Begin(QStringLiteral("printHeaderFooter"));
        d.Fields(kPrintHeaderFooterFields, *kinds);
        d.End();
    }
    d.Fields(kPrintHeaderFooterTexts, ps);
    for (const CMemberDefinition& member : data.memberDefinitions) {
        d.Line(QStringLiteral("member"), Escape(member.name) + ' ' + Escape(member.explanation));
        for (const CStateDefinition& state : member.states)
            d.Line(QStringLiteral("  state"), Escape(state.name) + ' ' + Escape(state.explanation));
    }
    d.End();
}

// Pre-order with an explicit stack: a converted map can be tens of thousands of levels deep.
void DumpIndex(Dumper& d, const CAbstractIndexItem& root) {
    std::vector<const CAbstractIndexItem*> pending{&root};
    while (!pending.empty()) {
        const CAbstractIndexItem& item = *pending.back();
        pending.pop_back();
        d.Line(item.GetOutlineNumberString(),
               item.unitFunction
                   ? QStringLiteral("%1 %2").arg(item.unitFunction->InternalID).arg(Escape(item.unitFunction->name))
                   : QStringLiteral("-"));
        for (auto child = item.children.rbegin(); child != item.children.rend(); ++child)
            pending.push_back(&*child);
    }
}

void DumpLine(Dumper& d, const CLogicLine& line) {
    d.Line(QStringLiteral("line"), QStringLiteral("kind=%1 called=%2 top=%3 next=%4 home=%5 home2=%6 end=%7 "
                                                  "slots=%8 auVerbFlag=%9 auVerbId=%10 mark=%11 transition=%12")
                                       .arg(line.lineKind)
                                       .arg(line.calledInternalID)
                                       .arg(line.Top)
                                       .arg(line.Next)
                                       .arg(line.Home)
                                       .arg(line.Home2)
                                       .arg(line.End)
                                       .arg(line.slotCount)
                                       .arg(line.auxiliaryVerbFlag)
                                       .arg(line.auxiliaryVerbId)
                                       .arg(line.mark)
                                       .arg(line.transitionAttribute));
    for (std::size_t i = 0; i < line.textSlots.size(); ++i) {
        const TextSlot& slot = line.textSlots[i];
        if (!slot.text.isEmpty() || slot.Font() != FontSetting()) {
            d.Text(QStringLiteral("  slot%1").arg(i + 1), slot.text);
            d.Font(QStringLiteral("  slotFont%1").arg(i + 1), slot.Font());
        }
    }
    if (!line.Memo().isEmpty())
        d.Text(QStringLiteral("  memo"), line.Memo());
    for (const QString& url : line.Urls()) {
        if (!url.isEmpty())
            d.Text(QStringLiteral("  url"), url);
    }
}

void DumpFunction(Dumper& d, const CUnitFunction& f, bool distinguish) {
    d.Begin(QStringLiteral("function %1").arg(f.InternalID));
    d.Text(QStringLiteral("name"), f.name);
    d.Line(QStringLiteral("outline"), f.GetOutlineNumberText(distinguish));
    QStringList children;
    for (const CUnitFunction* child : f.children)
        children << QString::number(child->InternalID);
    d.Line(QStringLiteral("children"), children.join(QLatin1Char(' ')));
    d.Line(QStringLiteral("primaryParent"), f.primaryParent ? f.primaryParent->InternalID : 0);
    d.Text(QStringLiteral("codeSymbol"), f.codeSymbol);
    const CUnitFunctionHeader& h = f.header;
    d.Text(QStringLiteral("content"), h.contentText);
    d.Line(QStringLiteral("contentLineNum"), h.contentLineNum);
    d.Line(QStringLiteral("modifiedWhenZoom"), h.modifiedWhenZoom);
    d.Font(QStringLiteral("contentFont"), h.contentFont);
    d.Line(
        QStringLiteral("object"),
        QStringLiteral("%1 original=%2").arg(QString::fromLatin1(h.objectData.toBase64())).arg(h.objectOriginalSize));
    d.Line(QStringLiteral("work"),
           QStringLiteral("unit=%1 typeNo=%2 type=%3 sign=%4 child=%5 work=%6 total=%7 show=%8")
               .arg(h.Unit)
               .arg(h.TypeNo)
               .arg(Escape(h.Type), Escape(h.Sign), Float(h.Child), Float(h.Work), Float(h.Total), Float(h.ShowWork)));
    for (std::size_t i = 0; i < h.workItems.size(); ++i) {
        const WorkItem& item = h.workItems[i];
        if (item.Current != 0.0f || item.Under != 0.0f || item.Total != 0.0f || item.ShowCurrent != 0.0f)
            d.Line(QStringLiteral("workItem"),
                   QStringLiteral("%1 %2 %3 %4 %5")
                       .arg(i)
                       .arg(Float(item.Current), Float(item.Under), Float(item.Total), Float(item.ShowCurrent)));
    }
    for (const QString& requirement : h.ownRequirements)
        d.Text(QStringLiteral("requirement"), requirement);
    d.Text(QStringLiteral("uniqueLabel"), h.uniqueLabel);
    d.Line(QStringLiteral("reasonUnnecessary"), h.UnNecessaryReasoning);
    d.Text(QStringLiteral("reason"), h.Reasoning);
    d.Line(
        QStringLiteral("panes"),
        QStringLiteral("%1 %2 %3 %4").arg(h.FunctionHeight).arg(h.InputWidth).arg(h.FunctionWidth).arg(h.OutputWidth));
    d.Begin(QStringLiteral("lines %1").arg(f.logicLines.size()));
    for (const auto& line : f.logicLines)
        DumpLine(d, *line);
    d.End();
    d.End();
}

} // namespace

QString DumpDocument(const CDocumentData& data) {
    QString text;
    QTextStream out(&text);
    Dumper dumper(out);
    DumpDocumentElement(dumper, data);
    DumpTables(dumper, data);
    DumpEnvironment(dumper, data.environment);
    DumpSettingsTables(dumper, data);
    dumper.Begin(QStringLiteral("index"));
    DumpIndex(dumper, data.indexRoot);
    dumper.End();
    const bool distinguish = data.GetModelOptions().DistinguishPrimaryOutlineNumber;
    for (const auto& [id, function] : data.registry.Functions())
        DumpFunction(dumper, function, distinguish);
    out.flush();
    return text;
}

} // namespace tools
