#include "app/problembox.h"

#include "dialogs/dialogbuilders.h"
#include "dialogs/dialoggeometry.h"
#include "dialogs/dialogtables.h"
#include "dialogs/languagetable.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include <memory>

using namespace MessDlgs;

namespace {

const QString introduction = QStringLiteral("Ezek az adatok hibásnak vagy hiányosnak látszanak:");
const QString fixCaption = QStringLiteral("Javítom");
const QString printCaption = QStringLiteral("Nyomtatás így is");
constexpr int iconSize = 32;

// The standard buttons' width is too narrow for these captions: each button grows to its caption, and
// the box grows with the row, which stays centred.
void widenButtons(MessageBoxGeometry &geometry, const DialogUnits &units, const QFontMetrics &metrics,
                  const QStringList &captions)
{
    const int padding = units.horizontal(8);
    const int spacing = units.horizontal(4);
    int rowWidth = -spacing;
    for (qsizetype index = 0; index < captions.size(); ++index) {
        QRect &button = geometry.buttonRects[index];
        button.setWidth(std::max(button.width(), metrics.horizontalAdvance(captions.at(index)) + 2 * padding));
        rowWidth += button.width() + spacing;
    }
    geometry.clientSize.setWidth(std::max(geometry.clientSize.width(), rowWidth + 2 * units.horizontal(8)));
    int left = (geometry.clientSize.width() - rowWidth) / 2;
    for (QRect &button : geometry.buttonRects) {
        button.moveLeft(left);
        left += button.width() + spacing;
    }
}

std::unique_ptr<TMessageForm> createProblemBox(const QStringList &problems)
{
    const Settings &current = settings();
    const QFont font = dialogFont(current);
    auto form = std::make_unique<TMessageForm>(current, font, languageText(Hungarian, entryWarningTitle));

    // Measured in the label's own font and not wrapped, so that each problem keeps to one line; only a
    // screen too narrow for the longest line wraps it.
    const QString text = introduction + QStringLiteral("\n\n") + problems.join(u'\n');
    const DialogUnits units = DialogUnits::of(font);
    const QRect screen = currentScreen();
    const QFontMetrics messageMetrics(current.messageFont);
    const int widestText = screen.width() - iconSize - units.horizontal(10) - 3 * units.horizontal(8);
    QSize textSize = messageMetrics.boundingRect(QRect(), Qt::AlignLeft, text).size();
    const bool wraps = widestText > 0 && textSize.width() > widestText;
    if (wraps)
        textSize = messageMetrics.boundingRect(QRect(0, 0, widestText, 0), Qt::TextWordWrap, text).size();
    MessageBoxGeometry geometry = messageBoxGeometry(units, textSize, textSize.height(), true, 2);
    widenButtons(geometry, units, QFontMetrics(font), {fixCaption, printCaption});
    form->setClientSize(geometry.clientSize);

    auto *icon = new QLabel(form->clientArea());
    icon->setObjectName(QStringLiteral("Image"));
    icon->setPixmap(form->style()
                        ->standardIcon(*dialogKind(mtWarning).icon, nullptr, form.get())
                        .pixmap(geometry.iconRect.size()));
    icon->setGeometry(geometry.iconRect);

    auto *message = new QLabel(form->clientArea());
    message->setObjectName(QStringLiteral("Message"));
    message->setTextFormat(Qt::PlainText);
    message->setText(text);
    message->setFont(current.messageFont);
    message->setWordWrap(wraps);
    message->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    message->setGeometry(QRect(geometry.messageRect.topLeft(), textSize));

    QPushButton *fix = form->addButton(QStringLiteral("Fix"), fixCaption, mrCancel, geometry.buttonRects.at(0));
    form->addButton(QStringLiteral("PrintAnyway"), printCaption, mrIgnore, geometry.buttonRects.at(1));
    fix->setDefault(true);
    fix->setFocus();
    form->setCancelButton(fix);
    form->placeOnScreen(screen, -1, -1);
    return form;
}

} // namespace

bool askToPrintDespite(const QStringList &problems)
{
    const std::unique_ptr<TMessageForm> box = createProblemBox(problems);
    return box->exec() == mrIgnore;
}
