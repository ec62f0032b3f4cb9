#pragma once

#include "print/preview/printoptions.h"

#include <QAbstractSpinBox>
#include <QDialog>
#include <QWidget>

#include <functional>

class PrinterList;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// The copies entry: the arrows step between 1 and 100, typing is not limited, so that a wrong entry
// reaches the conversion and its error.
class CopiesSpinBox : public QAbstractSpinBox
{
    Q_OBJECT

public:
    explicit CopiesSpinBox(QWidget *parent = nullptr);

    void stepBy(int steps) override;
    QValidator::State validate(QString &input, int &pos) const override;

protected:
    StepEnabled stepEnabled() const override;
};

// The small picture beside "Gyűjt": three sheets numbered 1 2 3 twice when collated, 1 1 2 2 3 3 when not.
class CollatePicture : public QWidget
{
    Q_OBJECT

public:
    explicit CollatePicture(QWidget *parent = nullptr);

    void setCollated(bool collated);
    bool isCollated() const { return m_collated; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_collated = true;
};

// The print dialog. Choosing a printer makes it current in the printer list at once; the caller
// restores the previous one when the dialog is cancelled.
class TfrxPrintDialog : public QDialog
{
    Q_OBJECT

public:
    using PropertiesDialog = std::function<void(QWidget *parent, const QString &printerName)>;

    TfrxPrintDialog(PrinterList &printers, PropertiesDialog showProperties, QWidget *parent = nullptr);

    PrintDialogChoice choice() const;

private:
    QWidget *createPrinterGroup();
    QWidget *createPagesGroup();
    QWidget *createCopiesGroup();
    void showCurrentPrinter();
    bool eventFilter(QObject *watched, QEvent *event) override;

    PrinterList &m_printers;
    PropertiesDialog m_showProperties;
    QComboBox *m_printerBox = nullptr;
    QLabel *m_typeText = nullptr;
    QLabel *m_portText = nullptr;
    QCheckBox *m_toFile = nullptr;
    QCheckBox *m_reverse = nullptr;
    QRadioButton *m_allPages = nullptr;
    QRadioButton *m_currentPage = nullptr;
    QRadioButton *m_listedPages = nullptr;
    QLineEdit *m_pageNumbers = nullptr;
    CopiesSpinBox *m_copies = nullptr;
    QCheckBox *m_collate = nullptr;
    CollatePicture *m_collatePicture = nullptr;
    QComboBox *m_printPages = nullptr;
};
