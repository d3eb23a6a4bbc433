// Picture: the page picture an Office host puts on the clipboard (what an
// enhanced metafile is for the Office applications on Windows).
#pragma once

#include <QImage>
#include <QRect>

namespace folivex::clipboard {

class Picture {
public:
    virtual ~Picture();
    // Plays the whole frame stretched into `rect` of `target`, a
    // QImage::Format_RGB888 bitmap; what the picture does not paint keeps the
    // target's pixels. `rect` may reach past the target: only what falls
    // inside is drawn, so a tall page can be played into one band of rows
    // after another by moving `rect` up. Throws folivex::Error on failure (the host that made
    // the picture has ended, a target of another format...).
    virtual void play(QImage &target, const QRect &rect) const = 0;
};

} // namespace folivex::clipboard
