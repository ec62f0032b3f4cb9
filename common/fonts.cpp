#include "common/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QScreen>
#include <QStringList>

#include <algorithm>

namespace {

struct FontChoice
{
    const char *family;     // as the window and the page name it
    const char *fontFile;   // registered with the application when present; empty when fontconfig has it
    const char *substitute; // what stands in when the family itself is not installed
    int windowStretch;      // per cent of the face's own widths that the window's text is drawn at
    int pageStretch;        // the same for the printed page's text
};

// Wine's fonts (fonts-wine) are not registered with fontconfig, so the application registers them.
// Wine's bold Tahoma is hardly heavier than the regular face, only wider; without it Qt emboldens the
// regular face, which reads as bold at the regular face's widths.
//
// The window's labels were sized to their text with the widths Windows gives Arial at 15 pixels, each
// rounded to a whole pixel, which run up to 8 per cent narrower than the outlines' widths Liberation
// Sans keeps ("Ideje:" 34 pixels against 36.6). The whole face is drawn that much narrower, so that the
// label that runs widest fits its box and every label keeps the box the window was designed with.
//
// The page was laid out with the advance widths Windows gives its faces on a 96-dpi screen; there
// Tahoma and Franklin Gothic run a few per cent narrower than the faces standing in for them here.
// Drawing them condensed by that much keeps every label of the page on the line it was designed for;
// Arial's page labels fit at Liberation Sans's own widths.
const FontChoice fontTable[] = {
    {"MS Sans Serif", "/usr/share/wine/fonts/ms_sans_serif.ttf", "Liberation Sans", 100, 100},
    {"Tahoma", "/usr/share/wine/fonts/tahoma.ttf", "DejaVu Sans", 100, 96},
    {"Arial", "", "Liberation Sans", 92, 100},
    {"Verdana", "", "DejaVu Sans", 100, 100},
    {"Franklin Gothic Medium", "", "DejaVu Sans Condensed", 100, 95},
};

const FontChoice *fontChoice(const QString &family)
{
    for (const FontChoice &choice : fontTable) {
        if (family == QLatin1String(choice.family))
            return &choice;
    }
    return nullptr;
}

// Wine's "MS Sans Serif" has bitmaps only, no outlines: its glyphs come at their strike sizes and are
// never scaled. At a device pixel ratio other than 1 Qt asks for the glyphs scaled, which such a face
// cannot give, so it would draw them tiny at the scaled spacing. There the face is left out and its
// substitute stands in: Liberation Sans, a grotesque like it, whose widths come closest to its strikes
// (digits and letters within a few per cent).
const char bitmapFamily[] = "MS Sans Serif";

// Filled by install(): each family of the table with the family that draws it.
QHash<QString, QString> &drawnFamilies()
{
    static QHash<QString, QString> families;
    return families;
}

// The application font id of the bitmap-only face while it is registered, otherwise -1.
int bitmapFaceId = -1;

bool everyScreenDrawsUnscaled()
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    return std::all_of(screens.begin(), screens.end(),
                       [](const QScreen *screen) { return screen->devicePixelRatio() == 1.0; });
}

// A substitute is tried only after its family, so it is set whether the family is installed or not:
// asking fontconfig about every family would cost an alias lookup each at every start. The list of
// installed families is no such lookup; it tells which families are drawn by a stand-in.
void chooseDrawnFamily(const FontChoice &choice, bool registered, const QStringList &installedFamilies)
{
    const QString family = QString::fromLatin1(choice.family);
    const QString substitute = QString::fromLatin1(choice.substitute);
    if (!registered)
        QFont::insertSubstitution(family, substitute);
    const bool standIn = !registered && !installedFamilies.contains(family) && installedFamilies.contains(substitute);
    drawnFamilies().insert(family, standIn ? substitute : family);
}

} // namespace

namespace fonts {

void install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;

    const bool bitmapFaceFits = everyScreenDrawsUnscaled();
    QStringList registered;
    for (const FontChoice &choice : fontTable) {
        const QString file = QString::fromLatin1(choice.fontFile);
        const bool bitmapFace = qstrcmp(choice.family, bitmapFamily) == 0;
        if (file.isEmpty() || (bitmapFace && !bitmapFaceFits))
            continue;
        const int id = QFontDatabase::addApplicationFont(file);
        if (id < 0)
            continue;
        registered << QString::fromLatin1(choice.family);
        if (bitmapFace)
            bitmapFaceId = id;
    }
    const QStringList installedFamilies = QFontDatabase::families();
    for (const FontChoice &choice : fontTable)
        chooseDrawnFamily(choice, registered.contains(QString::fromLatin1(choice.family)), installedFamilies);
}

QString followScreens()
{
    if (bitmapFaceId < 0 || everyScreenDrawsUnscaled())
        return QString();
    const FontChoice &choice = *fontChoice(QString::fromLatin1(bitmapFamily));
    // Without its stand-in the face would give way to whatever fontconfig falls back to, in place of
    // the face that is drawn now; it stays.
    if (!QFontDatabase::hasFamily(QString::fromLatin1(choice.substitute)))
        return QString();
    QFontDatabase::removeApplicationFont(bitmapFaceId);
    bitmapFaceId = -1;
    chooseDrawnFamily(choice, false, QFontDatabase::families());
    return QString::fromLatin1(bitmapFamily);
}

QString drawnFamily(const QString &family)
{
    return drawnFamilies().value(family, family);
}

int windowStretch(const QString &family)
{
    const FontChoice *choice = fontChoice(family);
    return choice ? choice->windowStretch : int(QFont::Unstretched);
}

int pageStretch(const QString &family)
{
    const FontChoice *choice = fontChoice(family);
    return choice ? choice->pageStretch : int(QFont::Unstretched);
}

} // namespace fonts
