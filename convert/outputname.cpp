#include "outputname.h"

namespace folivex::convert {

std::string OutputName(const std::string &outputFolder, const std::string &documentPath)
{
    const auto slash = documentPath.rfind('/');
    const std::string fileName = slash == std::string::npos ? documentPath : documentPath.substr(slash + 1);
    if (!outputFolder.empty() && outputFolder.back() == '/')
        return outputFolder + fileName;
    return outputFolder + "/" + fileName;
}

std::string PdfName(const std::string &name)
{
    const auto slash = name.rfind('/');
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return name + ".pdf";
    return name.substr(0, dot) + ".pdf";
}

} // namespace folivex::convert
