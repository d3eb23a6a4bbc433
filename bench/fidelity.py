#!/usr/bin/python3
"""How close Folivex's pages are to LibreOffice's own PDF export of the same documents, measured
so that two faithful renderers of one PDF come out close, and set beside exactly that.

usage: fidelity.py FOLIVEX CORPUS [--resolution DPI] [--pages N] [--only SUBSTRING]

For each text document and presentation of CORPUS (the real documents' folder with MANIFEST.tsv)
whose page count matches LibreOffice's export, and for its first N pages (6):
- ours: the mean absolute grey difference between Folivex's page image and the export's page
  rendered by poppler (pdftoppm, splash) at the same size, the image placed where it matches best,
  averaged over square blocks first;
- renderers: the same difference between poppler's two renderers (pdftoppm and pdftocairo) of the
  export's page, which share the PDF and differ only in how they draw glyphs and thin lines.
Both are given for blocks of 4 pixels and of 4 points (4 pixels at 72 dpi, 8 at 150, 17 at 300):
blocks of a fixed number of pixels shrink on paper as the resolution grows, until they measure
glyph rasterisation rather than layout. Prints one row a document and the documents above 1.5."""
import csv, glob, os, re, shutil, subprocess, sys, tempfile

import numpy as np
from PIL import Image


def run(command, timeout=300):
    return subprocess.run(command, capture_output=True, text=True, timeout=timeout)


def page_count(pdf):
    match = re.search(r"^Pages:\s+(\d+)", run(["pdfinfo", pdf]).stdout, re.M)
    return int(match.group(1)) if match else -1


def page_size(pdf, page):
    info = run(["pdfinfo", "-f", str(page), "-l", str(page), pdf]).stdout
    match = re.search(r"Page\s+%d size:\s+([\d.]+) x ([\d.]+)" % page, info)
    return float(match.group(1)), float(match.group(2))


def blocked(image, k):
    h, w = image.shape[0] // k, image.shape[1] // k
    return image[:h * k, :w * k].reshape(h, k, w, k).mean((1, 3))


def best_placement(big, small):
    """Where small matches big best: a coarse search on 4 x 4 averages, then one pixel at a time."""
    k = 4
    b4, s4 = blocked(big, k), blocked(small, k)
    _, x, y = min((np.abs(b4[y:y + s4.shape[0], x:x + s4.shape[1]] - s4).mean(), x * k, y * k)
                  for y in range(0, b4.shape[0] - s4.shape[0] + 1) for x in range(0, b4.shape[1] - s4.shape[1] + 1))
    h, w = small.shape
    H, W = big.shape
    _, x, y = min((np.abs(big[oy:oy + h, ox:ox + w] - small).mean(), ox, oy)
                  for oy in range(max(0, y - 5), min(H - h, y + 5) + 1)
                  for ox in range(max(0, x - 5), min(W - w, x + 5) + 1))
    return x, y


def grey(path):
    return np.asarray(Image.open(path).convert("L"), dtype=np.float32)


def compare_page(ours_pdf, reference_pdf, page, dpi, scratch, sizes):
    for old in glob.glob(os.path.join(scratch, "*")):
        os.remove(old)
    run(["pdfimages", "-f", str(page), "-l", str(page), "-j", ours_pdf, os.path.join(scratch, "ours")])
    images = sorted(glob.glob(os.path.join(scratch, "ours*")))
    if not images:
        return None
    ours = grey(images[0])
    width, height = page_size(reference_pdf, page)
    w, h = round(width * dpi / 72), round(height * dpi / 72)
    if w > ours.shape[1] or h > ours.shape[0]:
        return None
    common = ["-f", str(page), "-l", str(page), "-scale-to-x", str(w), "-scale-to-y", str(h), "-singlefile"]
    run(["pdftoppm", "-gray"] + common + [reference_pdf, os.path.join(scratch, "splash")])
    run(["pdftocairo", "-png", "-gray"] + common + [reference_pdf, os.path.join(scratch, "cairo")])
    splash, cairo = grey(os.path.join(scratch, "splash.pgm")), grey(os.path.join(scratch, "cairo.png"))
    x, y = best_placement(ours, splash)
    ours = ours[y:y + h, x:x + w]
    return [(np.abs(blocked(ours, k) - blocked(splash, k)).mean(), np.abs(blocked(cairo, k) - blocked(splash, k)).mean())
            for k in sizes]


def main():
    folivex, corpus = sys.argv[1:3]
    option = lambda name, default: sys.argv[sys.argv.index(name) + 1] if name in sys.argv else default
    dpi = int(option("--resolution", "72"))
    pages = int(option("--pages", "6"))
    only = option("--only", "")
    sizes = [4, max(4, round(4 * dpi / 72))]
    rows = list(csv.DictReader(open(os.path.join(corpus, "MANIFEST.tsv")), delimiter="\t"))
    documents = [r for r in rows if r["path"].split("/")[0] in ("doc", "docx", "ppt", "pptx")
                 and r["libreoffice_pdf_pages"] not in ("-", "0") and only in r["path"]]
    scratch = tempfile.mkdtemp(prefix="folivex-fidelity-")
    try:
        references = os.path.join(scratch, "reference")
        profile = "-env:UserInstallation=file://" + os.path.join(scratch, "soffice-profile")
        # One folder a format: a .doc and a .docx of one name give PDFs of one name.
        for format in ("doc", "docx", "ppt", "pptx"):
            inputs = [os.path.join(corpus, r["path"]) for r in documents if r["path"].split("/")[0] == format]
            if inputs:
                run(["soffice", profile, "--headless", "--norestore", "--convert-to", "pdf", "--outdir",
                     os.path.join(references, format)] + inputs, timeout=3600)
        print("%-58s %5s %13s %13s %13s %13s" % ("document", "pages", "ours 4px", "renderers 4px",
                                                 "ours %dpx" % sizes[1], "renderers %dpx" % sizes[1]))
        above = {size: [] for size in sizes}
        for document in documents:
            path = os.path.join(corpus, document["path"])
            stem = os.path.splitext(os.path.basename(path))[0]
            reference = os.path.join(references, document["path"].split("/")[0], stem + ".pdf")
            out = os.path.join(scratch, "out")
            shutil.rmtree(out, ignore_errors=True)
            os.makedirs(out)
            run([folivex, "--convert", "--quiet", path, "--output", out, "--resolution", str(dpi)])
            ours = os.path.join(out, stem + ".pdf")
            if not os.path.exists(ours) or not os.path.exists(reference) or page_count(ours) != page_count(reference):
                print("%-58s %5s  page count differs from LibreOffice's export, not compared" % (document["path"][:58], "-"))
                continue
            work = os.path.join(scratch, "pages")
            os.makedirs(work, exist_ok=True)
            measured = [m for m in (compare_page(ours, reference, p, dpi, work, sizes)
                                    for p in range(1, min(pages, page_count(ours)) + 1)) if m is not None]
            if not measured:
                continue
            means = [[sum(m[i][j] for m in measured) / len(measured) for j in (0, 1)] for i in range(len(sizes))]
            print("%-58s %5d %13.2f %13.2f %13.2f %13.2f" % (document["path"][:58], len(measured), means[0][0],
                                                              means[0][1], means[1][0], means[1][1]), flush=True)
            for i, size in enumerate(sizes):
                if means[i][0] > 1.5:
                    above[size].append("%s %.2f (renderers %.2f)" % (document["path"], means[i][0], means[i][1]))
        for size in sizes:
            print("above 1.5 with %d px blocks: %d" % (size, len(above[size])))
            for line in above[size]:
                print("  " + line)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()
