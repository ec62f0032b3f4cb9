#pragma once

#include <QLineEdit>

// A single-line free-text field without a length limit. It refuses, with the beep, characters that
// Windows-1250 cannot hold, so nothing typed turns into "?" when it is saved or printed.
class TEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit TEdit(QWidget *parent = nullptr);
};
