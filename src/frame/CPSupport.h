#pragma once

#include <QDialog>
#include <QStringList>

class QTreeWidget;

// The list of phone codeplugs the programming library supports, one row per phone with its versions.
class CPSupport : public QDialog
{
    Q_OBJECT
public:
    explicit CPSupport(QWidget* parent = nullptr);

    // The library's rows: each "@" becomes a tab; a row that ends in a line feed loses its last two
    // characters (the "@" and the carriage return); the text after the last line feed is a row as it is.
    static QStringList ParseSupportList(const char* buffer);
    // Asks the library; an empty list when it fails.
    static QStringList ReadSupportList();

    QStringList Rows() const { return m_rows; }
    QTreeWidget* List() const { return m_list; }

private:
    QStringList m_rows;
    QTreeWidget* m_list = nullptr;
};
