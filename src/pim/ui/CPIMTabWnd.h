#pragma once

#include <QTabWidget>

class CDBTabWnd;
class CPhoneBookView;
class QWidget;

// The two books of a PIM window: the phone book (tab 1742) and the date book (tab 1743) with its day,
// week and month views (inner tabs 1753-1755). New and delete go to the book they name: its tab comes
// to the front and its active view takes the command.
class CPIMTabWnd : public QTabWidget
{
    Q_OBJECT
public:
    enum Book
    {
        PhoneBookTab = 0,
        DateBookTab = 1
    };

    explicit CPIMTabWnd(QWidget* parent = nullptr);
    ~CPIMTabWnd() override;

    CPhoneBookView* PhoneBookView() const { return m_phoneBook; }
    CDBTabWnd* DateBook() const { return m_dateBook; }
    // The view that has the user's attention: the phone book, or the date book's current view.
    QWidget* ActiveView() const;

    // Labels the tabs (and the date book's inner tabs) from the language texts.
    void LabelTabs();
    // New and delete entry in a book; false when that book cannot take it now.
    bool NewEntry(Book book);
    bool DeleteEntry(Book book);

private:
    CPhoneBookView* m_phoneBook = nullptr;
    CDBTabWnd* m_dateBook = nullptr;
};
