#pragma once

#include "kernel/app.h"

#include <QString>
#include <stdexcept>

namespace oravians {

// The register of teacher-made worksheets could not be read, changed or written.
class RegisterError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Where the register and the worksheets live, as program paths.
inline const QString kRegisterPath = QStringLiteral("multiple\\track.txt");
// The most titles a register holds.
inline constexpr int kRegisterCapacity = 1000;
QString worksheetPath(const QString& title);

// Reads track.txt into app.module1.trackcount / tracktitles, as far as it
// reads; throws RegisterError at the failing step (a count that is not a
// number, fewer titles than the count, more than 1000 titles). A missing
// register reads as no worksheets.
void readRegister(App& app);

// Registers title (the wizard's Text1) unless it is already there, exactly
// as typed. Holds the register's lock for the whole read-modify-write and
// replaces the file atomically. trackcount keeps the count read, so a
// catalogue beneath lists the title only when it is opened again. Throws
// RegisterError (full, unreadable, lock not taken, write failed).
void trackworksheets(App& app, const QString& title);

// The register's lock, which every copy of the program sharing the folder
// takes before changing the register; hold it across choosing a free title
// and saving under it. Throws RegisterError when it cannot be taken.
std::unique_ptr<Files::Lock> lockRegister(App& app);

// trackworksheets for a caller that already holds lockRegister().
void trackworksheetsLocked(App& app, const QString& title);

// Removes the last occurrence of app.module1.deltitle. A title no longer
// registered leaves the file untouched. Same lock and atomic replacement;
// throws RegisterError.
void delworksheet(App& app);

// Empty when a worksheet may be saved under title; otherwise the message to
// show the teacher.
QString titleProblem(const QString& title);

} // namespace oravians
