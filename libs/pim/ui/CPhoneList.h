#pragma once

#include <QList>
#include <QWidget>

#include "PimRecords.h"

class CContactInfo;
class QLineEdit;
class QListWidget;
class QPushButton;
class QLabel;

// The contact list of the phone book: a search field filtering as the user types (name, company,
// number, e-mail), the list, and New / Delete. Selecting a contact shows it on the card.
class CPhoneList : public QWidget
{
    Q_OBJECT

public:
    explicit CPhoneList(QWidget* parent = nullptr);

    // The card that shows the selected contact (set by the phone book view).
    void SetContactInfo(CContactInfo* card);
    CContactInfo* ContactInfo() const { return m_card; }

    // Starts a new contact on the card (after the card's pending edits are saved or kept).
    void OnNewButton();
    // Deletes the selected contact after a confirmation.
    void OnDeleteButton();

    // Reloads the contacts from the open phone book (empty and disabled when none is open).
    void Reload();
    // The id of the selected contact, 0 when none.
    qint64 CurrentId() const;
    // Selects the contact with this id when it is shown.
    void SelectContact(qint64 id);
    // Ids of the contacts shown under the current filter, in order.
    QList<qint64> ShownIds() const;

    // True when a contact matches the filter text (case-insensitive; digits of numbers ignore spaces and
    // dashes).
    static bool Matches(const CPimContact& contact, const QString& filter);

Q_SIGNALS:
    void contactSelected(qint64 id);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyFilter();
    void OnCurrentRowChanged();
    void UpdateEnabled();

    CContactInfo* m_card = nullptr;
    QLineEdit* m_search = nullptr;
    QListWidget* m_list = nullptr;
    QPushButton* m_newButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QLabel* m_countLabel = nullptr;
    QList<CPimContact> m_contacts;
    bool m_reloading = false;
};
