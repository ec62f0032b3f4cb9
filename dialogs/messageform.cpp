#include "dialogs/messageform.h"

#include "dialogs/dialoggeometry.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRegion>

#include <array>

namespace MessDlgs {

namespace {

// The program shows its dialogs unstyled; these colours only serve callers that turn the styles on.
struct ColourScheme
{
    QColor light; // background of the panel and face of the buttons
    QColor dark;  // text
};

const std::array<ColourScheme, 10> colourSchemes = {{
    {QColor(0xF0, 0xF0, 0xF0), QColor(0x20, 0x20, 0x20)},
    {QColor(0xDC, 0xE6, 0xF4), QColor(0x1F, 0x3A, 0x68)},
    {QColor(0xE2, 0xF0, 0xD9), QColor(0x2E, 0x5A, 0x1C)},
    {QColor(0xF8, 0xE5, 0xD0), QColor(0x7A, 0x3E, 0x0B)},
    {QColor(0xE8, 0xE0, 0xF0), QColor(0x45, 0x2A, 0x6B)},
    {QColor(0xF5, 0xDE, 0xDE), QColor(0x7D, 0x1F, 0x1F)},
    {QColor(0xDD, 0xF1, 0xF1), QColor(0x14, 0x5A, 0x5A)},
    {QColor(0xF4, 0xF1, 0xD6), QColor(0x5E, 0x55, 0x12)},
    {QColor(0xD6, 0xE4, 0xF7), QColor(0x10, 0x2F, 0x5C)},
    {QColor(0xE6, 0xE6, 0xE6), QColor(0x3A, 0x3A, 0x3A)},
}};

const ColourScheme &colourScheme(int number)
{
    const int count = int(colourSchemes.size());
    return colourSchemes[((number % count) + count) % count];
}

void applyScheme(QWidget *widget, const ColourScheme &scheme, QPalette::ColorRole background,
                 QPalette::ColorRole text)
{
    QPalette palette = widget->palette();
    palette.setColor(background, scheme.light);
    palette.setColor(text, scheme.dark);
    widget->setPalette(palette);
}

// How much lower the window gets when rounded corners replace its frame.
constexpr int roundedBorderExtraHeight = 35;

} // namespace

TMessageForm::TMessageForm(const Settings &settings, const QFont &dialogFont, const QString &title)
    : m_settings(settings)
{
    Qt::WindowFlags flags = Qt::Dialog;
    if (m_settings.dialogBorder && !hasRoundedCorners())
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                 | Qt::MSWindowsFixedSizeDialogHint;
    else
        flags |= Qt::FramelessWindowHint;
    setWindowFlags(flags);
    setFont(dialogFont);
    setWindowTitle(title);

    m_clientArea = this;
    if (m_settings.styledPanel) {
        auto *panel = new QFrame(this);
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        panel->setAutoFillBackground(true);
        applyScheme(panel, colourScheme(m_settings.panelColourScheme), QPalette::Window, QPalette::WindowText);
        m_clientArea = panel;
    }
}

bool TMessageForm::hasRoundedCorners() const
{
    return m_settings.roundedCorners && !m_settings.styledPanel;
}

void TMessageForm::setClientSize(QSize size)
{
    if (hasRoundedCorners() && m_settings.dialogBorder)
        size.rheight() += roundedBorderExtraHeight;
    setFixedSize(size);
    if (m_clientArea != this)
        m_clientArea->setGeometry(rect());
    if (hasRoundedCorners()) {
        QPainterPath outline;
        const qreal radius = m_settings.cornerRadius / 2.0;
        outline.addRoundedRect(rect(), radius, radius);
        setMask(QRegion(outline.toFillPolygon().toPolygon()));
    }
}

QPushButton *TMessageForm::createButton(const QString &objectName, const QString &caption, const QRect &geometry)
{
    auto *button = new QPushButton(caption, m_clientArea);
    button->setObjectName(objectName);
    button->setGeometry(geometry);
    if (m_settings.styledButtons)
        applyScheme(button, colourScheme(m_settings.buttonColourScheme), QPalette::Button, QPalette::ButtonText);
    return button;
}

QPushButton *TMessageForm::addButton(const QString &objectName, const QString &caption, int result,
                                     const QRect &geometry)
{
    QPushButton *button = createButton(objectName, caption, geometry);
    connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
    return button;
}

QPushButton *TMessageForm::addHelpButton(const QString &objectName, const QString &caption, const QRect &geometry)
{
    QPushButton *button = createButton(objectName, caption, geometry);
    connect(button, &QPushButton::clicked, this, [this] { emit helpRequested(m_helpContext); });
    return button;
}

void TMessageForm::placeOnScreen(const QRect &screen, int left, int top)
{
    QPoint position = centredPosition(frameGeometry().size(), screen);
    if (left >= 0)
        position.setX(left);
    if (top >= 0)
        position.setY(top);
    move(position);
}

void TMessageForm::reject()
{
    done(mrCancel);
}

void TMessageForm::keyPressEvent(QKeyEvent *event)
{
    // Without a cancel button Escape closes like the close box, so that no dialog is left without a way out.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && m_cancelButton) {
        m_cancelButton->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TMessageForm::paintEvent(QPaintEvent *event)
{
    if (!m_settings.gradientBackground || m_settings.styledPanel) {
        QDialog::paintEvent(event);
        return;
    }
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, m_settings.gradientTop);
    gradient.setColorAt(1, m_settings.gradientBottom);
    QPainter(this).fillRect(rect(), gradient);
}

} // namespace MessDlgs
