#include "generators/UniqueLabelClock.h"

#include <QThread>
#include <QTimeZone>

QDateTime CSystemUniqueLabelClock::LocalNow() {
    return QDateTime::currentDateTime();
}

int CSystemUniqueLabelClock::StandardOffsetMinutes() {
    return QTimeZone::systemTimeZone().standardTimeOffset(QDateTime::currentDateTime()) / 60;
}

void CSystemUniqueLabelClock::WaitPast(const QDateTime& time) {
    while (LocalNow() == time)
        QThread::usleep(200);
}

void CFixedUniqueLabelClock::WaitPast(const QDateTime& time) {
    if (m_local <= time)
        m_local = time.addMSecs(1);
}
