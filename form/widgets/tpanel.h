#pragma once

#include <QColor>
#include <QWidget>

enum class Bevel;

// A plain container with a one-pixel outer bevel, raised or lowered. Its background is a colour of
// its own or, without one, the system's button face. What it holds is written in the system's
// window-text colour, or in black or white where that colour would not stand out from the panel's
// own colour, as a dark theme's light text would not on a light panel. Both follow the system's
// colours when the theme changes.
class TPanel : public QWidget
{
    Q_OBJECT

public:
    // An invalid colour gives the panel the system's button face.
    TPanel(Bevel bevel, const QColor &color, QWidget *parent = nullptr);

protected:
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void applyColors();

    Bevel m_bevel;
    QColor m_color;
};
