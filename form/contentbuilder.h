#pragma once

#include "form/catalogue.h"

#include <QFont>
#include <QList>
#include <QString>

class QLabel;
class QObject;
class QWidget;

// One component of the window: its name, its kind and the object that carries it (nullptr for
// components that have no Qt object of their own).
struct Component
{
    QString name;
    ComponentKind kind;
    QObject *object = nullptr;
};

// The font a catalogue row names, scaled for the screen as the catalogue's geometry is, and as narrow
// as the window draws its family. The title, too narrow for its box even so, shrinks to fit it.
QFont catalogueFont(FontRole role, double scale = 1.0);

// A pixel size, down to 8 and up to the font's own, at which the line in that font is at most `width`
// wide: the largest that fits or a pixel less. The first size tried is estimated from the line's
// advance in `reference`, a font of the same face at another size or stretch that is drawn anyway, so
// that each font engine made is usually the one the line is then drawn with.
int fittingPixelSize(QFont font, const QString &line, int width, const QFont &reference);

// Geometry and fonts are given for a window font 13 pixels high; a different height scales them.
double contentScale(int windowFontTextHeight);
QRect scaledGeometry(const QRect &geometry, double scale);

// Builds every component that has a place on screen under the client area, in component order,
// with the catalogue's geometry, texts, fonts, colours, initial values, tab order, and the names and
// descriptions screen readers read from the labels beside the fields.
QList<Component> buildContent(QWidget *clientArea);

// Renames a computed result after its caption changed, for screen readers: its caption, the value
// and the unit ("Különbözet: 0 Ft."). A new name is announced.
void nameComputedResult(QLabel *result);
