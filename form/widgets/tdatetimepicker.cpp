#include "form/widgets/tdatetimepicker.h"

#include "common/regionalsettings.h"
#include "form/widgets/datepickeraccessible.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QWheelEvent>

namespace {

bool opensCalendar(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    return (event.key() == Qt::Key_F4 && modifiers == Qt::NoModifier)
        || (event.key() == Qt::Key_Down && modifiers == Qt::AltModifier);
}

} // namespace

TDateTimePicker::TDateTimePicker(QWidget *parent)
    : QDateTimeEdit(parent)
{
    installDatePickerAccessibility();
    setCalendarPopup(true);
    setMinimumDate(QDate(1752, 9, 14));
    applyShortDateFormat();
    m_announcedText = text();
    connect(&Regional::instance(), &Regional::changed, this, &TDateTimePicker::applyShortDateFormat);
    connect(lineEdit(), &QLineEdit::textChanged, this, &TDateTimePicker::announceShownText);
}

void TDateTimePicker::applyShortDateFormat()
{
    const QDateTime value = dateTime();
    setDisplayFormat(Regional::settings().shortDateFormat);
    setDateTime(value);
}

// The edit line tells of its own changes; screen readers hear of them from the field they are in.
void TDateTimePicker::announceShownText(const QString &shown)
{
    QAccessibleTextUpdateEvent event(this, 0, m_announcedText, shown);
    event.setCursorPosition(lineEdit()->cursorPosition());
    m_announcedText = shown;
    QAccessible::updateAccessibility(&event);
}

// The calendar opens only through a press on the drop-down button, so the key presses the button.
void TDateTimePicker::dropDown()
{
    QStyleOptionComboBox option;
    option.initFrom(this);
    option.editable = true;
    option.subControls = QStyle::SC_All;
    const QRect button = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this);
    if (!calendarPopup() || button.isEmpty())
        return;
    const QPointF at = button.center();
    QMouseEvent press(QEvent::MouseButtonPress, at, mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QDateTimeEdit::mousePressEvent(&press);
}

void TDateTimePicker::keyPressEvent(QKeyEvent *event)
{
    if (opensCalendar(*event))
        dropDown();
    else
        QDateTimeEdit::keyPressEvent(event);
}

void TDateTimePicker::wheelEvent(QWheelEvent *event)
{
    event->ignore();
}

bool TDateTimePicker::focusNextPrevChild(bool next)
{
    return QWidget::focusNextPrevChild(next);
}
