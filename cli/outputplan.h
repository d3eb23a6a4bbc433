// Where each document of a run writes its PDF: decided once, before the
// first document, so that no PDF of the run replaces another of the same run.
#pragma once

#include "cli/documentinputs.h"

#include <string>
#include <vector>

namespace folivex::cli {

struct PlannedPdf {
    std::string path;     // the PDF's path; empty for a document that has a problem
    bool renamed = false; // true when the document's own name was taken by an earlier one
};

// For each of `documents`, in order: the output folder, then the document's
// subfolder (unless `flat`), then its name with the extension replaced by
// ".pdf" ("a/b/report.docx" below the named folder gives OUTPUT/a/b/report.pdf).
// When that PDF is already an earlier document's, the document keeps its
// whole file name and gets ".pdf" added ("report.docx.pdf"); when that too is
// taken, " (2)", " (3)"... goes before ".pdf" ("report.docx (2).pdf"), the
// first free one. Names are compared byte for byte; PDFs already on disk
// are not looked at (a PDF of an earlier run is replaced).
std::vector<PlannedPdf> PlanPdfs(const std::vector<DocumentInput> &documents, const std::string &outputFolder,
                                 bool flat);

} // namespace folivex::cli
