#pragma once

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <variant>
#include <vector>

// Thin recordset over one table: binds the table's columns, in order, to typed members of a derived
// class, opens a query with bound values, walks its rows and adds, edits, updates and deletes the
// current row (by rowid). Rows are read when the recordset opens; changes go to the database at once.
//
//   CUnitRecSet rs(db);
//   if (rs.Open("unit_imei_num = ?", {imei}) && !rs.IsEOF()) { rs.Edit(); rs.m_unit_user_name = name;
//   rs.Update(); }
class CRecordset
{
public:
    explicit CRecordset(const QSqlDatabase& db = QSqlDatabase());
    virtual ~CRecordset() = default;
    CRecordset(const CRecordset&) = delete;
    CRecordset& operator=(const CRecordset&) = delete;

    void SetDatabase(const QSqlDatabase& db) { m_db = db; }
    QSqlDatabase Database() const { return m_db; }

    // Opens "SELECT <columns> FROM <table> [WHERE filter] [ORDER BY order]" with the values bound to
    // the filter's "?" placeholders in order. An empty filter selects every row.
    bool Open(const QString& filter = QString(), const QVariantList& values = {},
              const QString& orderBy = QString());
    // Opens any SELECT whose result has the bound columns by name; its rows cannot be edited unless
    // the statement also selects "rowid". When the statement reads the class's table or its "_tmp"
    // twin (first FROM), added and changed rows go to that table.
    bool OpenSql(const QString& sql, const QVariantList& values = {});
    // Works on another table of the same columns from now on (the "_tmp" twin); empty goes back to
    // the class's own table.
    void UseTable(const QString& table) { m_table = table; }
    // The table that Open reads and Update writes.
    QString Table() const { return m_table.isEmpty() ? TableName() : m_table; }
    bool Requery();
    void Close();
    bool IsOpen() const { return m_open; }

    bool IsEOF() const { return !m_open || m_pos >= int(m_rows.size()); }
    bool IsBOF() const { return !m_open || m_pos < 0; }
    void MoveFirst();
    void MoveNext();
    void MovePrev();
    void MoveLast();
    int GetRecordCount() const { return int(m_rows.size()); }
    int GetAbsolutePosition() const { return m_pos; }
    void SetAbsolutePosition(int pos);
    // Record count, leaving the recordset on its first record.
    int CountRecords();

    // Delete removes the current row; as in a dynaset the position then needs a MoveNext (or another
    // move) before the members hold a row again, so "Delete(); MoveNext();" walks every row.
    // AddNew clears the members (to the class's initial values) and starts a new row; Edit starts
    // changing the current row; Update writes either; CancelUpdate drops it.
    virtual void AddNew();
    void Edit();
    bool Update();
    void CancelUpdate();
    bool Delete();
    bool IsEditing() const { return m_mode != Mode::None; }

    int FieldCount() const { return int(m_fields.size()); }
    QString FieldName(int index) const { return m_fields[size_t(index)].name; }
    QVariant FieldValue(int index) const;
    bool SetFieldValue(int index, const QVariant& value);
    int FieldIndex(const QString& name) const;
    qint64 RowId() const;

    // Last database error of this recordset, in the database's words.
    QString LastError() const { return m_error; }
    int LastNativeError() const { return m_nativeError; }

    virtual QString TableName() const = 0;
    // "[table]", as the recordset's default source.
    QString GetDefaultSQL() const { return QLatin1Char('[') + TableName() + QLatin1Char(']'); }

protected:
    using Member = std::variant<QString*, int*, bool*, qint64*, double*, QDateTime*, QByteArray*>;
    // Binds the next column. A counter column is left out of INSERT so the database fills it.
    void Bind(const char* column, Member member, bool counter = false);
    void Bind(const QString& column, Member member, bool counter = false);
    // Sets the members to their initial values; derived classes with other defaults override it.
    virtual void InitMembers();

private:
    enum class Mode
    {
        None,
        Add,
        Edit
    };
    struct Field
    {
        QString name;
        Member member;
        bool counter = false;
    };
    struct Row
    {
        qint64 rowid = -1;
        QVariantList values;
    };

    bool Run(const QString& sql, const QVariantList& values);
    void Load();
    void Store(QVariantList& values) const;
    bool Fail(const class QSqlError& error);

    QSqlDatabase m_db;
    std::vector<Field> m_fields;
    std::vector<Row> m_rows;
    int m_pos = -1;
    bool m_open = false;
    bool m_deletedCurrent = false;
    bool m_hasRowId = false;
    Mode m_mode = Mode::None;
    QString m_table;
    QString m_lastSql;
    QVariantList m_lastValues;
    QString m_error;
    int m_nativeError = 0;
};
