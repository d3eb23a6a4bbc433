#!/usr/bin/python3
"""Folivex against the engine's floor (bench/enginefloor: the host's engine
alone loading and rendering every page) on each loadable real document, one document
at a time, Folivex with --jobs 1: the share of Folivex's time that is not
LibreOffice's own load and drawing.

usage: floor_bench.py FOLIVEX ENGINEFLOOR CORPUS [DPI] [RUNS]
Each document is run RUNS times (3 unless given) by each tool, in turns, and the
fastest run of each counts: on a shared machine the fastest run is the one least
disturbed by others. Prints one row a document, sorted by ratio, then the five worst."""
import csv, os, shutil, subprocess, sys, tempfile, time


def timed(command, env=None):
    began = time.monotonic()
    run = subprocess.run(command, capture_output=True, text=True, env=env)
    return time.monotonic() - began, run


def main():
    folivex, floor, corpus = sys.argv[1:4]
    dpi = sys.argv[4] if len(sys.argv) > 4 else "72"
    runs = int(sys.argv[5]) if len(sys.argv) > 5 else 3
    rows = list(csv.DictReader(open(os.path.join(corpus, "MANIFEST.tsv")), delimiter="\t"))
    loadable = [r["path"] for r in rows if r["libreoffice_pdf_pages"] != "-"]
    scratch = tempfile.mkdtemp(prefix="folivex-floor-")
    env = dict(os.environ, FOLIVEX_PROFILE_DIR=os.path.join(scratch, "profiles"))
    floor_env = dict(os.environ, FOLIVEX_PROFILE_DIR=os.path.join(scratch, "floor-profiles"))
    if dpi != "72":
        # Folivex draws text unhinted above 72 dpi; so does the floor then.
        floor_env["FOLIVEX_TEXT_HINTING"] = "none"
    out = os.path.join(scratch, "out")
    # Settled profiles for both, as a user's would be.
    first = os.path.join(corpus, loadable[0])
    subprocess.run([floor, first], capture_output=True, env=floor_env)
    subprocess.run([folivex, "--convert", first, "--jobs", "1", "--output", out], capture_output=True, env=env)
    results = []
    for path in loadable:
        document = os.path.join(corpus, path)
        best_floor = best_folivex = None
        for _ in range(runs):
            seconds, run = timed([floor, "--dpi", dpi, document], floor_env)
            if run.returncode == 0:
                best_floor = seconds if best_floor is None else min(best_floor, seconds)
            shutil.rmtree(out, ignore_errors=True)
            os.makedirs(out)
            seconds, run = timed([folivex, "--convert", document, "--jobs", "1", "--quiet", "--resolution", dpi,
                                  "--output", out], env)
            if run.returncode == 0:
                best_folivex = seconds if best_folivex is None else min(best_folivex, seconds)
        if best_floor and best_folivex:
            results.append((best_folivex / best_floor, path, best_folivex, best_floor))
        else:
            print("%-60s not converted by both" % path)
    results.sort()
    print("%-60s %9s %9s %7s" % ("document at %s dpi" % dpi, "folivex s", "floor s", "ratio"))
    for ratio, path, mine, theirs in results:
        print("%-60s %9.2f %9.2f %6.2fx" % (path, mine, theirs, ratio))
    print("worst five:")
    for ratio, path, mine, theirs in results[-5:][::-1]:
        print("  %-58s %6.2fx" % (path, ratio))
    total_mine = sum(r[2] for r in results)
    total_floor = sum(r[3] for r in results)
    print("all %d documents: %.1f s against %.1f s = %.2fx" % (len(results), total_mine, total_floor,
                                                               total_mine / total_floor))
    shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()
