#pragma once

#include <QStringList>

// Marks the access key of each menu caption, left to right: the first character that, in upper case,
// is a digit or a letter A to Z and is not yet taken by an earlier caption.
QStringList withAccessKeys(const QStringList &captions);
