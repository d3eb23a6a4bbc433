#include "platform/picture.h"

namespace folivex::clipboard {

Picture::~Picture() = default;

} // namespace folivex::clipboard
