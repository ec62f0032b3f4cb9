#pragma once

#include "storage/fillingform.h"

#include <QList>
#include <QString>
#include <QStringList>

// The plaintext of a saved filling: the marker line, then one line "name_value" per saved field whose
// value is not empty, in component order; each further line of a multi-line value follows as a
// continuation line "$name_line". Every line ends in CR LF.
namespace fillingformat {

// The first line of every plaintext; finding it tells the loader that the password was right.
QString markerLine();

// Whether the saved filling holds the value of a component of this kind (the check box is not saved).
bool isSavedKind(ComponentKind kind);

// How a saved field's value travels as text: dates as date text with a four-digit year, option indexes
// in decimal.
QString valueText(const FormComponent &field);

// The plaintext lines for the window's components, marker line first.
QStringList plaintextLines(const QList<FormComponent> &components);

// The lines joined with CR LF after each, the last one included.
QString joinLines(const QStringList &lines);

// The text split at each CR LF; the CR LF after the last line does not start another line.
QStringList splitLines(const QString &text);

// The values that the field lines (the plaintext lines after the marker line) give the window's
// components, in the order they are to be written. Every "$" is dropped from a line; a line without "_"
// continues the field named last; names match without regard to letter case and come back as the
// window spells them; lines naming no component are skipped. A field named on several lines keeps the
// value of its last one, and is written once, so that a crafted file of many lines does not hold up the
// window. Converts every value before returning, so a failure ("'%s' is not a valid date", "'%s' is
// not a valid integer value", "Failed to set calendar date or time") leaves nothing half-loaded.
QList<FormComponent> loadedValues(const QStringList &fieldLines, const QList<FormComponent> &components);

} // namespace fillingformat
