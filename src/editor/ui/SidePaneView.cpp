#include "editor/ui/SidePaneView.h"

#include "editor/LogicEditModel.h"
#include "editor/SidePaneLines.h"
#include "editor/ui/RichEditCtrlEx.h"
#include "editor/ui/SplREdit.h"
#include "model/DocumentData.h"

#include <QAbstractTextDocumentLayout>
#include <QLabel>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextFrame>

CSidePaneView::CSidePaneView(CDocumentData& document, CUnitFunction& function, const QString& caption, QWidget* parent)
    : QWidget(parent), m_document(document), m_function(function) {
    m_caption = new QLabel(caption, this);
    m_caption->adjustSize();
    m_left = new CRichEditCtrlEx(this);
    m_right = new CRichEditCtrlEx(this);
    // Each column scrolls with the editor, not by its own bars: whatever moves a column puts it back beside the
    // editor.
    for (CRichEditCtrlEx* column : {m_left, m_right}) {
        column->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        connect(column->verticalScrollBar(), &QScrollBar::valueChanged, this, &CSidePaneView::ScrollWithEditor);
        connect(column->verticalScrollBar(), &QScrollBar::rangeChanged, this, &CSidePaneView::ScrollWithEditor);
    }
}

CSidePaneView::~CSidePaneView() {
    AttachModel(nullptr);
}

void CSidePaneView::AttachModel(CLogicEditModel* model) {
    if (m_model)
        m_model->RemoveListener(*this);
    m_model = model;
    if (m_model)
        m_model->AddListener(*this);
    if (model)
        Refill();
}

void CSidePaneView::Refill() {
    const std::vector<SidePaneLine> lines = BuildLines();
    const bool japanese = m_document.documentLanguage == 1;
    // The column font in the colour the document gives each column.
    FontSetting left = m_document.fonts.columnFont;
    FontSetting right = m_document.fonts.columnFont;
    left.colour = static_cast<quint32>(m_document.headerIOSettings.Color1);
    right.colour = static_cast<quint32>(m_document.headerIOSettings.Color2);
    for (CRichEditCtrlEx* column : {m_left, m_right}) {
        column->setUpdatesEnabled(false);
        column->clear();
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        const QString lineEnd = i + 1 < lines.size() ? QStringLiteral("\n") : QString();
        left.pointSize = right.pointSize = static_cast<quint16>(lines[i].pointSize);
        m_left->AppendWithFont(left, lines[i].left + lineEnd, japanese);
        m_right->AppendWithFont(right, lines[i].right + lineEnd, japanese);
    }
    ApplyLineHeights();
    LeaveRoomBelowLastLine();
    for (CRichEditCtrlEx* column : {m_left, m_right})
        column->setUpdatesEnabled(true);
    ScrollWithEditor();
}

void CSidePaneView::FollowEditor(const CSplREdit& editor) {
    m_editor = &editor;
    const QScrollBar* bar = editor.verticalScrollBar();
    connect(bar, &QScrollBar::valueChanged, this, &CSidePaneView::ScrollWithEditor, Qt::UniqueConnection);
    connect(bar, &QScrollBar::rangeChanged, this, &CSidePaneView::ScrollWithEditor, Qt::UniqueConnection);
    // The editor's own paging through its track moves its lines with the bar's signals blocked: what moves its
    // lines is heard instead.
    connect(&editor, &QPlainTextEdit::updateRequest, this, [this](const QRect&, int dy) {
        if (dy != 0)
            ScrollWithEditor();
    });
    connect(&editor, &CSplREdit::ModelChanged, this, &CSidePaneView::ApplyLineHeights, Qt::UniqueConnection);
    connect(editor.document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
            &CSidePaneView::ApplyLineHeights, Qt::UniqueConnection);
    ApplyLineHeights();
}

void CSidePaneView::ApplyLineHeights() {
    if (!m_editor)
        return;
    const QTextDocument* editorText = m_editor->document();
    const QAbstractTextDocumentLayout* editorLayout = editorText->documentLayout();
    for (CRichEditCtrlEx* column : {m_left, m_right}) {
        QTextCursor cursor(column->document());
        QTextBlock beside = editorText->begin();
        for (QTextBlock block = column->document()->begin(); block.isValid() && beside.isValid();
             block = block.next(), beside = beside.next()) {
            const qreal height = editorLayout->blockBoundingRect(beside).height();
            QTextBlockFormat format = block.blockFormat();
            if (format.lineHeightType() == QTextBlockFormat::FixedHeight && format.lineHeight() == height)
                continue;
            format.setLineHeight(height, QTextBlockFormat::FixedHeight);
            cursor.setPosition(block.position());
            cursor.setBlockFormat(format);
        }
    }
    ScrollWithEditor();
}

void CSidePaneView::LeaveRoomBelowLastLine() {
    for (CRichEditCtrlEx* column : {m_left, m_right}) {
        QTextFrame* root = column->document()->rootFrame();
        QTextFrameFormat format = root->frameFormat();
        const qreal room = column->viewport()->height();
        if (format.bottomMargin() != room) {
            format.setBottomMargin(room);
            root->setFrameFormat(format);
        }
    }
}

void CSidePaneView::SetMessageContext(const CMessageContext* context) {
    for (CRichEditCtrlEx* column : {m_left, m_right})
        column->SetMessageContext(context);
}

void CSidePaneView::ScrollWithEditor() {
    if (!m_editor)
        return;
    // The editor scrolls by whole lines: its scroll value is the line it shows at its top, which stands below the
    // document's margin at the very top and right at the viewport's top further down. The column shows its line
    // where the editor shows it.
    const int line = m_editor->verticalScrollBar()->value();
    const qreal besideTop = m_editor->LineRect(line).top();
    for (CRichEditCtrlEx* column : {m_left, m_right}) {
        const QTextDocument* text = column->document();
        const QAbstractTextDocumentLayout* layout = text->documentLayout();
        const QTextBlock block = text->findBlockByNumber(line);
        // Past the last line (the editor's append line) the column shows the room below it.
        const qreal top = block.isValid() ? layout->blockBoundingRect(block).top()
                                          : layout->blockBoundingRect(text->lastBlock()).bottom();
        column->verticalScrollBar()->setValue(qRound(top - besideTop));
    }
}

QStringList CSidePaneView::ColumnLines(bool left) const {
    const QString text = (left ? m_left : m_right)->toPlainText();
    return text.isEmpty() && m_function.logicLines.empty() ? QStringList() : text.split(u'\n');
}

void CSidePaneView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int cx = width();
    const int cy = height();
    m_caption->move((cx - m_caption->width()) / 2, 0);
    // The columns start level with the logic editor beside them, whose form puts it under its candidate box,
    // so that their lines read across with the editor's.
    constexpr int kColumnsTop = 22;
    m_left->setGeometry(2, kColumnsTop, std::max(0, cx / 2 - 4), std::max(0, cy - kColumnsTop - 1));
    m_right->setGeometry(cx / 2 + 2, kColumnsTop, std::max(0, cx / 2 - 4), std::max(0, cy - kColumnsTop - 1));
    LeaveRoomBelowLastLine();
    ScrollWithEditor();
}
