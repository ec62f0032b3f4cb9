#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QFont;

namespace MessDlgs {

// Sizes in dialog units of a font: a horizontal unit is a quarter of the average character width, a
// vertical unit an eighth of the character height.
struct DialogUnits
{
    int averageCharWidth = 0;
    int charHeight = 0;

    static DialogUnits of(const QFont &font);

    int horizontal(int units) const;
    int vertical(int units) const;
};

struct MessageBoxGeometry
{
    QSize clientSize;
    QRect iconRect; // null without an icon
    QRect messageRect;
    QList<QRect> buttonRects; // one per requested button, in button order
};

// The text as the dialog's font sets it, word-wrapped into half the screen width.
QSize messageTextSize(const QFont &dialogFont, const QString &text, int screenWidth);

// The height the message label needs to show the whole text in its own font at the given width.
int messageLabelHeight(const QFont &messageFont, const QString &text, int width);

// Lays the message box out from the measured text. The label is twice the text height, or taller when
// its own font needs more; then the buttons move down with it, so no line is hidden behind them.
MessageBoxGeometry messageBoxGeometry(const DialogUnits &units, QSize textSize, int labelHeight, bool hasIcon,
                                      int buttonCount);

struct InputBoxGeometry
{
    QSize clientSize;
    QPoint promptPosition;
    QRect editRect;
    QRect okRect;
    QRect cancelRect;
};

InputBoxGeometry inputBoxGeometry(const DialogUnits &units, int editHeight);

// Top-left corner that centres a window of this size on the screen, halves by integer division.
QPoint centredPosition(QSize windowSize, const QRect &screen);

} // namespace MessDlgs
