#pragma once

#include <QScrollArea>

// The window's client area: scrolls vertically only, the bar shown only while needed, its arrows
// moving 8 pixels and a click in its track nine tenths of the visible height.
class FormScrollArea : public QScrollArea
{
    Q_OBJECT

public:
    static constexpr int arrowStep = 8;

    explicit FormScrollArea(QWidget *parent = nullptr);

    // Scrolls by the least amount that shows the whole of the widget (or as much as fits).
    void showWidget(QWidget *widget);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void keepHorizontalAtZero();
    void applyPageStep();
};
