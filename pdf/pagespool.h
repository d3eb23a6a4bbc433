// PageSpool: the page images of one document kept between the writer's two
// passes, so that every page is rendered and encoded once and the writing
// pass embeds exactly the bytes the capture pass measured.
//
// The bytes live in an unnamed temporary file (it has no name on disk, so
// nothing is left behind whatever ends the program) in the file system of
// the output folder, or of the system's temporary folder when the output
// folder cannot hold one: memory holds one page at a time.
#pragma once

#include "core/memorystream.h"
#include "core/uniquefd.h"

#include <cstdint>
#include <string>
#include <vector>

namespace folivex::pdf {

class PageSpool {
public:
    // For the PDF `outputName`; throws folivex::Error when no temporary
    // file can be made anywhere.
    explicit PageSpool(const std::string &outputName);

    // Keeps `page` (all of its bytes) as the next page. Throws folivex::Error
    // with the system's reason when it cannot be written (a full disk).
    void append(const MemoryStream &page);
    // Page `index` (from 0) as it was appended, its read position at 0.
    MemoryStream read(std::size_t index) const;
    std::size_t count() const { return pages_.size(); }

private:
    struct Extent {
        std::uint64_t offset, size;
    };
    UniqueFd fd_;
    std::vector<Extent> pages_;
    std::uint64_t end_ = 0;
};

} // namespace folivex::pdf
