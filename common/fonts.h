#pragma once

#include <QString>

// The typefaces the window and the page name are Windows fonts. One table maps each of them to the
// font that stands in for it here; code keeps using the names the form was drawn with.
namespace fonts {

// Registers the bundled Windows-compatible fonts and the substitutions. Call once after the
// application object exists; later calls do nothing.
void install();

// The bitmap-only window face fits unscaled screens only. Once a screen draws scaled while the program
// runs (the desktop's scale or text size changed, or a screen of another scale came), the face gives
// way to its stand-in for the rest of the run, as install() would have chosen on such screens. Returns
// the family it gave up at this call, whose fonts are to be made again (drawnFamily names their face
// now); otherwise an empty string.
QString followScreens();

// The family to ask for in place of a family of the table: its stand-in where the family is neither
// installed nor registered but the stand-in is, otherwise the family itself. A family that is not
// installed sends the font database on a fallback search through fontconfig for each font made of it;
// its stand-in by name does not. Other families, and every family before install(), come back as they
// are.
QString drawnFamily(const QString &family);

// How wide the window draws the family's letters, in per cent of their own widths (as
// QFont::setStretch takes it); 100 for a family the window draws as it is.
int windowStretch(const QString &family);

// How wide the printed page draws the family's letters, in per cent of their own widths.
int pageStretch(const QString &family);

} // namespace fonts
