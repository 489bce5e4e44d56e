#ifndef SIMLOG_H
#define SIMLOG_H

#include <QStringList>

// The simulated unit's call log, oldest call first, one entry per driver call in the
// simulator's format ("sc4830_setShuntCal(1, 3, 0)").
QStringList simCallLog();

// Only the calls of the named driver functions.
QStringList simCallLog(const QStringList &functions);

// Only the calibration calls: signal path, excitation and autobalance.
QStringList simCalibrationCalls();

#endif // SIMLOG_H
