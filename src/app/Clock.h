#pragma once

#include <QDateTime>

// The program's source of the local time, so that tests can set it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
    QTime timeOfDay() const { return now().time(); }
};

class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
