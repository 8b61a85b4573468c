#include "interchange/DocumentComparison.h"
#include "model/DocumentData.h"
#include "model/UnitFunctionRegistry.h"
#include "support/ProgramRun.h"
#include "support/QStringPrinter.h"
#include "support/ToolSupport.h"
#include "support/logic/LogicScript.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

std::unique_ptr<CLogicLine> DoLine(const QString& text) {
    std::vector<std::pair<CLogicLine*, QString>> pending;
    return MakeScriptLine(QStringLiteral("Do ") + text, pending);
}

LogicLineArray Lines(std::initializer_list<const char*> texts) {
    LogicLineArray lines;
    for (const char* text : texts)
        lines.push_back(DoLine(QString::fromUtf8(text)));
    return lines;
}

// Applies an edit script to the older lines' texts; it must give the newer ones.
QStringList Apply(const std::vector<LineEdit>& script, const LogicLineArray& older, const LogicLineArray& newer) {
    QStringList result;
    for (const LineEdit& edit : script) {
        if (edit.kind == LineEdit::Same) {
            EXPECT_FALSE(LogicLinesDiffer(*older[edit.olderIndex], *newer[edit.newerIndex]));
            result.append(older[edit.olderIndex]->textSlots[0].text);
        } else if (edit.kind == LineEdit::Added) {
            result.append(newer[edit.newerIndex]->textSlots[0].text);
        }
    }
    return result;
}

QStringList Texts(const LogicLineArray& lines) {
    QStringList texts;
    for (const auto& line : lines)
        texts.append(line->textSlots[0].text);
    return texts;
}

TEST(DocumentComparison, EditScriptsAreShortestAndTurnOneDescriptionIntoTheOther) {
    const std::vector<std::pair<LogicLineArray, LogicLineArray>> cases = [] {
        std::vector<std::pair<LogicLineArray, LogicLineArray>> list;
        list.emplace_back(Lines({"<A>を{a}せよ", "<B>を{b}せよ", "<C>を{c}せよ"}),
                          Lines({"<A>を{a}せよ", "<C>を{c}せよ"}));
        list.emplace_back(Lines({"<A>を{a}せよ"}),
                          Lines({"<X>を{x}せよ", "<A>を{a}せよ", "<Y>を{y}せよ", "<Z>を{z}せよ"}));
        list.emplace_back(Lines({}), Lines({"<A>を{a}せよ"}));
        list.emplace_back(Lines({"<A>を{a}せよ", "<B>を{b}せよ"}), Lines({}));
        list.emplace_back(Lines({"<A>を{a}せよ", "<B>を{b}せよ", "<C>を{c}せよ", "<D>を{d}せよ"}),
                          Lines({"<B>を{b}せよ", "<A>を{a}せよ", "<D>を{d}せよ", "<C>を{c}せよ"}));
        return list;
    }();
    const std::vector<int> shortest = {1, 3, 1, 2, 4};
    for (size_t i = 0; i < cases.size(); ++i) {
        const auto& [older, newer] = cases[i];
        const std::vector<LineEdit> script = CDocumentComparison::DiffLines(older, newer);
        EXPECT_EQ(Apply(script, older, newer), Texts(newer)) << "case " << i;
        const auto edits = std::count_if(script.begin(), script.end(),
                                         [](const LineEdit& edit) { return edit.kind != LineEdit::Same; });
        EXPECT_EQ(edits, shortest[i]) << "case " << i;
    }
}

