#pragma once

#include <QString>

class CPimDocManager;
class CPimSync;
class IFrameRegistry;

// What the PIM feature needs from the application.
struct CPimFeatureSettings
{
    QString programFolder;
    int carrierId = 0;
};

// The PIM documents in the main frame: File New, Open, Save As and Close while a PIM window is active,
// PIM files dropped, named or picked from the recent files, the View menu's PIM window, the PIM list
// bar, and the desktop synchronisation program, during whose run the PIM file is closed and the main
// window disabled.
class CPimFeature
{
public:
    enum Item
    {
        NoItem,
        NewContact,
        DeleteContact,
        NewEvent,
        DeleteEvent,
        Synchronize,
        Help
    };
    enum : int
    {
        HelpContext = 135313
    };

    struct Parts
    {
        CPimDocManager* documents = nullptr;
        CPimSync* sync = nullptr;
    };
    // The documents and the synchronisation live as long as the main window.
    static Parts Register(IFrameRegistry& frame, const CPimFeatureSettings& settings);
    // The item of a PIM list-bar label (an item's label in the running language).
    static Item ItemOfLabel(const QString& label);
};
