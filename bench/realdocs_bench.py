#!/usr/bin/python3
"""Folivex against LibreOffice's own `soffice --headless --convert-to pdf` on the
real documents beside the repository: wall time, pages per second and peak
memory (the largest process of each run), as a user would run either tool.

usage: realdocs_bench.py FOLIVEX CORPUS FIXTURES
Prints one row a case and the ratio Folivex / soffice (below 1: Folivex is faster).
A single document is converted three times by each tool, in turns, and the row
gives the median time and the largest peak: one run of a few seconds on a
shared machine varies by a third."""
import csv, os, re, shutil, subprocess, sys, tempfile, time


def timed(command):
    """Runs command under GNU time; returns (seconds, peak KiB)."""
    began = time.monotonic()
    run = subprocess.run(["/usr/bin/time", "-f", "%M"] + command, capture_output=True, text=True)
    seconds = time.monotonic() - began
    peak = int(run.stderr.strip().splitlines()[-1]) if run.stderr.strip() else 0
    return seconds, peak, run.returncode


def pages_of(folder):
    total = 0
    for name in os.listdir(folder):
        if name.endswith(".pdf"):
            info = subprocess.run(["pdfinfo", os.path.join(folder, name)], capture_output=True, text=True).stdout
            match = re.search(r"^Pages:\s+(\d+)", info, re.M)
            total += int(match.group(1)) if match else 0
    return total


def main():
    folivex, corpus, fixtures = sys.argv[1:4]
    rows = list(csv.DictReader(open(os.path.join(corpus, "MANIFEST.tsv")), delimiter="\t"))
    loadable = [os.path.join(corpus, r["path"]) for r in rows if r["libreoffice_pdf_pages"] != "-"]

    def biggest(formats, key):
        chosen = [r for r in rows if r["path"].split("/")[0] in formats and r["libreoffice_pdf_pages"] != "-"]
        return os.path.join(corpus, max(chosen, key=key)["path"])

    longest_text = biggest(("doc", "docx"), lambda r: int(r["libreoffice_pdf_pages"]))
    longest_slides = biggest(("ppt", "pptx"), lambda r: int(r["libreoffice_pdf_pages"]))
    biggest_book = biggest(("xls", "xlsx"), lambda r: int(r["bytes"]))
    cases = [("folder of %d documents" % len(loadable), loadable, ["--jobs", "1"], "--jobs 1", 1),
             ("folder of %d documents" % len(loadable), loadable, [], "default jobs", 1),
             (os.path.relpath(longest_text, corpus), [longest_text], [], "median of 3", 3),
             (os.path.relpath(longest_slides, corpus), [longest_slides], [], "median of 3", 3),
             (os.path.relpath(biggest_book, corpus), [biggest_book], [], "median of 3", 3),
             ("generated big100.docx", [os.path.join(fixtures, "big100.docx")], [], "median of 3", 3)]

    scratch = tempfile.mkdtemp(prefix="folivex-bench-")
    profile = os.path.join(scratch, "soffice-profile")
    # A settled profile for soffice, as a user's would be.
    subprocess.run(["soffice", "-env:UserInstallation=file://" + profile, "--headless", "--norestore",
                    "--convert-to", "pdf", "--outdir", os.path.join(scratch, "warm"),
                    os.path.join(fixtures, "letter3.docx")], capture_output=True)
    print("%-52s %-13s %9s %9s %7s %9s %9s %7s %7s %7s" % ("case", "", "folivex s", "pages/s", "MiB",
                                                         "soffice s", "pages/s", "MiB", "time", "memory"))
    for name, files, options, label, repeats in cases:
        ours, theirs = os.path.join(scratch, "ours"), os.path.join(scratch, "theirs")
        runs = []
        for _ in range(repeats):
            for folder in (ours, theirs):
                shutil.rmtree(folder, ignore_errors=True)
                os.makedirs(folder)
            f = timed([folivex, "--convert"] + files + ["--quiet", "--output", ours] + options)
            s = timed(["soffice", "-env:UserInstallation=file://" + profile, "--headless", "--norestore",
                       "--convert-to", "pdf", "--outdir", theirs] + files)
            runs.append((f, s))
        f_s = sorted(f[0] for f, _ in runs)[repeats // 2]
        s_s = sorted(s[0] for _, s in runs)[repeats // 2]
        f_kib, s_kib = max(f[1] for f, _ in runs), max(s[1] for _, s in runs)
        f_rc = max(f[2] for f, _ in runs)
        s_rc = max(s[2] for _, s in runs)
        f_pages, s_pages = pages_of(ours), pages_of(theirs)
        print("%-52s %-13s %9.2f %9.1f %7.0f %9.2f %9.1f %7.0f %6.2fx %6.2fx%s" % (
            name[:52], label, f_s, f_pages / f_s, f_kib / 1024, s_s, s_pages / s_s, s_kib / 1024, f_s / s_s,
            f_kib / max(s_kib, 1), "" if f_rc == 0 and s_rc == 0 else "  (exit %d / %d)" % (f_rc, s_rc)), flush=True)
    shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()
