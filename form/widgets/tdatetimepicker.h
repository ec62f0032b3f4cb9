#pragma once

#include <QDateTimeEdit>

// A date field with a drop-down calendar. It shows the date only, in the system's short date format,
// and follows that format when the regional settings change. The wheel is left to the window.
//
// F4 and Alt+Down open the calendar, as in a platform date picker; Escape closes it. Screen readers
// read the date as the text shown.
class TDateTimePicker : public QDateTimeEdit
{
    Q_OBJECT

public:
    explicit TDateTimePicker(QWidget *parent = nullptr);

    // The edit line that shows the date text.
    QLineEdit *textField() const { return lineEdit(); }

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    // Tab leaves the field, as in any other field; the arrows move between day, month and year.
    bool focusNextPrevChild(bool next) override;

private:
    // Opens the drop-down calendar on the shown date.
    void dropDown();
    void applyShortDateFormat();
    void announceShownText(const QString &shown);

    QString m_announcedText;
    bool m_left = false; // left for another field since it last had the focus
};
