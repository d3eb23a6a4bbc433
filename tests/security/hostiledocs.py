#!/usr/bin/env python3
"""Writes hostile documents: each links to content outside itself (a web
address on this machine, or marker files), in a way LibreOffice would follow.

usage: hostiledocs.py --port PORT --markers DIR --fixtures DIR --out DIR
       hostiledocs.py --bomb FILE [--bomb-megabytes N]
Writes DIR/marker.png (pure red), DIR/marker.txt, then one document a case
into --out, and the list of cases (one file name a line) into --out/cases.txt.
A picture fetched from the listener is the same red square, so a leak shows
in the pages as well as in the listener's count.
"""
import argparse
import base64
import os
import shutil
import subprocess
import struct
import zipfile
import zlib


def red_png(size=64):
    row = b"\x00" + b"\xff\x00\x00" * size
    raw = row * size

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", size, size, 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b"")


def write_zip(path, parts):
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        for name, data in parts.items():
            z.writestr(name, data)


def read_zip(path):
    with zipfile.ZipFile(path) as z:
        return {name: z.read(name) for name in z.namelist()}


R = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
IMAGE_REL = R + "/image"
PKG = "http://schemas.openxmlformats.org/package/2006/relationships"
W = "http://schemas.openxmlformats.org/wordprocessingml/2006/main"
A = "http://schemas.openxmlformats.org/drawingml/2006/main"
PIC = "http://schemas.openxmlformats.org/drawingml/2006/picture"
WP = "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing"


def external_rels(targets):
    rels = "".join(
        f'<Relationship Id="{rid}" Type="{kind}" Target="{target}" TargetMode="External"/>'
        for rid, kind, target in targets)
    return f'<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="{PKG}">{rels}</Relationships>'


def blip_picture(rid, ident):
    return (f'<pic:pic xmlns:pic="{PIC}"><pic:nvPicPr><pic:cNvPr id="{ident}" name="linked{ident}.png"/><pic:cNvPicPr/>'
            f'</pic:nvPicPr><pic:blipFill><a:blip r:link="{rid}"/><a:stretch><a:fillRect/></a:stretch></pic:blipFill>'
            f'<pic:spPr><a:xfrm><a:off x="0" y="0"/><a:ext cx="2857500" cy="2857500"/></a:xfrm>'
            f'<a:prstGeom prst="rect"><a:avLst/></a:prstGeom></pic:spPr></pic:pic>')


def docx(path, targets, extra_paragraphs=""):
    pictures = "".join(
        f'<w:p><w:r><w:drawing><wp:inline><wp:extent cx="2857500" cy="2857500"/><wp:docPr id="{i + 1}" name="p{i + 1}"/>'
        f'<a:graphic><a:graphicData uri="{PIC}">{blip_picture(f"rIdL{i}", i + 1)}</a:graphicData></a:graphic>'
        f'</wp:inline></w:drawing></w:r></w:p>' for i in range(len(targets)))
    document = (f'<?xml version="1.0" encoding="UTF-8"?><w:document xmlns:w="{W}" xmlns:r="{R}" xmlns:wp="{WP}" '
                f'xmlns:a="{A}"><w:body><w:p><w:r><w:t>A document with links.</w:t></w:r></w:p>{pictures}'
                f'{extra_paragraphs}<w:sectPr><w:pgSz w:w="12240" w:h="15840"/><w:pgMar w:top="1440" w:right="1440" '
                f'w:bottom="1440" w:left="1440" w:header="720" w:footer="720" w:gutter="0"/></w:sectPr></w:body></w:document>')
    types = ('<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
             '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
             '<Default Extension="xml" ContentType="application/xml"/><Override PartName="/word/document.xml" '
             'ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/></Types>')
    root = (f'<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="{PKG}"><Relationship Id="rId1" '
            f'Type="{R}/officeDocument" Target="word/document.xml"/></Relationships>')
    write_zip(path, {"[Content_Types].xml": types, "_rels/.rels": root, "word/document.xml": document,
                     "word/_rels/document.xml.rels": external_rels(
                         [(f"rIdL{i}", IMAGE_REL, t) for i, t in enumerate(targets)])})


