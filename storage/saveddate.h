#pragma once

#include <QDate>
#include <QString>

// Dates in the saved filling. They follow the system's short date format, but a two-digit year
// section is written with four digits: a filling saved under "M/d/yy" must not come back a hundred
// years early, and 29 February 2000 must load at all. Formats with a four-digit year are used as they
// are, so their files do not change.
namespace saveddate {

// The short date format with each two-digit year section ("yy") widened to four digits ("yyyy").
QString savedFormat(const QString &shortDateFormat);

QString dateText(QDate date, const QString &shortDateFormat);

// Reads a date written in the saved format, or one whose year has two digits (as fillings saved
// before the widening hold), which is placed in the years 1930 to 2029 as Windows places two-digit
// years. Fails with "'%s' is not a valid date".
QDate parseDateText(const QString &text, const QString &shortDateFormat);

} // namespace saveddate
