// RenderAhead: renders the pictures the client will most likely ask for next
// while the client is busy with the one it just got (encoding it, mostly).
//
// A conversion walks a document page after page at one size, so after page
// n of a text document, or slide n of a presentation, it prepares pages or
// slides n + 1 and n + 2 at the same size: one here, one by the document's
// render worker when it has one (see RenderWorker), so that the two render
// every other page side by side; without a worker, only n + 1. Sheets differ
// in size, so nothing is guessed for them. The document is open read-only,
// so a prepared rendering stays what a fresh one would be.
#pragma once

#include "office/engine/engine.h"

#include <optional>
#include <vector>

namespace folivex::office {

class RenderWorker;

class RenderAhead {
public:
    // Prepares the successors of `picture` at width x height, if it has any;
    // `worker` (may be null) is the document's render worker.
    void prepareAfter(const PagePicture &picture, int width, int height, RenderWorker *worker);

    // Copies the prepared rendering into `canvas` and returns true when it is
    // `picture` at width x height, waiting for the worker when it has it;
    // otherwise returns false.
    bool take(const PagePicture &picture, int width, int height, unsigned char *canvas, RenderWorker *worker);

private:
    std::optional<PagePicture> prepared_;
    int width_ = 0;
    int height_ = 0;
    std::vector<unsigned char> pixels_;
};

} // namespace folivex::office
