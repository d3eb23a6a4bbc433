// OfficeDocument: one document loaded by LibreOfficeKit in this host, with
// its UNO model. Owns the LibreOfficeKit document; close() frees it, after
// which every use throws folivex::Error("The document is closed").
#pragma once

#include "office/engine/libreoffice.h"

#include <com/sun/star/frame/XModel.hpp>

#include <memory>
#include <string>
#include <vector>

namespace lok {
class Document;
}

namespace folivex::office {

// A rectangle in twips.
struct TwipRect {
    long x = 0, y = 0, width = 0, height = 0;
};

class OfficeDocument {
public:
    OfficeDocument(lok::Document *document, css::uno::Reference<css::frame::XModel> model, DocumentKind kind,
                   std::string path);
    ~OfficeDocument();
    OfficeDocument(const OfficeDocument &) = delete;
    OfficeDocument &operator=(const OfficeDocument &) = delete;

    DocumentKind kind() const { return kind_; }
    const std::string &path() const { return path_; }
    bool closed() const { return document_ == nullptr; }
    void close();

    lok::Document &lok() const;
    const css::uno::Reference<css::frame::XModel> &model() const;

    // Text documents: every page's rectangle, in layout order.
    const std::vector<TwipRect> &pageRectangles() const;
    // Renders `area` of part `part` stretched to width x height into a BGRA
    // canvas of width x height; or, given `rows`, only the rows [top, top +
    // rows) of that rendering into a canvas of width x rows.
    void render(unsigned char *canvas, int width, int height, int part, const TwipRect &area, int top = 0,
                int rows = -1) const;

private:
    lok::Document *document_;
    css::uno::Reference<css::frame::XModel> model_;
    DocumentKind kind_;
    std::string path_;
    mutable std::vector<TwipRect> pageRectangles_;
};

} // namespace folivex::office
