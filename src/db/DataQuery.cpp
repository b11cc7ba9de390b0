#include "db/DataQuery.h"

#include "app/AppError.h"
#include "db/DriverError.h"
#include "db/MainConnection.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {
bool isIntegerType(int type) {
    switch (type) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

QString expectedName(DataQuery::FieldType type) {
    switch (type) {
    case DataQuery::FieldType::Identity:
        return QStringLiteral("AutoInc");
    case DataQuery::FieldType::Integer:
        return QStringLiteral("Integer");
    case DataQuery::FieldType::Text:
        return QStringLiteral("String");
    case DataQuery::FieldType::DateTime:
        return QStringLiteral("DateTime");
    case DataQuery::FieldType::Memo:
        return QStringLiteral("WideMemo");
    }
    return {};
}

QString actualName(int type) {
    if (isIntegerType(type))
        return QStringLiteral("Integer");
    switch (type) {
    case QMetaType::QString:
        return QStringLiteral("String");
    case QMetaType::QDateTime:
        return QStringLiteral("DateTime");
    case QMetaType::Double:
        return QStringLiteral("Float");
    default:
        return QString::fromLatin1(QMetaType(type).name());
    }
}

// The embedded database keeps date-times as text "yyyy-MM-dd HH:mm:ss"; fractions and a "T" are allowed.
QDateTime parseStoredDateTime(const QString& text) {
    QString iso = text.trimmed();
    if (iso.size() > 10 && iso.at(10) == QLatin1Char(' '))
        iso[10] = QLatin1Char('T');
    return QDateTime::fromString(iso, Qt::ISODateWithMs);
}
} // namespace

DataQuery::DataQuery(MainConnection& connection, QString name, const QStringList& sqlLines,
                     QList<Field> fields, const QStringList& parameters, QString table, QString keyField)
    : m_connection(connection), m_name(std::move(name)), m_sql(sqlLines.join(QLatin1Char('\n'))),
      m_fields(std::move(fields)), m_table(std::move(table)), m_keyField(std::move(keyField)) {
    for (const QString& parameter : parameters)
        m_parameters.append({parameter, QVariant(QMetaType::fromType<int>())});
}

void DataQuery::setSql(const QString& text) {
    close();
    m_sql = text;
    m_parameters.clear();
}

void DataQuery::setParameter(const QString& name, const QVariant& value) {
    for (auto& parameter : m_parameters)
        if (parameter.first.compare(name, Qt::CaseInsensitive) == 0) {
            parameter.second = value;
            return;
        }
    fail(QStringLiteral("Parameter '%1' not found").arg(name));
}

QList<QPair<QString, QVariant>> DataQuery::boundParameters() const {
    QList<QPair<QString, QVariant>> bound = m_parameters;
    if (m_master && m_master->active())
        for (auto& [name, value] : bound)
            if (m_master->hasField(name)) {
                // An empty master still binds a typed null, which every driver accepts.
                const QVariant masterValue = m_master->value(name);
                value = masterValue.isValid() ? masterValue : QVariant(QMetaType::fromType<int>());
            }
    return bound;
}

void DataQuery::open() {
    if (m_active)
        return;
    QStringList columns;
    QList<int> types;
    QList<QList<QVariant>> rows;
    {
        QSqlQuery query = m_connection.execute(m_sql, boundParameters());
        const QSqlRecord record = query.record();
        for (int i = 0; i < record.count(); ++i) {
            columns.append(record.fieldName(i));
            types.append(record.field(i).metaType().id());
        }
        while (query.next()) {
            QList<QVariant> row;
            for (int i = 0; i < record.count(); ++i)
                row.append(query.value(i));
            rows.append(row);
        }
        if (query.lastError().isValid())
            throw DriverError(query.lastError());
    }
    m_columns = columns;
    m_rows = rows;
    m_active = true;
    try {
        checkDeclaredFields(types);
    } catch (...) {
        close();
        throw;
    }
    m_row = 0;
}