namespace {

// The edit script as the O(NP) algorithm reads it back from every point it visited.
std::vector<LineEdit> DiffKeepingEveryPoint(const LogicLineArray& older, const LogicLineArray& newer) {
    const bool swapped = older.size() > newer.size();
    const LogicLineArray& a = swapped ? newer : older;
    const LogicLineArray& b = swapped ? older : newer;
    const int m = static_cast<int>(a.size());
    const int n = static_cast<int>(b.size());
    const int delta = n - m;
    const int offset = m + 1;
    struct Point {
        int x;
        int y;
        int previous;
    };
    std::vector<Point> points;
    std::vector<int> furthest(static_cast<std::size_t>(m + n + 3), -1);
    std::vector<int> pathOf(furthest.size(), -1);
    const auto snake = [&](int k) {
        const int down = furthest[k - 1 + offset] + 1;
        const int right = furthest[k + 1 + offset];
        const int previous = down > right ? pathOf[k - 1 + offset] : pathOf[k + 1 + offset];
        int y = std::max(down, right);
        int x = y - k;
        while (x < m && y < n && !LogicLinesDiffer(*a[x], *b[y])) {
            ++x;
            ++y;
        }
        furthest[k + offset] = y;
        pathOf[k + offset] = static_cast<int>(points.size());
        points.push_back({x, y, previous});
    };
    for (int p = 0; furthest[delta + offset] != n; ++p) {
        for (int k = -p; k < delta; ++k)
            snake(k);
        for (int k = delta + p; k > delta; --k)
            snake(k);
        snake(delta);
    }
    std::vector<Point> path;
    for (int at = pathOf[delta + offset]; at >= 0; at = points[at].previous)
        path.push_back(points[at]);
    std::reverse(path.begin(), path.end());
    std::vector<LineEdit> script;
    int x = 0;
    int y = 0;
    const auto append = [&](LineEdit::Kind kind, int ia, int ib) {
        if (swapped) {
            std::swap(ia, ib);
            if (kind != LineEdit::Same)
                kind = kind == LineEdit::Added ? LineEdit::Removed : LineEdit::Added;
        }
        script.push_back({kind, ia, ib});
    };
    for (const Point& point : path) {
        while (x < point.x || y < point.y) {
            if (point.y - point.x > y - x) {
                append(LineEdit::Added, -1, y++);
            } else if (point.y - point.x < y - x) {
                append(LineEdit::Removed, x++, -1);
            } else {
                append(LineEdit::Same, x++, y++);
            }
        }
    }
    return script;
}

// A line as a comment or a Do line of its text; a comment line's unused slot holds a text of its own.
struct PlannedLine {
    bool comment;
    QString text;
};

LogicLineArray LinesOf(const std::vector<PlannedLine>& plan, std::mt19937& random) {
    LogicLineArray lines;
    for (const PlannedLine& planned : plan) {
        auto line = std::make_unique<CLogicLine>();
        line->lineKind = planned.comment ? SyntaxComment : SyntaxDo;
        line->slotCount = static_cast<quint8>(CLogicLine::SlotsOfKind(line->lineKind));
        line->textSlots[0].text = planned.text;
        line->textSlots[3].text = QString::number(random());
        lines.push_back(std::move(line));
    }
    return lines;
}

// Lines of few texts, so that many scripts are equally short, and `uniquePercent` in a hundred of texts of their own,
// which bound the search.
std::vector<PlannedLine> RandomPlan(std::mt19937& random, int count, int texts, unsigned uniquePercent) {
    std::vector<PlannedLine> plan;
    for (int i = 0; i < count; ++i) {
        const bool comment = random() % 4 == 0;
        const bool unique = random() % 100 < uniquePercent;
        plan.push_back({comment, unique ? QStringLiteral("u%1").arg(random()) : QString::number(random() % texts)});
    }
    return plan;
}

// `plan` edited here and there: lines removed, replaced, added, and a block moved, so that the lines found on one
// side only fall short of the edits.
std::vector<PlannedLine> EditedPlan(std::mt19937& random, const std::vector<PlannedLine>& plan, int texts) {
    std::vector<PlannedLine> edited;
    for (const PlannedLine& line : plan) {
        switch (random() % 12) {
        case 0:
            break;
        case 1:
            edited.push_back({line.comment, QStringLiteral("v%1").arg(random())});
            break;
        case 2:
            edited.push_back(line);
            edited.push_back({false, QString::number(random() % texts)});
            break;
        default:
            edited.push_back(line);
        }
    }
    if (edited.size() > 4 && random() % 2 == 0) {
        const auto from = random() % edited.size();
        const auto length = std::min<std::size_t>(1 + random() % 8, edited.size() - from);
        std::vector<PlannedLine> block(edited.begin() + static_cast<std::ptrdiff_t>(from),
                                       edited.begin() + static_cast<std::ptrdiff_t>(from + length));
        edited.erase(edited.begin() + static_cast<std::ptrdiff_t>(from),
                     edited.begin() + static_cast<std::ptrdiff_t>(from + length));
        const auto to = random() % (edited.size() + 1);
        edited.insert(edited.begin() + static_cast<std::ptrdiff_t>(to), block.begin(), block.end());
    }
    return edited;
}

bool SameScripts(const std::vector<LineEdit>& a, const std::vector<LineEdit>& b) {
    return std::ranges::equal(a, b, [](const LineEdit& x, const LineEdit& y) {
        return x.kind == y.kind && x.olderIndex == y.olderIndex && x.newerIndex == y.newerIndex;
    });
}

} // namespace

