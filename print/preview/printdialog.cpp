#include "print/preview/printdialog.h"

#include "print/preview/okcancelbuttons.h"
#include "print/preview/printerlist.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CopiesSpinBox::CopiesSpinBox(QWidget *parent)
    : QAbstractSpinBox(parent)
{
    lineEdit()->setText(QStringLiteral("1"));
}

void CopiesSpinBox::stepBy(int steps)
{
    lineEdit()->setText(QString::number(steppedCopies(text(), steps)));
}

QValidator::State CopiesSpinBox::validate(QString &, int &) const
{
    return QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled CopiesSpinBox::stepEnabled() const
{
    return StepUpEnabled | StepDownEnabled;
}

CollatePicture::CollatePicture(QWidget *parent)
    : QWidget(parent)
{
}

void CollatePicture::setCollated(bool collated)
{
    m_collated = collated;
    update();
}

QSize CollatePicture::sizeHint() const
{
    return {96, 40};
}

void CollatePicture::paintEvent(QPaintEvent *)
{
    static const int collatedOrder[] = {1, 2, 3, 1, 2, 3};
    static const int uncollatedOrder[] = {1, 1, 2, 2, 3, 3};
    const int *order = m_collated ? collatedOrder : uncollatedOrder;

    QPainter painter(this);
    painter.setFont(QFont(QStringLiteral("MS Sans Serif"), 7));
    constexpr int sheetWidth = 16;
    constexpr int sheetHeight = 22;
    constexpr int stackShift = 4;
    for (int stack = 0; stack < 2; ++stack) {
        for (int sheet = 2; sheet >= 0; --sheet) {
            const QRect rect(stack * 48 + sheet * stackShift + 4, sheet * stackShift + 4, sheetWidth, sheetHeight);
            painter.setPen(palette().color(QPalette::WindowText));
            painter.setBrush(palette().color(QPalette::Base));
            painter.drawRect(rect);
            painter.drawText(rect, Qt::AlignCenter, QString::number(order[stack * 3 + sheet]));
        }
    }
}

TfrxPrintDialog::TfrxPrintDialog(PrinterList &printers, PropertiesDialog showProperties, QWidget *parent)
    : QDialog(parent)
    , m_printers(printers)
    , m_showProperties(std::move(showProperties))
{
    setObjectName(QStringLiteral("TfrxPrintDialog"));
    setWindowTitle(QStringLiteral("Nyomtat"));
    setModal(true);

    auto *buttons = createOkCancelButtons(this);

    auto *lower = new QHBoxLayout;
    lower->addWidget(createPagesGroup());
    lower->addWidget(createCopiesGroup());

    m_printPages = new QComboBox(this);
    m_printPages->setObjectName(QStringLiteral("PrintPagesCB"));
    m_printPages->addItems({QStringLiteral("Minden oldal"), QStringLiteral("Páratlan oldalak"),
                            QStringLiteral("Páros oldalak")});
    auto *printPagesRow = new QHBoxLayout;
    auto *printPagesLabel = new QLabel(QStringLiteral("Nyomtat"), this);
    printPagesLabel->setBuddy(m_printPages);
    printPagesRow->addWidget(printPagesLabel);
    printPagesRow->addWidget(m_printPages);
    printPagesRow->addStretch();
    printPagesRow->addWidget(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(createPrinterGroup());
    layout->addLayout(lower);
    layout->addLayout(printPagesRow);

    showCurrentPrinter();
}

QWidget *TfrxPrintDialog::createPrinterGroup()
{
    auto *group = new QGroupBox(QStringLiteral("Nyomtató  "), this);

    m_printerBox = new QComboBox(group);
    m_printerBox->setObjectName(QStringLiteral("PrintersCB"));
    for (const PrinterEntry &printer : m_printers.printers())
        m_printerBox->addItem(printer.name);
    m_printerBox->setCurrentIndex(m_printers.currentIndex());
    connect(m_printerBox, &QComboBox::activated, this, [this](int index) {
        m_printers.setCurrentIndex(index);
        showCurrentPrinter();
    });

    auto *properties = new QPushButton(QStringLiteral("Tulajdonságok..."), group);
    properties->setObjectName(QStringLiteral("PropButton"));
    properties->setAutoDefault(false);
    connect(properties, &QPushButton::clicked, this, [this] {
        if (m_showProperties)
            m_showProperties(this, m_printers.current().name);
    });

    m_typeText = new QLabel(group);
    m_typeText->setObjectName(QStringLiteral("TypeL"));
    m_portText = new QLabel(group);
    m_portText->setObjectName(QStringLiteral("WhereL"));
    m_toFile = new QCheckBox(QStringLiteral("Fájlba nyomtat"), group);
    m_toFile->setObjectName(QStringLiteral("FileCB"));
    m_reverse = new QCheckBox(QStringLiteral("Fordított sorrendben"), group);
    m_reverse->setObjectName(QStringLiteral("ReverseCB"));

    auto *layout = new QGridLayout(group);
    layout->addWidget(m_printerBox, 0, 0, 1, 3);
    layout->addWidget(properties, 0, 3);
    layout->addWidget(new QLabel(QStringLiteral("Típus:"), group), 1, 0);
    layout->addWidget(m_typeText, 1, 1);
    layout->addWidget(m_toFile, 1, 3);
    layout->addWidget(new QLabel(QStringLiteral("Hol:"), group), 2, 0);
    layout->addWidget(m_portText, 2, 1);
    layout->addWidget(m_reverse, 2, 3);
    layout->setColumnStretch(2, 1);
    return group;
}

QWidget *TfrxPrintDialog::createPagesGroup()
{
    auto *group = new QGroupBox(QStringLiteral("Oldalak "), this);
    m_allPages = new QRadioButton(QStringLiteral("Mind"), group);
    m_allPages->setObjectName(QStringLiteral("AllRB"));
    m_allPages->setChecked(true);
    m_currentPage = new QRadioButton(QStringLiteral("Jelenlegi oldal"), group);
    m_currentPage->setObjectName(QStringLiteral("CurPageRB"));
    m_listedPages = new QRadioButton(QStringLiteral("Oldalak:"), group);
    m_listedPages->setObjectName(QStringLiteral("PageNumbersRB"));
    m_pageNumbers = new QLineEdit(group);
    m_pageNumbers->setObjectName(QStringLiteral("PageNumbersE"));
    m_pageNumbers->installEventFilter(this);
    auto *note = new QLabel(
        QStringLiteral("Adjon meg oldalszámokat vagy tartományokat, vesszővel elválasztva. Például 1,3,5-12"), group);
    note->setObjectName(QStringLiteral("DescrL"));
    note->setWordWrap(true);
    // The option before the entry is its label on screen; screen readers get it as the entry's name, and
    // the note below as its description.
    m_pageNumbers->setAccessibleName(m_listedPages->text());
    m_pageNumbers->setAccessibleDescription(note->text());

    auto *listRow = new QHBoxLayout;
    listRow->addWidget(m_listedPages);
    listRow->addWidget(m_pageNumbers);
    auto *layout = new QVBoxLayout(group);
    layout->addWidget(m_allPages);
    layout->addWidget(m_currentPage);
    layout->addLayout(listRow);
    layout->addWidget(note);
    return group;
}

QWidget *TfrxPrintDialog::createCopiesGroup()
{
    auto *group = new QGroupBox(QStringLiteral("Másolatok"), this);
    m_copies = new CopiesSpinBox(group);
    m_copies->setObjectName(QStringLiteral("CopiesE"));
    m_collate = new QCheckBox(QStringLiteral("Gyűjt"), group);
    m_collate->setObjectName(QStringLiteral("CollateCB"));
    m_collate->setChecked(true);
    m_collatePicture = new CollatePicture(group);
    m_collatePicture->setObjectName(QStringLiteral("CollateImg"));
    connect(m_collate, &QCheckBox::toggled, m_collatePicture, &CollatePicture::setCollated);

    auto *copiesLabel = new QLabel(QStringLiteral("Másolatok száma"), group);
    copiesLabel->setBuddy(m_copies);
    auto *layout = new QGridLayout(group);
    layout->addWidget(copiesLabel, 0, 0);
    layout->addWidget(m_copies, 0, 1);
    layout->addWidget(m_collatePicture, 1, 0);
    layout->addWidget(m_collate, 1, 1);
    return group;
}

void TfrxPrintDialog::showCurrentPrinter()
{
    const PrinterEntry &printer = m_printers.current();
    m_typeText->setText(printer.name);
    m_portText->setText(printer.port);
}

bool TfrxPrintDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pageNumbers && event->type() == QEvent::FocusIn)
        m_listedPages->setChecked(true);
    return QDialog::eventFilter(watched, event);
}

PrintDialogChoice TfrxPrintDialog::choice() const
{
    PrintDialogChoice choice;
    if (m_currentPage->isChecked())
        choice.range = PrintDialogChoice::CurrentPage;
    else if (m_listedPages->isChecked())
        choice.range = PrintDialogChoice::ListedPages;
    choice.pageNumbers = m_pageNumbers->text();
    choice.copiesText = m_copies->text();
    choice.collate = m_collate->isChecked();
    choice.printPages = static_cast<TfrxPrintPages>(m_printPages->currentIndex());
    choice.reverse = m_reverse->isChecked();
    choice.toFile = m_toFile->isChecked();
    return choice;
}
