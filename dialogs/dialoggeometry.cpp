#include "dialogs/dialoggeometry.h"

#include <QFont>
#include <QFontMetrics>

#include <algorithm>

namespace MessDlgs {

namespace {

const QString averagingLetters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");

constexpr int iconSize = 32;

int roundedQuotient(int numerator, int denominator)
{
    return (2 * numerator + denominator) / (2 * denominator);
}

} // namespace

DialogUnits DialogUnits::of(const QFont &font)
{
    const QFontMetrics metrics(font);
    return {metrics.horizontalAdvance(averagingLetters) / int(averagingLetters.size()), metrics.height()};
}

int DialogUnits::horizontal(int units) const
{
    return roundedQuotient(units * averageCharWidth, 4);
}

int DialogUnits::vertical(int units) const
{
    return roundedQuotient(units * charHeight, 8);
}

QSize messageTextSize(const QFont &dialogFont, const QString &text, int screenWidth)
{
    return QFontMetrics(dialogFont).boundingRect(QRect(0, 0, screenWidth / 2, 0), Qt::TextWordWrap, text).size();
}

int messageLabelHeight(const QFont &messageFont, const QString &text, int width)
{
    return QFontMetrics(messageFont).boundingRect(QRect(0, 0, width, 0), Qt::TextWordWrap, text).height();
}

MessageBoxGeometry messageBoxGeometry(const DialogUnits &units, QSize textSize, int labelHeight, bool hasIcon,
                                      int buttonCount)
{
    const int horizontalMargin = units.horizontal(8);
    const int verticalMargin = units.vertical(8);
    const int horizontalSpacing = units.horizontal(10);
    const int verticalSpacing = units.vertical(10);
    const int buttonWidth = units.horizontal(50);
    const int buttonHeight = units.vertical(14);
    const int buttonSpacing = units.horizontal(4);

    const int iconTextWidth = hasIcon ? textSize.width() + iconSize + horizontalSpacing : textSize.width();
    const int iconTextHeight = hasIcon ? std::max(textSize.height(), iconSize) : textSize.height();
    const int contentHeight = std::max(iconTextHeight, labelHeight);
    const int buttonRowWidth = buttonCount > 0 ? buttonCount * buttonWidth + (buttonCount - 1) * buttonSpacing : 0;

    MessageBoxGeometry geometry;
    geometry.clientSize = QSize(std::max(iconTextWidth, buttonRowWidth) + 2 * horizontalMargin,
                                contentHeight + buttonHeight + verticalSpacing + 2 * verticalMargin);
    if (hasIcon)
        geometry.iconRect = QRect(horizontalMargin, verticalMargin, iconSize, iconSize);
    geometry.messageRect = QRect(iconTextWidth - textSize.width() + horizontalMargin, verticalMargin,
                                 textSize.width(), std::max(2 * textSize.height(), labelHeight));

    const int buttonTop = contentHeight + verticalMargin + verticalSpacing;
    int buttonLeft = (geometry.clientSize.width() - buttonRowWidth) / 2;
    for (int index = 0; index < buttonCount; ++index) {
        geometry.buttonRects.append(QRect(buttonLeft, buttonTop, buttonWidth, buttonHeight));
        buttonLeft += buttonWidth + buttonSpacing;
    }
    return geometry;
}

InputBoxGeometry inputBoxGeometry(const DialogUnits &units, int editHeight)
{
    const int buttonTop = units.vertical(41);
    const QSize buttonSize(units.horizontal(50), units.vertical(14));
    return {
        QSize(units.horizontal(180), units.vertical(63)),
        QPoint(units.horizontal(8), units.vertical(8)),
        QRect(units.horizontal(8), units.vertical(19), units.horizontal(164), editHeight),
        QRect(QPoint(units.horizontal(38), buttonTop), buttonSize),
        QRect(QPoint(units.horizontal(92), buttonTop), buttonSize),
    };
}

QPoint centredPosition(QSize windowSize, const QRect &screen)
{
    return screen.topLeft()
           + QPoint(screen.width() / 2 - windowSize.width() / 2, screen.height() / 2 - windowSize.height() / 2);
}

} // namespace MessDlgs
