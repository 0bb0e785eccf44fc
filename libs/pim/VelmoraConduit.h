#pragma once

#include <CVelmoraError.h>

#include <QObject>
#include <QString>

class CPimStore;

// The conduit: one process-wide open PIM database with its phone book and date book, opened and closed
// by these operations. Views find the open database through CurrentPimStore() and follow the notifier.

// Opens the PIM file at path (closing a database open before). Non-zero on success; 0 leaves the file
// untouched and nothing open (the reason in LastConduitError()).
int OpenDatabase(const QString& path);
// Opens the phone book of the open database. mode: 1 read only, 2 read and write. Non-zero on success.
int OpenPhoneBookRecordset(int mode);
// Opens the date book of the open database. Non-zero on success.
int OpenDateBookRecordset();
void ClosePhoneBookRecordset();
void CloseDateBookRecordset();
// Closes the database (and its recordsets still open).
void CloseDatabase();

namespace VelmoraPim {

enum : int
{
    PhoneBookReadOnly = 1,
    PhoneBookReadWrite = 2,
};

// Tells the views when the conduit's state changes, so they refresh themselves or clear.
class CPimNotifier : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

Q_SIGNALS:
    void databaseOpened();
    void databaseClosed();
    void phoneBookOpened();
    void phoneBookClosed();
    void dateBookOpened();
    void dateBookClosed();
};

CPimNotifier* Notifier();

// The open database, nullptr while none is open.
CPimStore* CurrentPimStore();
bool IsPhoneBookOpen();
bool IsPhoneBookReadOnly();
bool IsDateBookOpen();
// Why the last OpenDatabase failed (none after a success).
CVelmoraError LastConduitError();

// The current PIM file path and the database-open mark shared between the PIM document and the views.
QString CurrentPimFile();
void SetCurrentPimFile(const QString& path);
bool IsPimDatabaseOpen();
void SetPimDatabaseOpen(bool open);

} // namespace VelmoraPim
