#pragma once

#include "CFleetSettings.h"

#include <QHash>
#include <QObject>
#include <QString>

class CVelmoraDoc;

// What all fleet documents of the program share: the settings, the open-fleet-document counter that
// shows and hides the fleet list bar, the new-document counter that names new fleets, and the backup
// files in use. The application owns one; the main frame connects to its signals.
class CFleetContext : public QObject
{
    Q_OBJECT
public:
    explicit CFleetContext(const CFleetSettings& settings, QObject* parent = nullptr);

    const CFleetSettings& Settings() const { return m_settings; }
    void SetSettings(const CFleetSettings& settings) { m_settings = settings; }

    int OpenFleetDocuments() const { return m_openDocuments; }
    int NewDocuments() const { return m_newDocuments; }

    // The number for the next new fleet (then counts on; it never goes back).
    int TakeNewDocumentNumber() { return m_newDocuments++; }
    void DocumentOpened() { ++m_openDocuments; }
    // Counts down (not below 0); at 0 the list bars are hidden.
    void DocumentClosed();
    // Shows the fleet list bar when a fleet document is open.
    void ShowFleetListBarIfOpen();

    // One backup file serves one document; a second document on the same backup is refused.
    bool ClaimBackup(const QString& path, const CVelmoraDoc* document);
    void ReleaseBackup(const QString& path, const CVelmoraDoc* document);
    // True while a document of this program serves that backup.
    bool BackupClaimed(const QString& path) const;

Q_SIGNALS:
    void showFleetListBar();
    void hideListBars();

private:
    CFleetSettings m_settings;
    int m_openDocuments = 0;
    int m_newDocuments = 0;
    QHash<QString, const CVelmoraDoc*> m_backups;
};
