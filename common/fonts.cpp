#include "common/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace {

struct FontChoice
{
    const char *family;     // as the window and the page name it
    const char *fontFile;   // registered with the application when present; empty when fontconfig has it
    const char *substitute; // what stands in when the family itself is not installed
};

// Wine's fonts (fonts-wine) are not registered with fontconfig, so the application registers them.
// Wine's bold Tahoma is hardly heavier than the regular face, only wider; without it Qt emboldens the
// regular face, which reads as bold at the regular face's widths.
const FontChoice fontTable[] = {
    {"MS Sans Serif", "/usr/share/wine/fonts/ms_sans_serif.ttf", "Liberation Sans"},
    {"Tahoma", "/usr/share/wine/fonts/tahoma.ttf", "DejaVu Sans"},
    {"Arial", "", "Liberation Sans"},
    {"Verdana", "", "DejaVu Sans"},
    {"Franklin Gothic Medium", "", "DejaVu Sans Condensed"},
};

} // namespace

namespace fonts {

void install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;

    QStringList registered;
    for (const FontChoice &choice : fontTable) {
        const QString file = QString::fromLatin1(choice.fontFile);
        if (!file.isEmpty() && QFontDatabase::addApplicationFont(file) >= 0)
            registered << QString::fromLatin1(choice.family);
    }
    for (const FontChoice &choice : fontTable) {
        const QString family = QString::fromLatin1(choice.family);
        if (!registered.contains(family) && !QFontDatabase::hasFamily(family))
            QFont::insertSubstitution(family, QString::fromLatin1(choice.substitute));
    }
}

} // namespace fonts
