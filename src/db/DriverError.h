#pragma once

#include "app/AppError.h"

class QSqlError;

// A failure of a database driver, carrying the driver's own message (Qt's generic text only when the
// driver gave none).
class DriverError : public AppError {
public:
    explicit DriverError(const QSqlError& error);
};