// Kept in bands of any size, and whether lines found on one side only bound the search or not, the path's choices
// give the script of keeping every point, among the equally short: for unrelated descriptions, and for one edited
// into the other.
TEST(DocumentComparison, EditScriptsAreThoseOfKeepingEveryPoint) {
    std::mt19937 random(11);
    for (int round = 0; round < 600; ++round) {
        const bool large = round % 30 == 0;
        const int texts = 2 + static_cast<int>(random() % 5);
        const unsigned uniquePercent = round % 3 == 0 ? 0 : random() % 100;
        const auto count = [&] { return static_cast<int>(random() % (large ? 400 : 40)); };
        const std::vector<PlannedLine> olderPlan = RandomPlan(random, count(), texts, uniquePercent);
        const std::vector<PlannedLine> newerPlan =
            round % 2 == 0 ? EditedPlan(random, olderPlan, texts) : RandomPlan(random, count(), texts, uniquePercent);
        const LogicLineArray older = LinesOf(olderPlan, random);
        const LogicLineArray newer = LinesOf(newerPlan, random);
        const std::vector<LineEdit> expected = DiffKeepingEveryPoint(older, newer);
        for (const std::size_t choicesPerLine :
             {std::size_t{0}, std::size_t{1}, std::size_t{3}, CDocumentComparison::DiffChoicesPerLine}) {
            ASSERT_TRUE(SameScripts(CDocumentComparison::DiffLines(older, newer, choicesPerLine), expected))
                << "round " << round << " keeping " << choicesPerLine << " choices a line";
            ASSERT_TRUE(SameScripts(CDocumentComparison::DiffLines(newer, older, choicesPerLine),
                                    DiffKeepingEveryPoint(newer, older)))
                << "round " << round << " reversed, keeping " << choicesPerLine << " choices a line";
        }
    }
}

class DocumentComparisonFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        m_older = SaveScriptDocument(m_folder.filePath("older.nuv"),
                                     {{"origin", "Fn kept\nFn changed\nFn dropped"},
                                      {"kept", "Do <A>を{a}せよ"},
                                      {"changed", "Do <A>を{a}せよ\nDo <B>を{b}せよ\nDo <C>を{c}せよ"},
                                      {"dropped", "Do <D>を{d}せよ"}});
        // The newer document is the older one edited, so that its unit functions keep their InternalIDs.
        CDocumentData data;
        ASSERT_EQ(tools::LoadDocument(m_older, data), LoadResult::Loaded);
        const ModelOptions options = data.GetModelOptions();
        CUnitFunctionRegistry& registry = data.registry;
        ASSERT_TRUE(registry.DeleteFunction(registry.FindByName("dropped"), data, options));
        CUnitFunction* changed = registry.FindByName("changed");
        changed->logicLines.erase(changed->logicLines.begin() + 1);
        changed->logicLines.push_back(DoLine(QStringLiteral("<E>を{e}せよ")));
        CUnitFunction* added = registry.CreateFunction(QStringLiteral("added"), options);
        CUnitFunction::AppendChild(registry.origin, added);
        registry.FindByName("kept")->logicLines[0]->SetMemo(QStringLiteral("a memo is no difference"));
        registry.RebuildAndNotify(data.indexRoot, options);
        m_newer = m_folder.filePath("newer.nuv");
        ASSERT_TRUE(tools::SaveDocument(data, m_newer, false));
    }

    QTemporaryDir m_folder;
    QString m_older;
    QString m_newer;
};

