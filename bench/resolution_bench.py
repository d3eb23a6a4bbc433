#!/usr/bin/python3
"""Folivex at 72, 150 and 300 dpi against the chain people use to make image
PDFs today: `soffice --convert-to pdf` over the documents (one soffice run,
as a user would), then for each PDF `pdftoppm -r DPI -jpeg -jpegopt
quality=90` and `img2pdf`. Also, at 72 dpi, the folder against one plain
soffice run, and every workbook one by one against soffice.

usage: resolution_bench.py FOLIVEX CORPUS [FIXTURES]
Prints one row a case: seconds and the largest process's peak memory of each
side, the ratios Folivex / other (below 1: Folivex is faster or smaller), and
the pages each side wrote (a worksheet is one page of Folivex's, a workbook's
print pages are soffice's).
Single documents are run twice by each side, in turns, and the faster run
counts; folders once."""
import csv, glob, os, re, shutil, subprocess, sys, tempfile, time


def timed(command):
    """Runs command under GNU time; returns (seconds, peak KiB of its largest process, exit code)."""
    began = time.monotonic()
    run = subprocess.run(["/usr/bin/time", "-f", "%M"] + command, capture_output=True, text=True)
    seconds = time.monotonic() - began
    lines = run.stderr.strip().splitlines()
    peak = int(lines[-1]) if lines and lines[-1].isdigit() else 0
    return seconds, peak, run.returncode


def pages_in(folder):
    """The pages of the PDFs in folder."""
    total = 0
    for pdf in glob.glob(os.path.join(folder, "*.pdf")):
        info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout
        match = re.search(r"^Pages:\s+(\d+)", info, re.M)
        total += int(match.group(1)) if match else 0
    return total


class Bench:
    def __init__(self, folivex, scratch):
        self.folivex = folivex
        self.scratch = scratch
        self.profile = os.path.join(scratch, "soffice-profile")

    def fresh(self, name):
        folder = os.path.join(self.scratch, name)
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        return folder

    def soffice(self, files, out):
        return timed(["soffice", "-env:UserInstallation=file://" + self.profile, "--headless", "--norestore",
                      "--convert-to", "pdf", "--outdir", out] + files)

    def chain(self, files, dpi):
        """The chain over files: seconds, peak KiB, failures."""
        pdfs = self.fresh("chain-pdf")
        images = self.fresh("chain-jpeg")
        out = self.fresh("chain-out")
        seconds, peak, _ = self.soffice(files, pdfs)
        failures = 0
        pages = 0
        for pdf in sorted(glob.glob(os.path.join(pdfs, "*.pdf"))):
            stem = os.path.splitext(os.path.basename(pdf))[0]
            prefix = os.path.join(images, stem)
            s1, p1, rc1 = timed(["pdftoppm", "-r", str(dpi), "-jpeg", "-jpegopt", "quality=90", pdf, prefix])
            pages = sorted(glob.glob(glob.escape(prefix) + "-*.jpg"))
            s2, p2, rc2 = timed(["img2pdf", "-o", os.path.join(out, stem + ".pdf")] + pages) if pages else (0, 0, 1)
            for page in pages:
                os.remove(page)
            seconds += s1 + s2
            peak = max(peak, p1, p2)
            failures += rc1 != 0 or rc2 != 0
        return seconds, peak, failures, pages_in(out)

    def ours(self, files, dpi, options=()):
        """Folivex over files: seconds, peak KiB, exit code, pages written."""
        out = self.fresh("ours")
        seconds, peak, code = timed([self.folivex, "--convert"] + files +
                                    ["--quiet", "--resolution", str(dpi), "--output", out] + list(options))
        return seconds, peak, code, pages_in(out)

    def plain(self, files):
        out = self.fresh("plain")
        return self.soffice(files, out) + (pages_in(out),)


