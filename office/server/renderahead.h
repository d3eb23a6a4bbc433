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
//
// The client's picture buffer has two slots. A rendering is prepared in the
// slot the client is not reading, so that a request for it is answered
// without copying a pixel: the reply names that slot.
#pragma once

#include "office/engine/engine.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace folivex::office {

class RenderWorker;

// The two slots of the client's picture buffer.
struct CanvasSlots {
    unsigned char *base = nullptr;
    std::size_t slotBytes = 0;
    unsigned char *slot(int index) const { return base + std::size_t(index) * slotBytes; }
};

class RenderAhead {
public:
    // The slot a rendering that is not prepared goes into: never the one
    // holding the prepared rendering.
    int freeSlot() const { return prepared_ ? 1 - preparedSlot_ : 0; }

    // Prepares the successors of `picture` at width x height, if it has any,
    // into the slot other than `readSlot`, the one the client is reading;
    // `worker` (may be null) is the document's render worker.
    void prepareAfter(const PagePicture &picture, int width, int height, const CanvasSlots &slots, int readSlot,
                      RenderWorker *worker);

    // The slot holding `picture` at width x height: the prepared one, or
    // freeSlot() once the worker has copied its rendering there (waiting for
    // it when it has the picture). Nothing when neither has it.
    std::optional<int> take(const PagePicture &picture, int width, int height, const CanvasSlots &slots,
                            RenderWorker *worker);

    // The buffer was replaced: what was prepared in it is gone.
    void forget() { prepared_.reset(); }

private:
    std::optional<PagePicture> prepared_;
    int preparedSlot_ = 0;
    int width_ = 0;
    int height_ = 0;
};

} // namespace folivex::office
