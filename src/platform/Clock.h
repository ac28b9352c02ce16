#pragma once

#include <QDateTime>

// The current local date and time; tests fix it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime moment) : moment_(std::move(moment)) {}
    QDateTime now() const override { return moment_; }
    void set(QDateTime moment) { moment_ = std::move(moment); }

private:
    QDateTime moment_;
};
