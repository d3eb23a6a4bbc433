#include "outputplan.h"

#include "convert/outputname.h"

#include <set>

namespace folivex::cli {

namespace {

std::string fileNameOf(const std::string &path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string joined(const std::string &folder, const std::string &name)
{
    if (folder.empty() || folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

} // namespace

std::vector<PlannedPdf> PlanPdfs(const std::vector<DocumentInput> &documents, const std::string &outputFolder,
                                 bool flat)
{
    std::vector<PlannedPdf> plan(documents.size());
    std::set<std::string> taken;
    for (std::size_t i = 0; i < documents.size(); ++i) {
        const DocumentInput &document = documents[i];
        if (!document.problem.empty())
            continue;
        const std::string folder =
            flat || document.subfolder.empty() ? outputFolder : joined(outputFolder, document.subfolder);
        const std::string fileName = fileNameOf(document.path);
        std::string pdf = convert::PdfName(convert::OutputName(folder, fileName));
        if (taken.count(pdf)) {
            plan[i].renamed = true;
            pdf = joined(folder, fileName + ".pdf");
            for (int number = 2; taken.count(pdf); ++number)
                pdf = joined(folder, fileName + " (" + std::to_string(number) + ").pdf");
        }
        taken.insert(pdf);
        plan[i].path = pdf;
    }
    return plan;
}

} // namespace folivex::cli
