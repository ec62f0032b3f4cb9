#include "dialogs/dialogbuilders.h"

#include "common/failure.h"
#include "dialogs/dialoggeometry.h"
#include "dialogs/dialogtables.h"
#include "dialogs/languagetable.h"
#include "common/windows1250validator.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace MessDlgs {

namespace {

constexpr int inputMaxLength = 255;
const QString inputEditName = QStringLiteral("Edit");

QString messageTitle(TMsgDlgType type, int language)
{
    if (type == mtCustom)
        return QGuiApplication::applicationDisplayName();
    return languageText(language, dialogKind(type).titleEntry);
}

void addIcon(TMessageForm &form, QStyle::StandardPixmap icon, const QRect &geometry)
{
    auto *image = new QLabel(form.clientArea());
    image->setObjectName(QStringLiteral("Image"));
    image->setPixmap(form.style()->standardIcon(icon, nullptr, &form).pixmap(geometry.size()));
    image->setGeometry(geometry);
}

// Transparent, and transparent to the mouse: the label is taller than its text and may reach over the
// buttons, which must still take every click.
void addMessageLabel(TMessageForm &form, const QString &text, const Settings &settings, const QRect &geometry)
{
    auto *message = new QLabel(form.clientArea());
    message->setObjectName(QStringLiteral("Message"));
    message->setTextFormat(Qt::PlainText);
    message->setText(text);
    message->setFont(settings.messageFont);
    message->setWordWrap(true);
    message->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    message->setAttribute(Qt::WA_TransparentForMouseEvents);
    message->setGeometry(geometry);
    message->raise();
}

void addButtons(TMessageForm &form, const MessageBoxRequest &request, const QList<QRect> &geometries)
{
    const std::optional<TMsgDlgBtn> defaultButton = defaultButtonOf(request.buttons);
    const std::optional<TMsgDlgBtn> cancelButton = cancelButtonOf(request.buttons);
    qsizetype placed = 0;
    for (int index = 0; index < msgDlgButtonCount; ++index) {
        const auto button = TMsgDlgBtn(index);
        if (!request.buttons.contains(button))
            continue;
        const ButtonKind &kind = buttonKind(button);
        const QString name = QString::fromLatin1(kind.controlName);
        const QString caption = languageText(request.language, kind.captionEntry);
        const QRect &geometry = geometries.at(placed++);
        QPushButton *control = button == mbHelp ? form.addHelpButton(name, caption, geometry)
                                                : form.addButton(name, caption, kind.result, geometry);
        if (button == defaultButton) {
            control->setDefault(true);
            control->setFocus();
        }
        if (button == cancelButton)
            form.setCancelButton(control);
    }
}

} // namespace

QRect currentScreen()
{
    const QWidget *active = QApplication::activeWindow();
    const QScreen *screen = active ? active->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}

QFont dialogFont(const Settings &settings)
{
    return settings.dialogFontOverride ? settings.messageFont : QApplication::font("QMessageBox");
}

std::unique_ptr<TMessageForm> createMessageForm(const MessageBoxRequest &request)
{
    const Settings &current = settings();
    const QFont font = dialogFont(current);
    const DialogKind &kind = dialogKind(request.type);
    auto form = std::make_unique<TMessageForm>(current, font, messageTitle(request.type, request.language));

    const QRect screen = currentScreen();
    const QSize textSize = messageTextSize(font, request.text, screen.width());
    const int labelHeight = messageLabelHeight(current.messageFont, request.text, textSize.width());
    const MessageBoxGeometry geometry = messageBoxGeometry(DialogUnits::of(font), textSize, labelHeight,
                                                           kind.icon.has_value(), request.buttons.count());
    form->setClientSize(geometry.clientSize);
    if (kind.icon)
        addIcon(*form, *kind.icon, geometry.iconRect);
    addMessageLabel(*form, request.text, current, geometry.messageRect);
    addButtons(*form, request, geometry.buttonRects);
    form->setHelpContext(request.helpContext);
    QObject::connect(form.get(), &TMessageForm::helpRequested, form.get(),
                     [](int helpContext) { failure::guard([helpContext] { openHelpTopic(helpContext); }); });
    form->placeOnScreen(screen, request.left, request.top);
    return form;
}

std::unique_ptr<TMessageForm> createInputForm(const QString &caption, const QString &prompt, const QString &value)
{
    const Settings &current = settings();
    const QFont font = dialogFont(current);
    auto form = std::make_unique<TMessageForm>(current, font, caption);

    // The edit line comes after the prompt, so that it stays in front of a prompt long enough to reach it.
    auto *promptLabel = new QLabel(prompt, form->clientArea());
    auto *edit = new QLineEdit(form->clientArea());
    const InputBoxGeometry geometry = inputBoxGeometry(DialogUnits::of(font), edit->sizeHint().height());
    form->setClientSize(geometry.clientSize);

    promptLabel->setObjectName(QStringLiteral("Prompt"));
    promptLabel->setTextFormat(Qt::PlainText);
    promptLabel->move(geometry.promptPosition);
    promptLabel->adjustSize();

    edit->setObjectName(inputEditName);
    // Screen readers name the edit line after its prompt. Not as the prompt's buddy: that would make an
    // ampersand in the prompt an access key and hide it.
    edit->setAccessibleName(prompt);
    edit->setGeometry(geometry.editRect);
    edit->setMaxLength(inputMaxLength);
    windows1250::refuseOutside(edit);
    edit->setText(value);
    edit->selectAll();
    edit->setFocus();

    QPushButton *ok = form->addButton(QStringLiteral("OK"), QStringLiteral("OK"), mrOk, geometry.okRect);
    ok->setDefault(true);
    QPushButton *cancel = form->addButton(QStringLiteral("Cancel"), languageText(current.language, entryInputCancel),
                                          mrCancel, geometry.cancelRect);
    form->setCancelButton(cancel);
    form->placeOnScreen(currentScreen(), -1, -1);
    return form;
}

int runMessageBox(const MessageBoxRequest &request)
{
    const std::unique_ptr<TMessageForm> form = createMessageForm(request);
    return form->exec();
}

std::optional<QString> runInputBox(const QString &caption, const QString &prompt, const QString &value)
{
    const std::unique_ptr<TMessageForm> form = createInputForm(caption, prompt, value);
    if (form->exec() != mrOk)
        return std::nullopt;
    return form->findChild<QLineEdit *>(inputEditName)->text();
}

} // namespace MessDlgs
