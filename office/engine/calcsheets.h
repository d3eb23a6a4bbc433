// The sheets of a Calc document's UNO model, read as the engine reports
// them. Private to the engine. Each throws folivex::Error when a property
// cannot be read; LibreOffice's own exceptions pass through (see
// unoGuarded).
#pragma once

#include "office/engine/engine.h"

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>

#include <optional>
#include <string>

namespace folivex::office {

css::uno::Reference<css::container::XIndexAccess> calcSheets(const css::uno::Reference<css::frame::XModel> &model);
// Sheet `index`, Calc's 0-based number.
css::uno::Reference<css::sheet::XSpreadsheet> calcSheet(const css::uno::Reference<css::frame::XModel> &model,
                                                        int32_t index);

// No cell content and exactly one drawing, a chart: how a chart sheet
// arrives in Calc (and a worksheet holding only a chart too).
bool isChartSheet(const css::uno::Reference<css::sheet::XSpreadsheet> &sheet);
CellBlock usedCellsOf(const css::uno::Reference<css::sheet::XSpreadsheet> &sheet);
ModelRect cellAreaOf(const css::uno::Reference<css::sheet::XSpreadsheet> &sheet, const CellBlock &cells);
// The bounding box of the sheet's visible drawing objects (charts, pictures,
// shapes, text boxes, controls; not the captions of cell comments), in
// 1/100 mm; none without any.
std::optional<ModelRect> drawingBoundsOf(const css::uno::Reference<css::sheet::XSpreadsheet> &sheet);
std::string nameOf(const css::uno::Reference<css::sheet::XSpreadsheet> &sheet);

} // namespace folivex::office
