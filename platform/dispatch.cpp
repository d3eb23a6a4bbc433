#include "platform/dispatch.h"

namespace folivex::automation {

Dispatch::~Dispatch() = default;

} // namespace folivex::automation