def field_paragraph(instruction):
    escaped = instruction.replace('"', "&quot;")
    return f'<w:p><w:fldSimple w:instr="{escaped}"><w:r><w:t>field</w:t></w:r></w:fldSimple></w:p>'


def pptx(path, fixture, targets):
    parts = read_zip(fixture)
    slide = parts["ppt/slides/slide1.xml"].decode()
    pics = "".join(
        f'<p:pic><p:nvPicPr><p:cNvPr id="{900 + i}" name="linked{i}"/><p:cNvPicPr/><p:nvPr/></p:nvPicPr>'
        f'<p:blipFill><a:blip r:link="rIdL{i}"/><a:stretch><a:fillRect/></a:stretch></p:blipFill>'
        f'<p:spPr><a:xfrm><a:off x="{500000 + i * 3000000}" y="500000"/><a:ext cx="2857500" cy="2857500"/></a:xfrm>'
        f'<a:prstGeom prst="rect"><a:avLst/></a:prstGeom></p:spPr></p:pic>' for i in range(len(targets)))
    slide = slide.replace("</p:spTree>", pics + "</p:spTree>", 1)
    if 'xmlns:r=' not in slide.split(">", 2)[1]:
        slide = slide.replace("<p:sld ", f'<p:sld xmlns:r="{R}" ', 1)
    parts["ppt/slides/slide1.xml"] = slide.encode()
    rels_name = "ppt/slides/_rels/slide1.xml.rels"
    rels = parts[rels_name].decode()
    links = "".join(f'<Relationship Id="rIdL{i}" Type="{IMAGE_REL}" Target="{t}" TargetMode="External"/>'
                    for i, t in enumerate(targets))
    parts[rels_name] = rels.replace("</Relationships>", links + "</Relationships>").encode()
    write_zip(path, parts)


def xlsx(path, fixture, targets):
    parts = read_zip(fixture)
    anchors = "".join(
        f'<xdr:twoCellAnchor><xdr:from><xdr:col>{1 + 4 * i}</xdr:col><xdr:colOff>0</xdr:colOff><xdr:row>1</xdr:row>'
        f'<xdr:rowOff>0</xdr:rowOff></xdr:from><xdr:to><xdr:col>{4 + 4 * i}</xdr:col><xdr:colOff>0</xdr:colOff>'
        f'<xdr:row>12</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:to><xdr:pic><xdr:nvPicPr><xdr:cNvPr id="{i + 2}" '
        f'name="linked{i}"/><xdr:cNvPicPr/></xdr:nvPicPr><xdr:blipFill><a:blip r:link="rIdL{i}"/><a:stretch>'
        f'<a:fillRect/></a:stretch></xdr:blipFill><xdr:spPr><a:prstGeom prst="rect"><a:avLst/></a:prstGeom>'
        f'</xdr:spPr></xdr:pic><xdr:clientData/></xdr:twoCellAnchor>' for i in range(len(targets)))
    parts["xl/drawings/drawing1.xml"] = (
        f'<?xml version="1.0" encoding="UTF-8"?><xdr:wsDr xmlns:xdr="http://schemas.openxmlformats.org/drawingml/2006/'
        f'spreadsheetDrawing" xmlns:a="{A}" xmlns:r="{R}">{anchors}</xdr:wsDr>').encode()
    parts["xl/drawings/_rels/drawing1.xml.rels"] = external_rels(
        [(f"rIdL{i}", IMAGE_REL, t) for i, t in enumerate(targets)]).encode()
    sheet = parts["xl/worksheets/sheet1.xml"].decode()
    if 'xmlns:r=' not in sheet.split(">", 2)[1]:
        sheet = sheet.replace("<worksheet ", f'<worksheet xmlns:r="{R}" ', 1)
    sheet = sheet.replace("</worksheet>", '<drawing r:id="rIdD"/></worksheet>')
    parts["xl/worksheets/sheet1.xml"] = sheet.encode()
    parts["xl/worksheets/_rels/sheet1.xml.rels"] = (
        f'<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="{PKG}"><Relationship Id="rIdD" '
        f'Type="{R}/drawing" Target="../drawings/drawing1.xml"/></Relationships>').encode()
    types = parts["[Content_Types].xml"].decode()
    parts["[Content_Types].xml"] = types.replace(
        "</Types>", '<Override PartName="/xl/drawings/drawing1.xml" '
        'ContentType="application/vnd.openxmlformats-officedocument.drawing+xml"/></Types>').encode()
    write_zip(path, parts)


