#pragma once

#include <QDateTimeEdit>

// A date field with a drop-down calendar. It shows the date only, in the system's short date format,
// and follows that format when the regional settings change. The wheel is left to the window.
class TDateTimePicker : public QDateTimeEdit
{
    Q_OBJECT

public:
    explicit TDateTimePicker(QWidget *parent = nullptr);

protected:
    void wheelEvent(QWheelEvent *event) override;
    // Tab leaves the field, as in any other field; the arrows move between day, month and year.
    bool focusNextPrevChild(bool next) override;

private:
    void applyShortDateFormat();
};
