#pragma once

#include <QIcon>

// The preview toolbar's pictures, drawn here so that the program carries no foreign artwork.
namespace previewicons {

QIcon print();
QIcon wholePage();
QIcon pageWidth();
QIcon actualSize();
QIcon twoPages();

} // namespace previewicons
