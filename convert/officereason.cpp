#include "officereason.h"

namespace folivex::convert {

std::string OfficeReason(const std::string &errorText, const std::string &documentPath)
{
    std::string reason = errorText;
    // "Documents.Open: ", "Workbooks.Open: " ...
    if (const std::size_t open = reason.find(".Open: "); open != std::string::npos && reason.find(' ') > open)
        reason.erase(0, open + 7);
    // The host names the document by its absolute path, which may be
    // spelled differently from ours; its file name ends that preamble.
    const std::string preamble = "Cannot open ";
    if (reason.rfind(preamble, 0) == 0) {
        const std::size_t slash = documentPath.find_last_of('/');
        const std::string name = (slash == std::string::npos ? documentPath : documentPath.substr(slash + 1)) + ": ";
        if (const std::size_t at = reason.find(name, preamble.size()); at != std::string::npos)
            reason.erase(0, at + name.size());
    }
    return reason;
}

} // namespace folivex::convert
