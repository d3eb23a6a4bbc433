// The clipboard's format numbers, those of the Windows clipboard that the
// conversion reads: shared by the client's clipboard and the Office hosts,
// which list their pictures under them. No Qt here: the host includes it.
#pragma once

#include <cstdint>

namespace folivex::clipboard {

enum Format : uint32_t { Bitmap = 2, MetafilePicture = 3, Dib = 8, EnhancedMetafile = 14 };

} // namespace folivex::clipboard
