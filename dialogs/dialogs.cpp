#include "dialogs/dialogs.h"

#include "common/beep.h"
#include "dialogs/dialogbuilders.h"

namespace MessDlgs {

namespace {

MessageBoxFunction &messageBoxFunction()
{
    static MessageBoxFunction current;
    return current;
}

InputBoxFunction &inputBoxFunction()
{
    static InputBoxFunction current;
    return current;
}

HelpFunction &helpFunction()
{
    static HelpFunction current;
    return current;
}

} // namespace

void openHelpTopic(int helpContext)
{
    if (helpFunction())
        helpFunction()(helpContext);
    else
        beep::sound();
}

Settings &settings()
{
    static Settings current;
    return current;
}

MessageBoxFunction setMessageBoxFunction(MessageBoxFunction function)
{
    return std::exchange(messageBoxFunction(), std::move(function));
}

InputBoxFunction setInputBoxFunction(InputBoxFunction function)
{
    return std::exchange(inputBoxFunction(), std::move(function));
}

HelpFunction setHelpFunction(HelpFunction function)
{
    return std::exchange(helpFunction(), std::move(function));
}

} // namespace MessDlgs

int ShowMessageBox(const QString &text, TMsgDlgType type, TMsgDlgButtons buttons, int language, int left, int top,
                   int helpContext)
{
    const MessDlgs::MessageBoxRequest request{text, type, buttons, language, left, top, helpContext};
    if (MessDlgs::messageBoxFunction())
        return MessDlgs::messageBoxFunction()(request);
    return MessDlgs::runMessageBox(request);
}

void ShowInformationBox(const QString &text)
{
    ShowMessageBox(text, mtInformation, {mbOK}, MessDlgs::settings().language);
}

bool AskForText(const QString &caption, const QString &prompt, const QString &defaultValue, QString &value)
{
    value = defaultValue;
    const std::optional<QString> edited = MessDlgs::inputBoxFunction()
                                              ? MessDlgs::inputBoxFunction()(caption, prompt, value)
                                              : MessDlgs::runInputBox(caption, prompt, value);
    if (!edited)
        return false;
    value = *edited;
    return true;
}
