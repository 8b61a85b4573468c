#pragma once

#include <QWidget>

#include <functional>
#include <map>
#include <memory>

class CDocumentData;
class CLogicEditModel;
class CSplREdit;
class CSystemLogicClipboard;
class CUnitFunction;
class QComboBox;
class QLabel;
class QPushButton;
struct CMessageContext;

// The logic row of a tab: the caption, the logic editor, the name-candidate box, the toolbox layout box and
// the statement toolbox in five pages. The toolbox page and layout are shared by every form: changing them in
// one tab lays out all tabs again.
class CFunctionView : public QWidget {
    Q_OBJECT
public:
    CFunctionView(CDocumentData& document, CUnitFunction& function, QWidget* parent = nullptr);
    ~CFunctionView() override;

    CSplREdit& Editor() const { return *m_editor; }
    CLogicEditModel& Model() const { return *m_model; }
    // Captions and menus in the context's language.
    void SetMessageContext(const CMessageContext* context);
    // Opens what a link pressed in a logic line, or a line mark's file name, leads to.
    void SetLinkOpener(std::function<void(const QString&)> opener);

    // Runs a toolbox button as a click does, when it is enabled.
    void ClickToolboxButton(int id);
    QPushButton* ToolboxButton(int id) const;
    QComboBox* CandidateBox() const { return m_candidateBox; }
    QComboBox* LayoutBox() const { return m_layoutBox; }
    // Enables the buttons and refills the candidate box for the caret.
    void UpdateToolboxButtons();
    void ShowToolboxPage(int page);

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void LocalizeCaptions();
    void LayoutControls();
    void ShowToolboxControls();
    void OnToggleToolbox();
    void OnSelchangeToolboxLayout(int layout);
    void OnSelchangeCandidate(int index);
    void FillCandidateBox();
    static void ApplyToolboxLayout(int layout);

    CDocumentData& m_document;
    std::unique_ptr<CSystemLogicClipboard> m_clipboard;
    std::unique_ptr<CLogicEditModel> m_model;
    CSplREdit* m_editor = nullptr;
    const CMessageContext* m_context = nullptr;
    QLabel* m_caption = nullptr;
    QComboBox* m_candidateBox = nullptr;
    QComboBox* m_layoutBox = nullptr;
    std::map<int, QPushButton*> m_buttons;
    int m_layout = 0;
    bool m_filling = false;
};
