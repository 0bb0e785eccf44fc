#pragma once

#include <QString>
#include <QStringList>

// Makes the desktop of an account know the program: its entry (menus, "open with"), the fleet and PIM
// file types and the icons, taken from the desktop files shipped in the program's share folder
// (applications/, mime/packages/, icons/hicolor/ beside the installed data).
class CDesktopRegistration
{
public:
    // shareRoot: the folder that holds applications/velmora.desktop, mime/packages/velmora.xml and
    // icons/hicolor/ (the parent of the installed data folder).
    explicit CDesktopRegistration(const QString& shareRoot);

    // True when the desktop already gets everything from shareRoot: the entry and the file types are
    // there, shareRoot is one of the system data folders the desktop reads (systemDataDirs, from
    // XDG_DATA_DIRS), and the entry's plain "velmora" finds executable on the PATH. A copy per account
    // would then only hide a later update of the installed one.
    bool InstalledSystemWide(const QString& executable, const QStringList& systemDataDirs) const;

    // Writes the entry (starting executable by its full path), the file types and the icons into the
    // account's data folder dataHome. False (with why) when a shipped file is missing or cannot be
    // written, or when the path cannot be named in an entry.
    bool WriteForUser(const QString& executable, const QString& dataHome, QString& why) const;

    // Starts update-mime-database and update-desktop-database on dataHome's folders, when they are
    // installed, without waiting for them: the first start goes on while they work. Returns the tools
    // started.
    static QStringList RefreshDesktopCaches(const QString& dataHome);

    // The Exec value that starts program with the files the desktop hands it: the path quoted and
    // escaped as desktop entries want. Empty when the path cannot be written in an entry (not absolute,
    // or holding a line break).
    static QString ExecLine(const QString& program);

private:
    QString m_shareRoot;
};
