#include "storage/fillinglocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <fcntl.h>
#include <unistd.h>

namespace fillinglocation {

namespace {

// `cmake --install` puts the launcher entry beside the prefix's bin folder. A folder of programs is no
// place for the user's data even where the user may write it, as in ~/.local/bin.
bool isInstalled(const QString &executableFolder)
{
    return QFileInfo::exists(executableFolder + QStringLiteral("/../share/applications/krv11007.desktop"));
}

bool canCreateFileIn(const QString &folder)
{
    // The effective user decides, as it does when the file is created; root is refused only by a
    // read-only file system.
    const QByteArray path = QFile::encodeName(folder);
    return faccessat(AT_FDCWD, path.constData(), W_OK | X_OK, AT_EACCESS) == 0;
}

} // namespace

QString chooseFolder(const QString &executableFolder, const QString &dataFolder)
{
    return !isInstalled(executableFolder) && canCreateFileIn(executableFolder) ? executableFolder : dataFolder;
}

QString programFolder()
{
    return chooseFolder(QCoreApplication::applicationDirPath(),
                        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString loadFallbackFolder(const QString &executableFolder, const QString &chosenFolder)
{
    return chosenFolder != executableFolder && !isInstalled(executableFolder) ? executableFolder : QString();
}

void prepareFolder(const QString &folder)
{
    if (QDir(folder).exists())
        return;
    QDir().mkpath(QFileInfo(folder).absolutePath());
    QDir().mkdir(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace fillinglocation
