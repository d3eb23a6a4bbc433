// Workbooks: the collection; Open(path) opens a workbook read-only and makes
// it the active one; Count.
#pragma once

#include "office/server/hostobject.h"

#include <memory>

namespace folivex::office {

class ExcelApplication;

class Workbooks : public HostObject {
public:
    explicit Workbooks(std::shared_ptr<ExcelApplication> application);
    const char *className() const override { return "Workbooks"; }

private:
    std::shared_ptr<ExcelApplication> application_;
    int32_t count_ = 0;
};

} // namespace folivex::office
