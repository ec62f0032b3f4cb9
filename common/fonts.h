#pragma once

// The typefaces the window and the page name are Windows fonts. One table maps each of them to the
// font that stands in for it here; code keeps using the names the form was drawn with.
namespace fonts {

// Registers the bundled Windows-compatible fonts and the substitutions. Call once after the
// application object exists; later calls do nothing.
void install();

} // namespace fonts