def rtf(url, png, txt):
    def field(instruction):
        return r"{\field{\*\fldinst {" + instruction.replace("\\", "\\\\") + r"}}{\fldrslt {field}}}\par "
    return ("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Liberation Serif;}}\\f0\\fs24 An RTF document with fields.\\par "
            + field(f'INCLUDEPICTURE "{url}" \\d') + field(f'INCLUDEPICTURE "{png}" \\d')
            + field(f'INCLUDETEXT "{txt}"') + "}")


def html(url, png, txt, port):
    return (f'<!DOCTYPE html><html><head><title>links</title>'
            f'<link rel="stylesheet" href="http://127.0.0.1:{port}/style.css">'
            f'<link rel="stylesheet" href="file://{os.path.dirname(png)}/style.css"></head>'
            f'<body background="file://{png}"><p>An HTML page with links.</p>'
            f'<p><img src="{url}" width="200" height="200"><img src="file://{png}" width="200" height="200">'
            f'<img src="{png}" width="200" height="200"></p>'
            f'<iframe src="file://{txt}"></iframe><object data="file://{txt}"></object></body></html>')


OFFICE_NS = ('xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
             'xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" '
             'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" '
             'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
             'xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0" '
             'xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" '
             'xmlns:xlink="http://www.w3.org/1999/xlink" '
             'xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" '
             'xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2" '
             'xmlns:presentation="urn:oasis:names:tc:opendocument:xmlns:presentation:1.0" '
             'xmlns:loext="urn:org:documentfoundation:names:experimental:office:xmlns:loext:1.0" '
             'office:version="1.3"')


def svg_with_link(png):
    svg = (f'<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" width="200" '
           f'height="200"><rect width="200" height="200" fill="white"/><image x="0" y="0" width="200" height="200" '
           f'xlink:href="file://{png}"/></svg>')
    return base64.b64encode(svg.encode()).decode()


def frame(name, inner, x="1cm", y="1cm"):
    return (f'<draw:frame draw:name="{name}" text:anchor-type="paragraph" svg:x="{x}" svg:y="{y}" svg:width="5cm" '
            f'svg:height="5cm">{inner}</draw:frame>')


def linked_image(name, href, x="1cm", y="1cm"):
    return frame(name, f'<draw:image xlink:href="{href}" xlink:type="simple" xlink:show="embed" xlink:actuate="onLoad"/>',
                 x, y)


