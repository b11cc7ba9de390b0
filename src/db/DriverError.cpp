#include "db/DriverError.h"

#include <QSqlError>

namespace {
QString messageOf(const QSqlError& error) {
    const QString driverText = error.databaseText().trimmed();
    return driverText.isEmpty() ? error.driverText() : driverText;
}
} // namespace

DriverError::DriverError(const QSqlError& error) : AppError(messageOf(error)) {}
