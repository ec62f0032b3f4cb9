#include "form/widgets/tdatetimepicker.h"

#include "common/focusreason.h"
#include "common/regionalsettings.h"
#include "form/widgets/datepickeraccessible.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QProxyStyle>
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

// A short date ("2010. 01. 01.") just fills the field's width less a drop-down button of the width
// Windows draws; the application style's button, made for combo boxes, is wider and would cover the
// date's last characters. The field's own style takes the difference from the button and gives it to
// the text, and draws, hit-tests and places the edit line by the same rectangles.
class NarrowButtonStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl subControl,
                         const QWidget *widget) const override
    {
        const QRect rect = QProxyStyle::subControlRect(control, option, subControl, widget);
        if (control != CC_ComboBox || (subControl != SC_ComboBoxArrow && subControl != SC_ComboBoxEditField))
            return rect;
        constexpr int buttonWidth = 14;
        const int spare = QProxyStyle::subControlRect(control, option, SC_ComboBoxArrow, widget).width() - buttonWidth;
        if (spare <= 0)
            return rect;
        const bool arrowAtRight = option->direction != Qt::RightToLeft;
        if (subControl == SC_ComboBoxArrow)
            return arrowAtRight ? rect.adjusted(spare, 0, 0, 0) : rect.adjusted(0, 0, -spare, 0);
        return arrowAtRight ? rect.adjusted(0, 0, spare, 0) : rect.adjusted(-spare, 0, 0, 0);
    }
};

// One style for every date field, made of the application's style and going with the application.
QStyle *narrowButtonStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = new NarrowButtonStyle(QApplication::style()->name());
        style->setParent(qApp);
    }
    return style;
}

} // namespace

TDateTimePicker::TDateTimePicker(QWidget *parent)
    : QDateTimeEdit(parent)
{
    setStyle(narrowButtonStyle());
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

void TDateTimePicker::focusInEvent(QFocusEvent *event)
{
    // The error box of the field just left may open while the focus moves here; then the focus arrives
    // only as the window is activated again, and the line edit would keep the caret it was left with,
    // where typing does nothing. The field is entered all the same, as Shift+Tab from the numeric field
    // after it enters it: on its last section (the day of a Hungarian date), so typing replaces it.
    if (focusStaysInField(event->reason()) && m_left) {
        QFocusEvent entered(QEvent::FocusIn, Qt::BacktabFocusReason);
        QDateTimeEdit::focusInEvent(&entered);
    } else {
        QDateTimeEdit::focusInEvent(event);
    }
    m_left = false;
}

void TDateTimePicker::focusOutEvent(QFocusEvent *event)
{
    QDateTimeEdit::focusOutEvent(event);
    if (!focusStaysInField(event->reason()))
        m_left = true;
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