def fodt(url, png, txt):
    fill = (f'<office:styles><draw:fill-image draw:name="Leak" xlink:href="file://{png}" xlink:type="simple" '
            f'xlink:show="embed" xlink:actuate="onLoad"/></office:styles><office:automatic-styles>'
            f'<style:style style:name="fr1" style:family="graphic"><style:graphic-properties draw:fill="bitmap" '
            f'draw:fill-image-name="Leak"/></style:style></office:automatic-styles>')
    body = (f'<text:p>A flat ODF text with links.</text:p>'
            f'<text:p>{linked_image("web", url)}</text:p>'
            f'<text:p>{linked_image("file", "file://" + png, "7cm")}</text:p>'
            f'<text:p>{frame("svg", "<draw:image><office:binary-data>" + svg_with_link(png) + "</office:binary-data></draw:image>", "1cm", "7cm")}</text:p>'
            f'<text:p><draw:frame draw:name="filled" draw:style-name="fr1" text:anchor-type="paragraph" svg:x="7cm" '
            f'svg:y="7cm" svg:width="5cm" svg:height="5cm"><draw:text-box><text:p>fill</text:p></draw:text-box>'
            f'</draw:frame></text:p>'
            f'<text:p>{frame("ole", "<draw:object xlink:href=" + chr(34) + "file://" + txt + chr(34) + " xlink:type=" + chr(34) + "simple" + chr(34) + " xlink:show=" + chr(34) + "embed" + chr(34) + " xlink:actuate=" + chr(34) + "onLoad" + chr(34) + "/>", "1cm", "13cm")}</text:p>'
            f'<text:section text:name="linked"><text:section-source xlink:href="file://{txt}" xlink:type="simple" '
            f'text:filter-name="Text"/><text:p>section</text:p></text:section>'
            f'<text:section text:name="web"><text:section-source xlink:href="{url}" xlink:type="simple"/>'
            f'<text:p>web section</text:p></text:section>')
    return (f'<?xml version="1.0" encoding="UTF-8"?><office:document {OFFICE_NS} '
            f'office:mimetype="application/vnd.oasis.opendocument.text">{fill}<office:body><office:text>{body}'
            f'</office:text></office:body></office:document>')


def fods(url, png, txt, port):
    cells = (f'<table:table-row><table:table-cell office:value-type="string"><text:p>links</text:p></table:table-cell>'
             f'<table:table-cell table:formula="of:=WEBSERVICE(&quot;http://127.0.0.1:{port}/cell&quot;)" '
             f'office:value-type="string"><text:p>x</text:p></table:table-cell>'
             f'<table:table-cell table:formula="of:=[\'file://{txt}\'#$Sheet1.A1]" office:value-type="string">'
             f'<text:p>y</text:p></table:table-cell></table:table-row>')
    shapes = (f'<table:shapes>{linked_image("web", url)}{linked_image("file", "file://" + png, "7cm")}</table:shapes>')
    return (f'<?xml version="1.0" encoding="UTF-8"?><office:document {OFFICE_NS} '
            f'office:mimetype="application/vnd.oasis.opendocument.spreadsheet"><office:body><office:spreadsheet>'
            f'<table:table table:name="Sheet1">{shapes}<table:table-column table:number-columns-repeated="3"/>{cells}'
            f'</table:table></office:spreadsheet></office:body></office:document>')


def fodp(url, png):
    images = (f'<draw:frame draw:name="web" svg:x="1cm" svg:y="1cm" svg:width="8cm" svg:height="8cm"><draw:image '
              f'xlink:href="{url}" xlink:type="simple" xlink:show="embed" xlink:actuate="onLoad"/></draw:frame>'
              f'<draw:frame draw:name="file" svg:x="12cm" svg:y="1cm" svg:width="8cm" svg:height="8cm"><draw:image '
              f'xlink:href="file://{png}" xlink:type="simple" xlink:show="embed" xlink:actuate="onLoad"/></draw:frame>')
    return (f'<?xml version="1.0" encoding="UTF-8"?><office:document {OFFICE_NS} '
            f'office:mimetype="application/vnd.oasis.opendocument.presentation"><office:body><office:presentation>'
            f'<draw:page draw:name="one">{images}</draw:page></office:presentation></office:body></office:document>')


