#pragma once

#include "app/Clock.h"

// A clock that stands still until the test moves it.
class FakeClock : public Clock {
public:
    explicit FakeClock(QDateTime now = QDateTime(QDate(2026, 3, 14), QTime(9, 5))) : m_now(std::move(now)) {}
    QDateTime now() const override { return m_now; }
    void set(const QDateTime& now) { m_now = now; }

private:
    QDateTime m_now;
};
