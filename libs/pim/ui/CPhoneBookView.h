#pragma once

#include <QPointer>
#include <QWidget>

#include "CPimStore.h"

class CPhoneList;
class CContactInfo;
class QSplitter;
class QStackedWidget;

// The phone book of the open PIM database: the contact list beside the contact card. Empty and disabled
// while no phone book is open.
class CPhoneBookView : public QWidget
{
    Q_OBJECT

public:
    explicit CPhoneBookView(QWidget* parent = nullptr);
    ~CPhoneBookView() override;

    CPhoneList* PhoneList() const { return m_list; }
    CContactInfo* ContactInfo() const { return m_card; }

    // New entry / delete entry of the list bar, forwarded to the list.
    void OnNewButton();
    void OnDeleteButton();

    // Saves pending card edits (asking nothing; a refused edit keeps the card and answers false).
    bool CommitPendingEdits();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Refresh();
    void OnDatabaseClosed();
    void RestoreSplitter();
    void SaveSplitter();

    QStackedWidget* m_stack = nullptr;
    QSplitter* m_splitter = nullptr;
    QPointer<CPimStore> m_store;
    bool m_splitterRestored = false;
    CPhoneList* m_list = nullptr;
    CContactInfo* m_card = nullptr;
};
