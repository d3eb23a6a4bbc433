// ExcelApplication: "Excel.Application" over LibreOffice Calc. Members:
// Visible, WindowState, Application, Quit, WorkBooks, ActiveWorkbook,
// Worksheets (the active workbook's worksheets; with an index, one of
// them), ActiveSheet, Selection.
#pragma once

#include "office/models/applicationobject.h"

#include <memory>

namespace folivex::office {

class Workbook;

class ExcelApplication : public ApplicationObject {
public:
    explicit ExcelApplication(HostContext &context);
    std::shared_ptr<HostObject> open(const std::string &path) override;
    // Throws folivex::Error when no workbook is open.
    std::shared_ptr<Workbook> activeWorkbook() const;

private:
    std::shared_ptr<Workbook> active_;
};

} // namespace folivex::office
