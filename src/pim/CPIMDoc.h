#pragma once

#include "CVelmoraError.h"

#include <QObject>
#include <QString>

// One PIM document: a .pim file holding a phone book and a date book, opened through the conduit. The
// conduit keeps one database for the whole process, so one document holds it at a time: a document
// that opens takes it over from the one that had it, which closes. Failures come back as error values.
class CPIMDoc : public QObject
{
    Q_OBJECT
public:
    // programFolder: where new PIM files are made and the template VelmoraPIM.vdf is found.
    // typeName: the start of new files' names ("VelmoraPIM" gives VelmoraPIM1.pim, VelmoraPIM2.pim...).
    explicit CPIMDoc(const QString& programFolder, const QString& typeName = DefaultTypeName(),
                     QObject* parent = nullptr);
    ~CPIMDoc() override;

    static QString DefaultTypeName();
    static QString TemplateName();
    // folder/typeNameN.pim with the first N from 1 whose file does not exist yet.
    static QString NewFileName(const QString& folder, const QString& typeName);
    // The document that holds the conduit's database now, or nullptr.
    static CPIMDoc* OpenDocument();

    // A new PIM file from the template in the program folder, opened.
    CVelmoraError OnNewDocument();
    // Opens a PIM file. A name without ".pim" or a file the conduit refuses gives 1817, a missing file
    // 1787; the file is never changed by a refusal, and the document stays as it was.
    CVelmoraError OnOpenDocument(const QString& path);
    // Copies the open file to path and goes on with the copy; the same file does nothing.
    CVelmoraError OnSaveDocumentAs(const QString& path);
    // Closes the phone book, the date book and the database when they are open.
    void OnCloseDocument();

    QString PathName() const { return m_path; }
    bool IsOpen() const { return m_open; }
    QString ProgramFolder() const { return m_programFolder; }

Q_SIGNALS:
    // A file was opened or made: it is the last PIM file and goes on the recent-file list.
    void fileOpened(const QString& path);
    // The document let go of its database (closed, or taken over by another document).
    void closed();

private:
    CVelmoraError OpenFile(const QString& path);
    static bool SameFile(const QString& a, const QString& b);

    QString m_programFolder;
    QString m_typeName;
    QString m_path;
    bool m_open = false;
};
