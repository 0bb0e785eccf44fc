#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class CVirtualPhone;

// A folder of virtual phones ("*.phone") of which at most one is on the cable: the file
// "connected" in the folder holds that phone's file name.
class CPhoneBench
{
public:
    explicit CPhoneBench(const QString& folder) : m_folder(folder) {}

    static QString ConnectedFileName() { return QStringLiteral("connected"); }
    static QString PhoneSuffix() { return QStringLiteral(".phone"); }

    QString Folder() const { return m_folder; }
    // Creates the folder when missing; false when it cannot be used.
    bool Prepare(QString* why = nullptr) const;

    // File names of the phones, sorted.
    QStringList PhoneFiles() const;
    // The path of a phone given by file name, with or without ".phone"; empty for a name that
    // would leave the folder.
    QString PathOf(const QString& name) const;

    // The file name "connected" names, or empty (no file, empty, or naming something outside).
    QString ConnectedName() const;
    QString ConnectedPath() const;
    // Connecting writes the phone's name and a token of this plugging-in, so the library can tell
    // that a phone was put on the cable again (its SIM then asks for the PIN again).
    bool Connect(const QString& name, QString* why = nullptr) const;
    QByteArray ConnectionToken() const;
    bool Disconnect(QString* why = nullptr) const;

    // Loads the connected phone: AGENT_SUCCESS, AGENT_NO_PHONE, or the file's load code.
    int LoadConnected(CVirtualPhone& phone, QString* path = nullptr, QString* why = nullptr) const;

private:
    QString m_folder;
};
