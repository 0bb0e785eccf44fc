#include "VelmoraConduit.h"

#include "CPimStore.h"

#include <QCoreApplication>

#include <memory>

namespace {

// The conduit's state: one open database for the whole program.
struct CConduitState
{
    std::unique_ptr<CPimStore> store;
    bool phoneBookOpen = false;
    bool phoneBookReadOnly = false;
    bool dateBookOpen = false;
    CVelmoraError lastError;
    QString currentPimFile;
    bool pimDatabaseOpen = false;
};

CConduitState& State()
{
    static CConduitState state;
    return state;
}

} // namespace

int OpenDatabase(const QString& path)
{
    CloseDatabase();
    CConduitState& state = State();
    // A database still open when the program ends is closed with the application object, while the SQL
    // driver is still there.
    static const bool closeAtExit = [] {
        qAddPostRoutine(CloseDatabase);
        return true;
    }();
    Q_UNUSED(closeAtExit);
    state.lastError = CVelmoraError();
    state.store = CPimStore::Open(path, &state.lastError);
    if (!state.store)
        return 0;
    Q_EMIT VelmoraPim::Notifier()->databaseOpened();
    return 1;
}

int OpenPhoneBookRecordset(int mode)
{
    CConduitState& state = State();
    if (!state.store)
        return 0;
    state.phoneBookReadOnly = mode == VelmoraPim::PhoneBookReadOnly || state.store->IsReadOnly();
    if (!state.phoneBookOpen) {
        state.phoneBookOpen = true;
        Q_EMIT VelmoraPim::Notifier()->phoneBookOpened();
    }
    return 1;
}

int OpenDateBookRecordset()
{
    CConduitState& state = State();
    if (!state.store)
        return 0;
    if (!state.dateBookOpen) {
        state.dateBookOpen = true;
        Q_EMIT VelmoraPim::Notifier()->dateBookOpened();
    }
    return 1;
}

void ClosePhoneBookRecordset()
{
    CConduitState& state = State();
    if (!state.phoneBookOpen)
        return;
    state.phoneBookOpen = false;
    state.phoneBookReadOnly = false;
    Q_EMIT VelmoraPim::Notifier()->phoneBookClosed();
}

void CloseDateBookRecordset()
{
    CConduitState& state = State();
    if (!state.dateBookOpen)
        return;
    state.dateBookOpen = false;
    Q_EMIT VelmoraPim::Notifier()->dateBookClosed();
}

void CloseDatabase()
{
    ClosePhoneBookRecordset();
    CloseDateBookRecordset();
    CConduitState& state = State();
    if (!state.store)
        return;
    // The views hear of the close while the store still exists, then it goes.
    Q_EMIT VelmoraPim::Notifier()->databaseClosed();
    state.store.reset();
}

namespace VelmoraPim {

CPimNotifier* Notifier()
{
    static CPimNotifier notifier;
    return &notifier;
}

CPimStore* CurrentPimStore()
{
    return State().store.get();
}

bool IsPhoneBookOpen()
{
    return State().store && State().phoneBookOpen;
}

bool IsPhoneBookReadOnly()
{
    return State().phoneBookReadOnly;
}

bool IsDateBookOpen()
{
    return State().store && State().dateBookOpen;
}

CVelmoraError LastConduitError()
{
    return State().lastError;
}

QString CurrentPimFile()
{
    return State().currentPimFile;
}

void SetCurrentPimFile(const QString& path)
{
    State().currentPimFile = path;
}

bool IsPimDatabaseOpen()
{
    return State().pimDatabaseOpen;
}

void SetPimDatabaseOpen(bool open)
{
    State().pimDatabaseOpen = open;
}

} // namespace VelmoraPim
