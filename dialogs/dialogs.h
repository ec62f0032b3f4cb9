#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <bitset>
#include <functional>
#include <initializer_list>
#include <optional>

// The message box and the one-line input box, built at run time from the module-wide settings below
// and captioned from a twelve-language table.

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// In the order the buttons appear in a dialog.
enum TMsgDlgBtn {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp,
};

constexpr int msgDlgButtonCount = mbHelp + 1;

// A set of buttons, written as {mbYes, mbNo}.
class TMsgDlgButtons
{
public:
    TMsgDlgButtons() = default;
    TMsgDlgButtons(std::initializer_list<TMsgDlgBtn> buttons)
    {
        for (TMsgDlgBtn button : buttons)
            m_members.set(button);
    }

    bool contains(TMsgDlgBtn button) const { return m_members.test(button); }
    int count() const { return int(m_members.count()); }
    bool operator==(const TMsgDlgButtons &) const = default;

private:
    std::bitset<msgDlgButtonCount> m_members;
};

// Results a dialog closes with; the close box and Alt+F4 give mrCancel.
enum TModalResult {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
    mrNoToAll = 9,
    mrYesToAll = 10,
};

namespace MessDlgs {

// Rows of the language table.
enum Language {
    English,
    Russian,
    Portuguese,
    Turkish,
    German,
    Dutch,
    French,
    Greek,
    Spanish,
    Italian,
    Hungarian,
    Romanian,
};

constexpr int languageCount = Romanian + 1;

// One set for the whole application; every dialog reads it when it is built, and a caller changes it
// directly before showing one.
struct Settings
{
    int language = English;
    bool dialogBorder = true; // fixed dialog frame with title bar and close box; false: no frame at all
    QFont messageFont = QFont(QStringLiteral("Verdana"), 10, QFont::Bold); // the message text of the message box
    bool dialogFontOverride = false; // the whole dialog takes the message font
    bool styledButtons = false;
    int buttonColourScheme = 8;
    bool styledPanel = false; // a panel in the panel colour scheme carries the controls
    int panelColourScheme = 4;
    bool gradientBackground = false; // only without the styled panel
    QColor gradientTop = QColor(0x9D, 0xB9, 0xEB);    // colour value 15448477
    QColor gradientBottom = QColor(0x3D, 0x96, 0xFF); // colour value 16749885
    bool roundedCorners = false; // only without the styled panel
    int cornerRadius = 15;       // width and height of the ellipse that rounds the corners
};

Settings &settings();

// What one ShowMessageBox call asks for; left or top of -1 keeps the centred position.
struct MessageBoxRequest
{
    QString text;
    TMsgDlgType type = mtInformation;
    TMsgDlgButtons buttons;
    int language = English;
    int left = -1;
    int top = -1;
    int helpContext = 0;
};

// Seams for other code's tests. Each setter returns the previous function; an empty function
// restores the real dialog.
using MessageBoxFunction = std::function<int(const MessageBoxRequest &request)>;
// Returns the edited text when the box is closed with OK, nothing otherwise.
using InputBoxFunction =
    std::function<std::optional<QString>(const QString &caption, const QString &prompt, const QString &value)>;
// Opens the help topic of a help context; the Help button calls it. The default only beeps, as the
// program ships no help file.
using HelpFunction = std::function<void(int helpContext)>;

MessageBoxFunction setMessageBoxFunction(MessageBoxFunction function);
InputBoxFunction setInputBoxFunction(InputBoxFunction function);
HelpFunction setHelpFunction(HelpFunction function);

} // namespace MessDlgs

// Shows a modal message box and returns the result of the button that closed it (TModalResult).
// Left and top place the window when they are 0 or more; -1 keeps the centred position.
int ShowMessageBox(const QString &text, TMsgDlgType type, TMsgDlgButtons buttons, int language, int left = -1,
                   int top = -1, int helpContext = 0);

// An information box with one OK button in the current language, centred.
void ShowInformationBox(const QString &text);

// Sets the value to the default value and shows the input box; only when it is closed with OK does the
// edited text go into the value and the result become true.
bool AskForText(const QString &caption, const QString &prompt, const QString &defaultValue, QString &value);
