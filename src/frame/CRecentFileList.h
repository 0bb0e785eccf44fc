#pragma once

#include <QStringList>

// The four most recently opened or saved fleet files, newest first, kept in the settings (group
// "Recent File List", values "File1" to "File4").
class CRecentFileList
{
public:
    static constexpr int kSize = 4;

    // Reads the list from the settings.
    void Load();
    void Save() const;

    // Puts the file first (once); the oldest falls off. Saved at once.
    void Add(const QString& path);
    void Remove(const QString& path);
    const QStringList& Files() const { return m_files; }

    // The menu text of entry index: "&1 name", the path shortened for the menu.
    static QString MenuText(int index, const QString& path);

private:
    QStringList m_files;
};
