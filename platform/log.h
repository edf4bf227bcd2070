#pragma once

#include <QString>

#include <functional>

namespace oravians {

// The program's log, for what a pupil is not shown but a technician should
// find: a missing picture or sound, a page that could not be read, a file
// that went past a budget. Lines go to standard error (and from there to the
// desktop session's journal).
void logProblem(const QString& message);
// The same, but each distinct message only once per run, so a missing frame
// of an animation does not flood the log.
void logProblemOnce(const QString& message);

// Tests read what is written; pass nullptr to write to standard error again.
void setLogSink(std::function<void(const QString&)> sink);

} // namespace oravians
