#pragma once

#include "CSmsSavedMessages.h"

#include <QDialog>

class CVelmoraGridWnd;

// The saved messages of the fleet in a grid: the user picks one to load, or deletes some. Deletions
// stand only when the dialog is confirmed; Cancel brings every deleted message back.
class CLoadSMSDlg : public QDialog
{
    Q_OBJECT

public:
    enum : int
    {
        ColId = 1,
        ColText = 2,
        ColDate = 3,
        ColNumber = 4,
    };

    CLoadSMSDlg(const QSqlDatabase& db, QWidget* parent = nullptr);
    ~CLoadSMSDlg() override;

    // Opens the session and lists the messages; false (after the message) when they cannot be read.
    bool Start();
    CVelmoraGridWnd* Grid() const { return m_grid; }
    // The message chosen on OK: its id and text (empty when no row was current).
    QString ChosenId() const { return m_chosenId; }
    QString ChosenText() const { return m_chosenText; }

    void OnDelete();
    void accept() override;
    void reject() override;

private:
    int CurrentRow() const;

    CSmsSavedMessages m_store;
    CVelmoraGridWnd* m_grid = nullptr;
    QString m_chosenId;
    QString m_chosenText;
};