def best(runs):
    """The fastest run's seconds, the largest peak of all, the worst exit code and the fewest pages."""
    return (min(r[0] for r in runs), max(r[1] for r in runs), max(r[2] for r in runs), min(r[3] for r in runs))


def row(name, label, mine, theirs):
    print("%-50s %-14s %8.2f %7.0f %8.2f %7.0f %6.2fx %6.2fx %6d %6d%s" % (
        name[:50], label, mine[0], mine[1] / 1024, theirs[0], theirs[1] / 1024, mine[0] / theirs[0],
        mine[1] / max(theirs[1], 1), mine[3], theirs[3],
        "" if mine[2] == 0 else "  (folivex exit %d)" % mine[2]), flush=True)


def main():
    folivex, corpus = sys.argv[1:3]
    rows = list(csv.DictReader(open(os.path.join(corpus, "MANIFEST.tsv")), delimiter="\t"))
    usable = [r for r in rows if r["libreoffice_pdf_pages"] != "-"]
    loadable = [os.path.join(corpus, r["path"]) for r in usable]

    def biggest(formats, key):
        return os.path.join(corpus, max((r for r in usable if r["path"].split("/")[0] in formats), key=key)["path"])

    longest_text = biggest(("doc", "docx"), lambda r: int(r["libreoffice_pdf_pages"]))
    longest_slides = biggest(("ppt", "pptx"), lambda r: int(r["libreoffice_pdf_pages"]))
    biggest_book = biggest(("xls", "xlsx"), lambda r: int(r["bytes"]))
    workbooks = [os.path.join(corpus, r["path"]) for r in usable if r["path"].split("/")[0] in ("xls", "xlsx")]
    singles = [longest_text, longest_slides, biggest_book]

    scratch = tempfile.mkdtemp(prefix="folivex-resolution-bench-")
    bench = Bench(folivex, scratch)
    # A settled profile for soffice, as a user's would be; Folivex's own
    # profiles settle on their first run.
    bench.plain([longest_text])
    bench.ours([longest_text], 72)
    header = "%-50s %-14s %8s %7s %8s %7s %7s %7s %6s %6s"
    folder = "folder of %d documents" % len(loadable)

    print("Against the chain soffice + pdftoppm -jpeg + img2pdf (Folivex with default jobs):")
    print(header % ("case", "resolution", "folivex", "MiB", "chain", "MiB", "time", "memory", "pages", "pages"))
    for dpi in (72, 150, 300):
        row(folder, "%d dpi" % dpi, bench.ours(loadable, dpi), bench.chain(loadable, dpi))
        for single in singles:
            mine = best([bench.ours([single], dpi) for _ in range(2)])
            theirs = best([bench.chain([single], dpi) for _ in range(2)])
            row(os.path.relpath(single, corpus), "%d dpi" % dpi, mine, theirs)

    print("\nAt 72 dpi against one soffice --convert-to pdf run:")
    print(header % ("case", "jobs", "folivex", "MiB", "soffice", "MiB", "time", "memory", "pages", "pages"))
    row(folder, "--jobs 1", bench.ours(loadable, 72, ["--jobs", "1"]), bench.plain(loadable))
    row(folder, "default jobs", bench.ours(loadable, 72), bench.plain(loadable))

    print("\nEvery workbook at 72 dpi against soffice --convert-to pdf (--jobs 1):")
    print(header % ("workbook", "", "folivex", "MiB", "soffice", "MiB", "time", "memory", "pages", "pages"))
    worst_time = worst_memory = 0
    for book in workbooks:
        mine = best([bench.ours([book], 72, ["--jobs", "1"]) for _ in range(2)])
        theirs = best([bench.plain([book]) for _ in range(2)])
        worst_time = max(worst_time, mine[0] / theirs[0])
        worst_memory = max(worst_memory, mine[1] / max(theirs[1], 1))
        row(os.path.relpath(book, corpus), "", mine, theirs)
    print("worst workbook: time %.2fx, memory %.2fx" % (worst_time, worst_memory))
    shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()