TEST_F(DocumentComparisonFiles, ReportsAddedRemovedAndChangedFunctionsWithTheirLines) {
    CDocumentData defaults;
    defaults.SetDefaults();
    const ModelOptions options = defaults.GetModelOptions();
    CUnitFunctionRegistry older;
    CUnitFunctionRegistry newer;
    ASSERT_EQ(CDocumentComparison::ReadFile(m_older, older, options), LoadResult::Loaded);
    ASSERT_EQ(CDocumentComparison::ReadFile(m_newer, newer, options), LoadResult::Loaded);
    const std::vector<ComparisonLine> report =
        CDocumentComparison::Compare(older, newer, options, defaults.SyntaxSymbols);
    QStringList texts;
    for (const ComparisonLine& line : report)
        texts.append(line.text);
    // The origin's Fn statements changed with its children: the dropped call went, the added one has none. Lines
    // read as their statements do.
    const QStringList expected = {
        QStringLiteral("[0] The unit function \"origin\" was changed."),
        QStringLiteral("[0 Line 3] Deleted: Fn [ dropped ] (3)"),
        QStringLiteral("[2] The unit function \"changed\" was changed."),
        QStringLiteral("[2 Line 2] Deleted: Do<B>を{b}せよ"),
        QStringLiteral("[2 Line 3] Added: Do<E>を{e}せよ"),
        QStringLiteral("[3] The unit function \"added\" was added."),
        QStringLiteral("[3] The unit function \"dropped\" was deleted."),
        QStringLiteral("Unit functions added: 1, deleted: 1, changed: 2."),
    };
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(report[4].internalID, newer.FindByName("changed")->InternalID);
    EXPECT_EQ(report[4].lineIndex, 2);

    const ProgramRun run = RunProgram(QStringLiteral("nuvdump"), {QStringLiteral("--compare"), m_older, m_newer});
    EXPECT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    EXPECT_EQ(run.Lines(), expected);
    EXPECT_EQ(RunProgram(QStringLiteral("nuvdump"), {QStringLiteral("--compare"), m_older, m_older}).Lines(),
              QStringList{QStringLiteral("There are no differences.")});
    EXPECT_EQ(RunProgram(QStringLiteral("nuvdump"), {QStringLiteral("--compare"), m_older, m_folder.filePath("none")})
                  .exitCode,
              1);
}

TEST_F(DocumentComparisonFiles, TwoStoredVersionsAreComparedAsWellAsAVersionWithTheWorkingData) {
    CDocumentData data;
    ASSERT_EQ(tools::LoadDocument(m_older, data), LoadResult::Loaded);
    const QString path = m_folder.filePath("versions.nuv");
    ASSERT_TRUE(SaveDocumentXmlWithHistory(data, path, VersionHistoryEntry{1, 0, "2026/12/07 10:00:00", "me", ""}));
    CUnitFunction* changed = data.registry.FindByName("changed");
    changed->logicLines.erase(changed->logicLines.begin() + 1);
    ASSERT_TRUE(SaveDocumentXmlWithHistory(data, path, VersionHistoryEntry{1, 1, "2026/12/07 11:00:00", "me", ""}));
    changed->logicLines.push_back(DoLine(QStringLiteral("<E>を{e}せよ")));

    const auto texts = [](const std::vector<ComparisonLine>& report) {
        QStringList lines;
        for (const ComparisonLine& line : report)
            lines.append(line.text);
        return lines;
    };
    std::vector<ComparisonLine> report;
    QString unreadable;
    ASSERT_TRUE(CDocumentComparison::CompareSides(data, {QString(), 0, 1}, report, unreadable));
    EXPECT_EQ(texts(report),
              (QStringList{"[2] The unit function \"changed\" was changed.", "[2 Line 2] Deleted: Do<B>を{b}せよ",
                           "Unit functions added: 0, deleted: 0, changed: 1."}));
    // A stored version's lines are not the working data's: they lead to their unit function only.
    EXPECT_EQ(report[1].lineIndex, -1);

    ASSERT_TRUE(CDocumentComparison::CompareSides(data, {QString(), 1, -1}, report, unreadable));
    EXPECT_EQ(texts(report),
              (QStringList{"[2] The unit function \"changed\" was changed.", "[2 Line 3] Added: Do<E>を{e}せよ",
                           "Unit functions added: 0, deleted: 0, changed: 1."}));
    EXPECT_EQ(report[1].lineIndex, 2);

    EXPECT_FALSE(CDocumentComparison::CompareSides(data, {m_folder.filePath("none.nuv"), 0, 1}, report, unreadable));
    EXPECT_EQ(unreadable, m_folder.filePath("none.nuv"));
}

} // namespace
