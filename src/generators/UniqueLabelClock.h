#pragma once

#include <QDateTime>

// Where timestamp labels take the time from: the local time and the standard offset of the time zone
// (without daylight saving).
class CUniqueLabelClock {
public:
    virtual ~CUniqueLabelClock() = default;
    // The local date and time, to the millisecond.
    virtual QDateTime LocalNow() = 0;
    // Minutes east of UTC of the zone's standard time.
    virtual int StandardOffsetMinutes() = 0;
    // Returns once LocalNow has moved on from `time`, which a clock set back moves too: no wait lasts longer than a
    // tick of the clock.
    virtual void WaitPast(const QDateTime& time) = 0;
};

// The system's clock and time zone. The wait reads the clock through LocalNow, where a test can set it.
class CSystemUniqueLabelClock : public CUniqueLabelClock {
public:
    QDateTime LocalNow() override;
    int StandardOffsetMinutes() override;
    void WaitPast(const QDateTime& time) override;
};

// A clock that stands still at a given time and moves on only when waited for, by one millisecond.
class CFixedUniqueLabelClock : public CUniqueLabelClock {
public:
    CFixedUniqueLabelClock(const QDateTime& local, int offsetMinutes) : m_local(local), m_offset(offsetMinutes) {}
    QDateTime LocalNow() override { return m_local; }
    int StandardOffsetMinutes() override { return m_offset; }
    void WaitPast(const QDateTime& time) override;

private:
    QDateTime m_local;
    int m_offset;
};
