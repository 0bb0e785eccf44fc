#pragma once

#include <QList>
#include <QWidget>

#include "PimRecords.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;
class QComboBox;
class QToolButton;
class QLabel;

// The contact card: name, company, typed numbers (rows added and removed), e-mail, address and note,
// with Save and Revert. Edits are never dropped silently: leaving a changed card saves it first.
class CContactInfo : public QWidget
{
    Q_OBJECT

public:
    explicit CContactInfo(QWidget* parent = nullptr);

    // Shows a stored contact (id from the open phone book), or clears the card for id 0.
    void ShowContact(qint64 id);
    // Starts a new, empty contact and puts the cursor in the name.
    void StartNew();
    // Puts the cursor in the name, to edit the contact shown.
    void FocusEditor();
    // Empties and disables the card (no phone book open).
    void Clear();

    // The contact as edited on the card.
    CPimContact EditedContact() const;
    qint64 ContactId() const { return m_contact.id; }
    bool IsModified() const;
    bool IsEditingNew() const { return m_editingNew; }
    bool IsActive() const { return m_active; }

    // Saves the card's edits to the open phone book; false (with the message shown) when refused.
    bool Save();
    // Throws the card's edits away and shows the stored contact again.
    void Revert();
    // Before the card shows something else: saves pending edits. False when the save was refused (the
    // card keeps its edits and the caller stays).
    bool CommitPending();

    // The phone book is closing: stores the card's valid edits while the file is still open (no
    // question can stop a close).
    void SaveBeforeClose();

    // Adds a number row (kind, number) to the card.
    void AddNumberRow(int kind = CPimNumber::Mobile, const QString& number = QString());

Q_SIGNALS:
    // A contact was stored (new or changed); the list reloads and selects it.
    void contactSaved(qint64 id);

protected:
    void changeEvent(QEvent* event) override;

private:
    struct NumberRow
    {
        QWidget* row = nullptr;
        QComboBox* kind = nullptr;
        QLineEdit* number = nullptr;
    };

    void Load(const CPimContact& contact);
    void RemoveNumberRow(QWidget* row);
    void RenameNumberRows();
    void UpdateButtons();
    void AlignTextBoxes();
    void SetEditable(bool editable);

    CPimContact m_contact; // as stored (or the empty new contact)
    bool m_editingNew = false;
    bool m_loading = false;
    bool m_active = false; // a contact (stored or new) is on the card
    QLabel* m_title = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_company = nullptr;
    QVBoxLayout* m_numbersLayout = nullptr;
    QList<NumberRow> m_numbers;
    QPushButton* m_addNumber = nullptr;
    QLineEdit* m_email = nullptr;
    QPlainTextEdit* m_address = nullptr;
    QPlainTextEdit* m_note = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_revert = nullptr;
};
