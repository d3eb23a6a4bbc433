// The 32 x 32 pictures of the main window's toolbar buttons. They stand on
// the dark green toolbar above white captions, so each is light or bright
// with a dark outline and a soft shadow below it.
#pragma once

#include <QImage>

namespace folivex::artwork {

enum class ToolbarButton {
    Add,     // add a file: a page with a plus
    Adds,    // add a folder: a folder with a plus
    Remove,  // remove the selected rows: a page with a minus
    Removes, // remove all: a stack of pages with a cross
    Check,   // invert every tick: a ticked box over an empty one
    Setting, // the settings dialog: a gear
    Convert, // convert: a page turning into a PDF
    Stop,    // stop the conversion: a red stop sign
    Help,    // help: a question mark in a circle
    Home,    // the home page: a house
};

// The picture of one button: 32 x 32 pixels, transparent around the
// drawing (ARGB32 premultiplied), painted for `devicePixelRatio` device
// pixels per pixel (the image is then that much larger and carries the
// ratio). Never throws.
QImage ToolbarPicture(ToolbarButton which, qreal devicePixelRatio = 1.0);

} // namespace folivex::artwork
