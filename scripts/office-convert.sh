#!/usr/bin/env bash
# office-convert.sh PROFILE_DIR OUT_DIR FORMAT SOURCE...
# Converts documents with LibreOffice (headless, its own profile) into OUT_DIR
# as FORMAT (docx, pptx, xlsx, doc, ...) and fails unless every output exists.
set -euo pipefail
profile=$1 outdir=$2 format=$3
shift 3
mkdir -p "$profile" "$outdir"
soffice -env:UserInstallation="file://$(cd "$profile" && pwd)" --headless --norestore \
  --convert-to "$format" --outdir "$outdir" "$@" >/dev/null 2>&1 || true
for source in "$@"; do
  name=$(basename "$source")
  out="$outdir/${name%.*}.${format%%:*}"
  if [[ ! -s $out ]]; then
    echo "office-convert: $source was not converted to $format" >&2
    exit 1
  fi
done
