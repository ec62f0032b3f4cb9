#include "print/preview/printeroptionsdialog.h"

#include "print/preview/okcancelbuttons.h"
#include "print/preview/waitcursor.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

PrinterOptionsDialog::PrinterOptionsDialog(const QString &printerName, const std::optional<PrinterOptions> &options,
                                           QWidget *parent)
    : QDialog(parent)
    , m_options(options.value_or(PrinterOptions()))
{
    setObjectName(QStringLiteral("PrinterOptionsDialog"));
    setWindowTitle(QStringLiteral("Nyomtató tulajdonságai: %1").arg(printerName));
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    if (!options) {
        layout->addWidget(new QLabel(QStringLiteral("A nyomtató beállításai nem olvashatók be."), this));
    } else if (m_options.isEmpty()) {
        layout->addWidget(new QLabel(QStringLiteral("A nyomtatónak nincs más beállítható tulajdonsága."), this));
    } else {
        layout->addWidget(createScrollArea(createOptionGroups()));
    }
    layout->addWidget(new QLabel(QStringLiteral("Mindig A4-es papír, álló tájolás, egyoldalas nyomtatás."), this));

    auto *buttons = createOkCancelButtons(this);
    layout->addWidget(buttons);
}

// As large as the options need, but a driver with dozens of them scrolls within the screen's height.
QWidget *PrinterOptionsDialog::createScrollArea(QWidget *content)
{
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(content);
    const QSize wanted = content->sizeHint();
    const int scrollBarWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll);
    scroll->setMinimumWidth(wanted.width() + scrollBarWidth);
    scroll->setMinimumHeight(qMin(wanted.height(), screen()->availableGeometry().height() * 2 / 3));
    return scroll;
}

QWidget *PrinterOptionsDialog::createOptionGroups()
{
    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    QString groupKeyword;
    QFormLayout *form = nullptr;
    for (int i = 0; i < m_options.options().size(); ++i) {
        const PrinterOption &option = m_options.options().at(i);
        if (!form || option.groupKeyword != groupKeyword) {
            auto *group = new QGroupBox(option.groupCaption, content);
            form = new QFormLayout(group);
            layout->addWidget(group);
            groupKeyword = option.groupKeyword;
        }
        auto *choices = new QComboBox(content);
        choices->setObjectName(option.keyword);
        for (const PrinterChoice &choice : option.choices)
            choices->addItem(choice.caption, choice.keyword);
        choices->setCurrentIndex(m_options.chosenIndex(i));
        connect(choices, &QComboBox::currentIndexChanged, this, [this, i](int choice) { m_options.choose(i, choice); });
        form->addRow(option.caption, choices);
    }
    layout->addStretch();
    return content;
}

void showPrinterOptions(QWidget *parent, const QString &printerName, PrinterOptionStore &store)
{
    const std::optional<PrinterOptions> options = [&] {
        const WaitCursor busy;
        return store.options(printerName);
    }();
    PrinterOptionsDialog dialog(printerName, options, parent);
    // Options that could not be read are asked for again next time, not kept empty.
    if (dialog.exec() == QDialog::Accepted && options)
        store.keep(printerName, dialog.options());
}
