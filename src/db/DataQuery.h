#pragma once

#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>

class MainConnection;

// A query on the main connection with a static result: the whole result is fetched when it opens, every
// declared column is checked then, and edited rows are written straight back to their table.
class DataQuery {
public:
    enum class FieldType { Identity, Integer, Text, DateTime, Memo };
    struct Field {
        QString name;
        FieldType type;
        int size = 0; // characters, for Text only
    };

    // sqlLines are joined with "\n". parameters are the names written as ":Name" in the text; each starts
    // as an integer null. table and keyField name where posted rows go; without them the query is
    // read-only.
    DataQuery(MainConnection& connection, QString name, const QStringList& sqlLines, QList<Field> fields,
              const QStringList& parameters = {}, QString table = {}, QString keyField = {});

    const QString& name() const { return m_name; }
    const QString& sql() const { return m_sql; }
    // Replaces the text; the query is closed and the new text runs unchanged, without parameters.
    void setSql(const QString& text);
    // The data source's master: while it is open, each parameter takes the value of the master's current
    // row column of the same name (any case); parameters without a namesake keep the caller's value.
    void setMaster(const DataQuery* master) { m_master = master; }
    void setParameter(const QString& name, const QVariant& value);

    // Opening connects first when the connection is closed. A no-op while open.
    void open();
    void close();
    bool active() const { return m_active; }

    int recordCount() const { return int(m_rows.size()); }
    void first() { m_row = 0; }
    void next();
    bool eof() const { return m_row >= m_rows.size(); }

    // A null value, or no current row, reads as empty text, 0 or an invalid date-time.
    QString text(const QString& field) const;
    int integer(const QString& field) const;
    QDateTime dateTime(const QString& field) const;
    // Whether the result has the column, in any case.
    bool hasField(const QString& field) const { return columnIndex(field) >= 0; }

    void edit();
    void setField(const QString& field, const QVariant& value);
    // Writes the changed fields of the edited row to its table at once, by the row's key.
    void post();

private:
    QVariant value(const QString& field) const;
    qsizetype columnIndex(const QString& field) const;
    qsizetype requireColumn(const QString& field) const;
    QList<QPair<QString, QVariant>> boundParameters() const;
    void checkDeclaredFields(const QList<int>& types);
    [[noreturn]] void fail(const QString& message) const;

    MainConnection& m_connection;
    QString m_name;
    QString m_sql;
    QList<Field> m_fields;
    QList<QPair<QString, QVariant>> m_parameters;
    QString m_table;
    QString m_keyField;
    const DataQuery* m_master = nullptr;

    bool m_active = false;
    QStringList m_columns;
    QList<QList<QVariant>> m_rows;
    qsizetype m_row = 0;
    bool m_editing = false;
    QList<QPair<qsizetype, QVariant>> m_changes;
};
