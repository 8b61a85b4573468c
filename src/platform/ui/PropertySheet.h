#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <QWidget>

class QDialogButtonBox;
class QListWidget;
class QStackedWidget;

// One page of a CPropertySheet: a widget with the title the navigation list shows.
class CPropertyPage : public QWidget {
    Q_OBJECT
public:
    explicit CPropertyPage(const QString& title, QWidget* parent = nullptr);

    const QString& Title() const { return m_title; }
    // Checks what the page shows before it is left or the sheet is accepted; false keeps the page shown (the
    // page has said why).
    virtual bool Validate() { return true; }
    // Stores what the page shows; on OK, for every page in order, after every page has validated. A page that
    // changed nothing stores nothing.
    virtual void Apply() {}
    // What the sheet's owner must refresh after OK, as the owner's bits; 0 when the page changed nothing that
    // is shown elsewhere.
    int ChangeBits() const { return m_changeBits; }

protected:
    void AddChangeBits(int bits) { m_changeBits |= bits; }

private:
    QString m_title;
    int m_changeBits = 0;
};

// A modal sheet of pages behind a navigation list: OK validates the shown page, then every page, then applies
// them all; the page shown when the sheet closes, after OK or Cancel, is written back to the index the sheet was
// opened on.
class CPropertySheet : public QDialog {
    Q_OBJECT
public:
    // `rememberedPage` (kept by the caller for the process) is the page shown first and receives the last one.
    CPropertySheet(const QString& caption, int& rememberedPage, QWidget* parent = nullptr);

    // Takes the page; pages stand in the order they are added.
    void AddPage(CPropertyPage* page);
    const QList<CPropertyPage*>& Pages() const { return m_pages; }
    CPropertyPage* ActivePage() const;
    int ActivePageIndex() const;
    // Shows the page when the shown one validates; false otherwise.
    bool SetActivePage(int index);
    // The pages' change bits combined; read after OK.
    int CombinedChangeBits() const;

    QListWidget* NavigationList() const { return m_navigation; }
    // The navigation list is 200 pixels wide unless set otherwise.
    void SetNavigationWidth(int pixels);

    int exec() override;
    void accept() override;
    void done(int result) override;

private:
    void OnNavigationRow(int row);
    // Shows the page without asking the shown one, the navigation list's row following without a signal.
    void ShowPage(int index);

    int& m_rememberedPage;
    QList<CPropertyPage*> m_pages;
    QListWidget* m_navigation;
    QStackedWidget* m_stack;
    QDialogButtonBox* m_buttons;
};