void DataQuery::checkDeclaredFields(const QList<int>& types) {
    for (const Field& field : m_fields) {
        const qsizetype column = requireColumn(field.name);
        const int type = types.at(column);
        bool matches = false;
        switch (field.type) {
        case FieldType::Identity:
        case FieldType::Integer:
            matches = isIntegerType(type);
            break;
        case FieldType::Text:
        case FieldType::Memo:
            matches = type == QMetaType::QString;
            break;
        case FieldType::DateTime:
            matches = type == QMetaType::QDateTime || (type == QMetaType::QString && m_connection.embedded());
            break;
        }
        if (!matches)
            fail(QStringLiteral("Type mismatch for field '%1', expecting: %2 actual: %3")
                     .arg(field.name, expectedName(field.type), actualName(type)));
        if (field.type != FieldType::DateTime || type != QMetaType::QString)
            continue;
        for (auto& row : m_rows) {
            QVariant& value = row[column];
            if (value.isNull()) {
                value = QVariant(QMetaType::fromType<QDateTime>());
                continue;
            }
            const QDateTime dateTime = parseStoredDateTime(value.toString());
            if (!dateTime.isValid())
                fail(QStringLiteral("'%1' is not a valid date and time in field '%2'")
                         .arg(value.toString(), field.name));
            value = dateTime;
        }
    }
}

void DataQuery::close() {
    m_active = false;
    m_columns.clear();
    m_rows.clear();
    m_row = 0;
    m_editing = false;
    m_changes.clear();
}

void DataQuery::next() {
    if (!eof())
        ++m_row;
}

qsizetype DataQuery::columnIndex(const QString& field) const {
    for (qsizetype i = 0; i < m_columns.size(); ++i)
        if (m_columns.at(i).compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

qsizetype DataQuery::requireColumn(const QString& field) const {
    if (!m_active)
        fail(QStringLiteral("Cannot perform this operation on a closed dataset"));
    const qsizetype column = columnIndex(field);
    if (column < 0)
        fail(QStringLiteral("Field '%1' not found").arg(field));
    return column;
}

QVariant DataQuery::value(const QString& field) const {
    const qsizetype column = requireColumn(field);
    return eof() ? QVariant() : m_rows.at(m_row).at(column);
}

QString DataQuery::text(const QString& field) const {
    const QVariant v = value(field);
    return v.isNull() ? QString() : v.toString();
}

int DataQuery::integer(const QString& field) const {
    const QVariant v = value(field);
    return v.isNull() ? 0 : v.toInt();
}

QDateTime DataQuery::dateTime(const QString& field) const {
    const QVariant v = value(field);
    return v.isNull() ? QDateTime() : v.toDateTime();
}

void DataQuery::edit() {
    if (m_table.isEmpty())
        fail(QStringLiteral("Cannot modify a read-only dataset"));
    if (!m_active)
        fail(QStringLiteral("Cannot perform this operation on a closed dataset"));
    if (eof())
        fail(QStringLiteral("Cannot perform this operation on an empty dataset"));
    m_editing = true;
    m_changes.clear();
}

void DataQuery::setField(const QString& field, const QVariant& value) {
    if (!m_editing)
        fail(QStringLiteral("Dataset not in edit or insert mode"));
    m_changes.append({requireColumn(field), value});
}

void DataQuery::post() {
    if (!m_editing)
        return;
    if (!m_changes.isEmpty()) {
        const qsizetype key = requireColumn(m_keyField);
        QStringList assignments;
        QList<QPair<QString, QVariant>> parameters;
        for (qsizetype i = 0; i < m_changes.size(); ++i) {
            const QString parameter = QStringLiteral("value%1").arg(i);
            assignments.append(m_columns.at(m_changes.at(i).first) + QStringLiteral("=:") + parameter);
            parameters.append({parameter, m_changes.at(i).second});
        }
        parameters.append({QStringLiteral("rowkey"), m_rows.at(m_row).at(key)});
        const QString statement =
            QStringLiteral("UPDATE %1 SET %2 WHERE %3=:rowkey")
                .arg(m_table, assignments.join(QStringLiteral(", ")), m_columns.at(key));
        if (m_connection.execute(statement, parameters).numRowsAffected() != 1)
            fail(QStringLiteral("Row cannot be located for updating. Some values may have been changed since "
                                "it was last read."));
        for (const auto& [column, value] : m_changes)
            m_rows[m_row][column] = value;
    }
    m_editing = false;
    m_changes.clear();
}

void DataQuery::fail(const QString& message) const {
    throw AppError(m_name + QStringLiteral(": ") + message);
}
