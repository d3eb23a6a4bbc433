// RenderAhead: renders the picture the client will most likely ask for next
// while the client is busy with the one it just got (encoding it, mostly).
//
// A conversion walks a document page after page at one size, so after page
// n of a text document, or slide n of a presentation, it prepares page or
// slide n + 1 at the same size. Sheets differ in size, so nothing is guessed
// for them. The document is open read-only, so a prepared rendering stays
// what a fresh one would be.
#pragma once

#include "office/engine/engine.h"

#include <optional>
#include <vector>

namespace folivex::office {

class RenderAhead {
public:
    // Renders the successor of `picture` at width x height, if it has one.
    void prepareAfter(const PagePicture &picture, int width, int height);

    // Copies the prepared rendering into `canvas` and returns true when it is
    // `picture` at width x height; otherwise returns false.
    bool take(const PagePicture &picture, int width, int height, unsigned char *canvas);

private:
    std::optional<PagePicture> prepared_;
    int width_ = 0;
    int height_ = 0;
    std::vector<unsigned char> pixels_;
};

} // namespace folivex::office
