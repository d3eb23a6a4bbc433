// OfficeDocument: the engine's document, one document loaded by
// LibreOfficeKit in this host with its UNO model. It owns the LibreOfficeKit
// document (std::unique_ptr) and holds the model; close() frees both, after
// which every use throws folivex::Error("The document is closed").
// Private to the engine: the rest of the host sees an EngineDocument.
#pragma once

#include "office/engine/engine.h"
#include "office/engine/sheetrendering.h"

#include <com/sun/star/frame/XModel.hpp>
#include <rtl/ustring.hxx>

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace lok {
class Document;
}

namespace folivex::office {

class SheetGrid;

// The chart sheets a workbook's file declares, by sheet name. Decisive when
// the file tells every chart sheet from every worksheet (Office Open XML).
// An .xls file is not: LibreOffice, among others, writes a chart sheet into
// it as a worksheet holding one chart, so such a sheet counts as a chart
// sheet as well.
struct FileChartSheets {
    std::set<std::string> names;
    bool decisive = false;
};

class OfficeDocument : public EngineDocument {
public:
    // `chartSheets`: a workbook's chart sheets as its file declares them.
    OfficeDocument(std::unique_ptr<lok::Document> document, css::uno::Reference<css::frame::XModel> model,
                   DocumentKind kind, std::string path, FileChartSheets chartSheets = {});
    ~OfficeDocument() override;
    OfficeDocument(const OfficeDocument &) = delete;
    OfficeDocument &operator=(const OfficeDocument &) = delete;

    DocumentKind kind() const override { return kind_; }
    const std::string &path() const override { return path_; }
    bool closed() const override { return document_ == nullptr; }
    void close() override;

    int32_t partCount() const override;
    int32_t currentPart() const override;
    void setCurrentPart(int32_t part) override;

    const std::vector<TwipRect> &pageRectangles() const override;
    PageGeometry pageGeometry(int32_t page) override;

    int32_t sheetCount() const override;
    // A sheet the file declares a chart sheet; unless the file's word is
    // decisive, also a sheet without cell content whose only drawing is a
    // chart.
    bool isChartSheet(int32_t sheet) const override;
    CellBlock usedCells(int32_t sheet) const override;
    ModelRect cellArea(int32_t sheet, const CellBlock &cells) const override;
    std::optional<ModelRect> drawingBounds(int32_t sheet) const override;
    PageGeometry sheetPageGeometry(int32_t sheet) const override;
    std::string sheetName(int32_t sheet) const override;

    ModelRect slideSize() const override;

    void renderRows(unsigned char *canvas, int width, int height, int part, const TwipRect &area, int top,
                    int rows) const override;

private:
    lok::Document &lok() const;
    const css::uno::Reference<css::frame::XModel> &model() const;
    SheetGrid &gridOf(int32_t sheet) const;

    std::unique_ptr<lok::Document> document_;
    css::uno::Reference<css::frame::XModel> model_;
    DocumentKind kind_;
    std::string path_;
    mutable std::vector<TwipRect> pageRectangles_;
    std::map<rtl::OUString, PageGeometry> styleGeometries_;
    FileChartSheets chartSheets_;
    mutable std::map<int32_t, std::unique_ptr<SheetGrid>> grids_;
    mutable SheetScratch sheetScratch_; // renderRows' buffers for worksheets
};

} // namespace folivex::office
