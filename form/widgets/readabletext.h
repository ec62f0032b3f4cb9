#pragma once

#include <QColor>
#include <initializer_list>

// The form's own colours (the outer panel, the header gradients) are light whatever the desktop's
// theme is, while its text takes the system's window-text colour. Under a dark theme that colour is
// light too, and the text would all but vanish.

// The contrast ratio of two colours, from 1 (the same) to 21 (black on white), as accessibility
// guidelines measure it.
double contrastRatio(const QColor &first, const QColor &second);

// The preferred colour while it stands out from every background at least as well as accessibility
// guidelines ask of text (4.5 : 1); otherwise black or white, whichever stands out more.
QColor readableTextColor(const QColor &preferred, std::initializer_list<QColor> backgrounds);
