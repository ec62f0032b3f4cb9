#include "print/preview/previewform.h"

#include "common/failure.h"
#include "print/pagedrawer.h"
#include "print/preview/previewicons.h"
#include "print/preview/previewpages.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TfrxPreviewForm::TfrxPreviewForm(const PageDrawer &pages, PrinterList &printers, PrintServices services,
                                 QWidget *parent)
    : QDialog(parent)
    , m_pages(pages)
    , m_printer(pages, printers, std::move(services))
{
    setObjectName(QStringLiteral("TfrxPreviewForm"));
    setWindowTitle(QStringLiteral("Előkép"));
    setModal(true);
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);

    m_pagesView = new PreviewPages(m_pages, m_layout);
    m_pagesView->setObjectName(QStringLiteral("PreviewPages"));
    m_layout = PreviewLayout(pageSizesAt100(m_pages, m_pagesView->logicalDpiX(), m_pagesView->logicalDpiY()));

    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setObjectName(QStringLiteral("PreviewScroll"));
    // It has the focus as the preview opens; unnamed, a screen reader would announce nothing there.
    m_scrollArea->setAccessibleName(QStringLiteral("Nyomtatási kép"));
    m_scrollArea->setWidget(m_pagesView);
    m_scrollArea->viewport()->installEventFilter(this);
    connect(m_scrollArea->verticalScrollBar(), &QScrollBar::valueChanged, this, &TfrxPreviewForm::showCurrentPage);

    auto *statusBar = new QStatusBar(this);
    statusBar->setSizeGripEnabled(false);
    m_status = new QLabel(statusBar);
    m_status->setObjectName(QStringLiteral("StatusL"));
    statusBar->addWidget(m_status);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(createToolBar());
    layout->addWidget(m_scrollArea, 1);
    layout->addWidget(statusBar);

    setZoom(1.0);
}

QToolBar *TfrxPreviewForm::createToolBar()
{
    auto *toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("ToolBar"));
    toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);

    const auto addButton = [this, toolBar](const char *name, const QIcon &icon, const QString &hint,
                                           auto handler) {
        QAction *action = toolBar->addAction(icon, hint);
        action->setObjectName(QString::fromLatin1(name));
        action->setToolTip(hint);
        connect(action, &QAction::triggered, this, [handler] { failure::guard(handler); });
        // A toolbar keeps its buttons out of the Tab chain; here they are the only way to print.
        QWidget *button = toolBar->widgetForAction(action);
        button->setFocusPolicy(Qt::TabFocus);
        button->setAccessibleName(hint);
        button->installEventFilter(this);
        return action;
    };
    addButton("PrintB", previewicons::print(), QStringLiteral("Nyomtat"),
              [this] { m_printer.print(this, currentPageNumber()); })
        ->setShortcut(QKeySequence::Print);
    toolBar->addSeparator();
    addButton("ZoomWholePageB", previewicons::wholePage(), QStringLiteral("Teljes oldal"),
              [this] { setZoomMode(zmWholePage); });
    addButton("ZoomPageWidthB", previewicons::pageWidth(), QStringLiteral("Oldalszélesség"),
              [this] { setZoomMode(zmPageWidth); });
    addButton("Zoom100B", previewicons::actualSize(), QStringLiteral("100%"), [this] { setZoom(1.0); });
    addButton("ZoomTwoPagesB", previewicons::twoPages(), QStringLiteral("Két oldal"),
              [this] { setZoomMode(zmManyPages); });
    toolBar->addSeparator();

    m_zoomBox = new QComboBox(toolBar);
    m_zoomBox->setObjectName(QStringLiteral("ZoomCB"));
    m_zoomBox->setToolTip(QStringLiteral("Nagyít"));
    m_zoomBox->setEditable(true);
    m_zoomBox->setInsertPolicy(QComboBox::NoInsert);
    m_zoomBox->addItems({QStringLiteral("25%"), QStringLiteral("50%"), QStringLiteral("75%"), QStringLiteral("100%"),
                         QStringLiteral("150%"), QStringLiteral("200%"), pageWidthItem.toString(),
                         wholePageItem.toString()});
    m_zoomBox->setMinimumContentsLength(12);
    connect(m_zoomBox, &QComboBox::textActivated, this, &TfrxPreviewForm::applyZoomText);
    connect(m_zoomBox->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { applyZoomText(m_zoomBox->currentText()); });
    toolBar->addWidget(m_zoomBox);
    toolBar->addSeparator();

    auto *close = new QToolButton(toolBar);
    close->setObjectName(QStringLiteral("CancelB"));
    close->setText(QStringLiteral("Bezár"));
    close->setToolButtonStyle(Qt::ToolButtonTextOnly);
    close->installEventFilter(this);
    connect(close, &QToolButton::clicked, this, &TfrxPreviewForm::reject);
    toolBar->addWidget(close);
    return toolBar;
}

void TfrxPreviewForm::reject()
{
    if (m_printer.isPrinting()) {
        m_printer.cancel();
        return;
    }
    QDialog::reject();
}

void TfrxPreviewForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    relayout();
}

bool TfrxPreviewForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_scrollArea->viewport() && event->type() == QEvent::Resize)
        relayout();
    // Enter presses the focused toolbar button, as Space does.
    if (event->type() == QEvent::KeyPress) {
        auto *button = qobject_cast<QToolButton *>(watched);
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (button && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            button->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrxPreviewForm::setZoom(double zoom)
{
    m_layout.setZoom(zoom);
    relayout();
}

void TfrxPreviewForm::setZoomMode(TfrxZoomMode mode)
{
    m_layout.setZoomMode(mode);
    relayout();
}

void TfrxPreviewForm::applyZoomText(const QString &text)
{
    if (text == pageWidthItem) {
        setZoomMode(zmPageWidth);
    } else if (text == wholePageItem) {
        setZoomMode(zmWholePage);
    } else if (const auto zoom = typedZoom(text)) {
        setZoom(*zoom);
    } else {
        relayout();
    }
}

void TfrxPreviewForm::relayout()
{
    m_layout.setViewportSize(m_scrollArea->viewport()->size());
    m_pagesView->layoutChanged();
    m_zoomBox->setEditText(zoomText(m_layout.zoom()));
    showCurrentPage();
}

void TfrxPreviewForm::showCurrentPage()
{
    m_status->setText(QStringLiteral("%1. oldal %2 oldalból").arg(currentPageNumber()).arg(m_pages.pageCount()));
}

int TfrxPreviewForm::currentPageNumber() const
{
    return m_layout.pageAt(m_scrollArea->verticalScrollBar()->value() + PreviewLayout::pageGap) + 1;
}
