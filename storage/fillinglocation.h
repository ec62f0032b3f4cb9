#pragma once

#include <QString>

// Where the one saved filling lives. A portable copy or a build folder keeps it beside the executable;
// an installed program keeps it in the user's data folder, so that saving works where the user cannot
// write the program's folder, and loading finds what saving wrote. A portable copy in a folder the user
// cannot write still loads a filling kept beside it, as long as the data folder holds none.
namespace fillinglocation {

// The executable's folder when the current user can create files in it and it is not the bin folder of
// an installation (a launcher entry in ../share/applications), otherwise the data folder.
QString chooseFolder(const QString &executableFolder, const QString &dataFolder);

// The folder for this program: the executable's, or the user's QStandardPaths::AppDataLocation.
QString programFolder();

// Where a load looks when the chosen folder holds no filling: the executable's folder of a portable copy
// that the user cannot write (a read-only stick or disc, a shared folder others save into). Empty for a
// program that saves beside itself or is installed.
QString loadFallbackFolder(const QString &executableFolder, const QString &chosenFolder);

// Creates the folder, readable and writable by its owner only, when it does not exist yet. A folder
// that cannot be created is left to the save, which then reports the file it could not write.
void prepareFolder(const QString &folder);

} // namespace fillinglocation
