#include "form/widgets/tdatetimepicker.h"

#include "common/regionalsettings.h"

#include <QWheelEvent>

TDateTimePicker::TDateTimePicker(QWidget *parent)
    : QDateTimeEdit(parent)
{
    setCalendarPopup(true);
    setMinimumDate(QDate(1752, 9, 14));
    applyShortDateFormat();
    connect(&Regional::instance(), &Regional::changed, this, &TDateTimePicker::applyShortDateFormat);
}

void TDateTimePicker::applyShortDateFormat()
{
    const QDateTime value = dateTime();
    setDisplayFormat(Regional::settings().shortDateFormat);
    setDateTime(value);
}

void TDateTimePicker::wheelEvent(QWheelEvent *event)
{
    event->ignore();
}

bool TDateTimePicker::focusNextPrevChild(bool next)
{
    return QWidget::focusNextPrevChild(next);
}