def bomb(path, megabytes):
    """A .docx a few hundred kilobytes long whose text part unpacks to
    `megabytes` of paragraphs: loading it takes memory without end."""
    head = (f'<?xml version="1.0" encoding="UTF-8"?><w:document xmlns:w="{W}"><w:body>').encode()
    paragraph = b"<w:p><w:r><w:t>Zip bomb paragraph.</w:t></w:r></w:p>" * 1024
    tail = b"<w:sectPr/></w:body></w:document>"
    docx(path, [])
    parts = read_zip(path)
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        for name, data in parts.items():
            if name != "word/document.xml":
                z.writestr(name, data)
        with z.open("word/document.xml", "w", force_zip64=True) as part:
            part.write(head)
            for _ in range(megabytes * (1 << 20) // len(paragraph)):
                part.write(paragraph)
            part.write(tail)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int)
    parser.add_argument("--markers")
    parser.add_argument("--fixtures")
    parser.add_argument("--out")
    parser.add_argument("--bomb", help="write only a zip bomb .docx to this path")
    parser.add_argument("--bomb-megabytes", type=int, default=2048)
    args = parser.parse_args()
    if args.bomb:
        bomb(args.bomb, args.bomb_megabytes)
        return
    markers = os.path.abspath(args.markers)
    out = os.path.abspath(args.out)
    os.makedirs(markers, exist_ok=True)
    os.makedirs(out, exist_ok=True)
    png = os.path.join(markers, "marker.png")
    txt = os.path.join(markers, "marker.txt")
    with open(png, "wb") as f:
        f.write(red_png())
    with open(txt, "w") as f:
        f.write("FOLIVEX MARKER TEXT\n" * 40)
    # A neighbour of the documents: a relative link reaches it.
    with open(os.path.join(out, "neighbour.png"), "wb") as f:
        f.write(red_png())
    url = f"http://127.0.0.1:{args.port}/picture.png"
    cases = {}

    def add(name, writer):
        writer(os.path.join(out, name))
        cases[name] = True

    add("picture-web.docx", lambda p: docx(p, [url]))
    add("picture-file.docx", lambda p: docx(p, ["file://" + png]))
    add("picture-path.docx", lambda p: docx(p, [png]))
    add("picture-neighbour.docx", lambda p: docx(p, ["neighbour.png"]))
    add("fields.docx", lambda p: docx(p, [], field_paragraph(f'INCLUDEPICTURE "{url}" \\d')
                                         + field_paragraph(f'INCLUDEPICTURE "{png}" \\d')
                                         + field_paragraph(f'INCLUDETEXT "{txt}"')))
    add("picture-web.pptx", lambda p: pptx(p, os.path.join(args.fixtures, "classic4x3.pptx"), [url]))
    add("picture-file.pptx", lambda p: pptx(p, os.path.join(args.fixtures, "classic4x3.pptx"), ["file://" + png]))
    add("picture-web.xlsx", lambda p: xlsx(p, os.path.join(args.fixtures, "workbook.xlsx"), [url]))
    add("picture-file.xlsx", lambda p: xlsx(p, os.path.join(args.fixtures, "workbook.xlsx"), ["file://" + png]))

    def text(content):
        return lambda p: open(p, "w").write(content)

    add("rtf-fields.doc", text(rtf(url, png, txt)))
    add("html-links.doc", text(html(url, png, txt, args.port)))
    add("flat-odf.doc", text(fodt(url, png, txt)))
    add("flat-ods.xls", text(fods(url, png, txt, args.port)))
    add("flat-odp.ppt", text(fodp(url, png)))
    # Word 97 documents keep a linked picture as an INCLUDEPICTURE field:
    # LibreOffice itself writes them from the linked pictures above.
    scratch = os.path.join(out, "word97")
    subprocess.run(["soffice", "-env:UserInstallation=file://" + os.path.join(scratch, "profile"), "--headless",
                    "--convert-to", "doc", "--outdir", scratch, os.path.join(out, "picture-web.docx"),
                    os.path.join(out, "picture-file.docx")], check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=300)
    for kind in ("web", "file"):
        name = f"word97-picture-{kind}.doc"
        os.replace(os.path.join(scratch, f"picture-{kind}.doc"), os.path.join(out, name))
        cases[name] = True
    shutil.rmtree(scratch)
    with open(os.path.join(out, "cases.txt"), "w") as f:
        f.write("".join(name + "\n" for name in cases))


if __name__ == "__main__":
    main()
