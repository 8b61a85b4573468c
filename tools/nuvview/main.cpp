// nuvview: the navigation views' layouts and lists of a document, for tests.
//   nuvview chart DOC [--zoom Z] [--fold OUTLINE]...   the chart's boxes in drawing order, its extent, scroll size
//                                                      and page count
//   nuvview diagram DOC [--zoom Z] [--pane-width P]    the structure diagram's boxes and its copied image's size
//   nuvview list DOC [--sort KEY] [--descending]       the unit-function list's rows; KEY is a column's header
//   nuvview toc DOC [--prefix] [--postfix]             the outline-ordered items, indented, with their icons

#include "model/DocumentData.h"
#include "support/ToolSupport.h"
#include "texts/MessageContext.h"
#include "views/FunctionListRows.h"
#include "views/HierarchicalChart.h"
#include "views/OutlineIndexItems.h"
#include "views/StructureDiagramLayout.h"

#include <optional>
#include <vector>

namespace {

const QString kTool = QStringLiteral("nuvview");

int Usage() {
    return tools::Usage(QStringLiteral("usage: nuvview chart DOC [--zoom Z] [--fold OUTLINE]...\n"
                                       "       nuvview diagram DOC [--zoom Z] [--pane-width P]\n"
                                       "       nuvview list DOC [--sort KEY] [--descending]\n"
                                       "       nuvview toc DOC [--prefix] [--postfix]\n"));
}

QString RectText(const QRect& rect) {
    return QStringLiteral("%1 %2 %3 %4").arg(rect.left()).arg(rect.top()).arg(rect.width()).arg(rect.height());
}

using Options = tools::CommandOptions;

bool ReadInt(const QString& text, int& value) {
    bool ok = false;
    value = text.toInt(&ok);
    return ok;
}

int Chart(CDocumentData& data, const Options& options) {
    CAbstractIndexItem& root = data.indexRoot;
    for (const QString& text : options.Values(QStringLiteral("--fold"))) {
        OutlineNumber number;
        CAbstractIndexItem* item =
            ParseOutlineNumber(text, number) ? CAbstractIndexItem::FindByOutlineNumber(&root, number, 0) : nullptr;
        if (text == QLatin1String("0"))
            item = &root;
        if (!item)
            return tools::Fail(kTool, QStringLiteral("no item %1").arg(text));
        item->chartExpanded = 0;
    }
    HierarchicalIndexSettings& settings = data.indexViewSettings;
    int zoom = 0;
    if (!options.Value(QStringLiteral("--zoom")).isEmpty()) {
        if (!ReadInt(options.Value(QStringLiteral("--zoom")), zoom))
            return Usage();
        settings.HierZoomVal = zoom;
        settings.HierZoomWindowAdj = 0;
    }
    CHierarchicalChart chart;
    chart.ApplySettings(settings, QSize());
    chart.Rebuild(&root);
    chart.RecalcLayout();
    QStringList lines;
    for (const CHierarchicalChart::Box& box : chart.Boxes()) {
        if (box.Shown())
            lines << box.item->GetOutlineNumberString() + QLatin1Char('\t') + RectText(box.pageRect);
    }
    lines << QStringLiteral("extent %1 %2").arg(chart.Extent().width()).arg(chart.Extent().height());
    lines << QStringLiteral("scroll %1 %2").arg(chart.ScrollSize().width()).arg(chart.ScrollSize().height());
    lines << QStringLiteral("pages %1").arg(chart.PageCount());
    tools::WriteLines(lines);
    return 0;
}

int Diagram(CDocumentData& data, const Options& options) {
    StructureDiagramSettings& settings = data.environment.structureDiagram;
    int zoom = settings.defaultZoom;
    int paneWidth = 800;
    if ((!options.Value(QStringLiteral("--zoom")).isEmpty() &&
         !ReadInt(options.Value(QStringLiteral("--zoom")), zoom)) ||
        !ReadInt(options.Value(QStringLiteral("--pane-width"), QStringLiteral("800")), paneWidth))
        return Usage();
    settings.defaultZoom = zoom;
    const CStructureDiagramLayout layout(settings);
    CAbstractIndexItem& root = data.indexRoot;
    const CStructureDiagramLayout::Scale scale = layout.Scales(root, paneWidth);
    QStringList lines;
    layout.Walk(root, scale, QPoint(), [&lines](const CStructureDiagramLayout::Placed& placed) {
        lines << placed.item->GetOutlineNumberString() + QLatin1Char('\t') + RectText(placed.box);
        return true;
    });
    const QSize image = layout.ImageSize(root);
    lines << QStringLiteral("image %1 %2").arg(image.width()).arg(image.height());
    tools::WriteLines(lines);
    return 0;
}

int List(CDocumentData& data, const Options& options) {
    const QString key = options.Value(QStringLiteral("--sort"));
    int column = CFunctionListRows::OutlineNumberColumn;
    if (!key.isEmpty()) {
        column = -1;
        for (int language : {1, 0}) {
            CMessageContext context;
            context.m_language = language;
            for (int c = 0; c < CFunctionListRows::ColumnCount && column < 0; ++c)
                if (CFunctionListRows::HeaderText(context, c) == key)
                    column = c;
        }
        if (column < 0)
            return tools::Fail(kTool, QStringLiteral("no column %1").arg(key));
    }
    const bool distinguish = data.environment.distinguishPrimaryOutlineNumber != 0;
    CFunctionListRows rows;
    rows.SetSort(column, options.Has(QStringLiteral("--descending")));
    rows.Refresh(data.registry, distinguish);
    QStringList lines;
    for (const CUnitFunction* function : rows.Rows()) {
        QStringList cells;
        for (int c = 0; c < CFunctionListRows::ColumnCount; ++c)
            cells << CFunctionListRows::CellText(*function, c, distinguish);
        lines << cells.join(QLatin1Char('\t'));
    }
    tools::WriteLines(lines);
    return 0;
}

int Toc(CDocumentData& data, const Options& options) {
    const bool prefix = options.Has(QStringLiteral("--prefix"));
    const bool postfix = options.Has(QStringLiteral("--postfix"));
    const ModelOptions modelOptions = data.GetModelOptions();
    QStringList lines;
    std::vector<std::pair<const CAbstractIndexItem*, int>> pending{{&data.indexRoot, 0}};
    while (!pending.empty()) {
        const auto [item, depth] = pending.back();
        pending.pop_back();
        lines << QString(depth, QLatin1Char('\t')) +
                     COutlineIndexItems::ItemText(*item, modelOptions, prefix, postfix) + QLatin1Char('\t') +
                     QString::number(COutlineIndexItems::ItemIcon(*item));
        for (auto child = item->children.rbegin(); child != item->children.rend(); ++child)
            pending.emplace_back(&*child, depth + 1);
    }
    tools::WriteLines(lines);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    const tools::ToolApplication application(argc, argv);
    const QStringList arguments = application.Arguments();
    if (arguments.size() < 2)
        return Usage();
    const QString command = arguments[0];
    const QStringList rest = arguments.mid(2);
    std::optional<Options> options;
    if (command == QLatin1String("chart"))
        options.emplace(rest, QStringList(), QStringList{QStringLiteral("--zoom"), QStringLiteral("--fold")});
    else if (command == QLatin1String("diagram"))
        options.emplace(rest, QStringList(), QStringList{QStringLiteral("--zoom"), QStringLiteral("--pane-width")});
    else if (command == QLatin1String("list"))
        options.emplace(rest, QStringList{QStringLiteral("--descending")}, QStringList{QStringLiteral("--sort")});
    else if (command == QLatin1String("toc"))
        options.emplace(rest, QStringList{QStringLiteral("--prefix"), QStringLiteral("--postfix")}, QStringList());
    if (!options || options->Bad())
        return Usage();

    CDocumentData data;
    if (const std::optional<int> failed = tools::LoadOrFail(kTool, arguments[1], data))
        return *failed;
    if (command == QLatin1String("chart"))
        return Chart(data, *options);
    if (command == QLatin1String("diagram"))
        return Diagram(data, *options);
    if (command == QLatin1String("list"))
        return List(data, *options);
    return Toc(data, *options);
}
