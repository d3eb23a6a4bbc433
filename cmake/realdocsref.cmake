# Writes LibreOffice's own PDF of every text document and presentation of the
# real-document corpus that LibreOffice loads (MANIFEST.tsv: a page count,
# not "-"), one soffice run per format, into OUTDIR/<format>/, then the
# stamp OUTDIR/done. Arguments: SOFFICE, CORPUS, OUTDIR.
file(STRINGS ${CORPUS}/MANIFEST.tsv rows)
foreach(format doc docx ppt pptx)
  set(files)
  foreach(row ${rows})
    string(REPLACE "\t" ";" fields "${row}")
    list(GET fields 0 path)
    list(LENGTH fields count)
    math(EXPR last "${count} - 1")
    list(GET fields ${last} pages)
    if(path MATCHES "^${format}/" AND NOT pages STREQUAL "-")
      list(APPEND files ${CORPUS}/${path})
    endif()
  endforeach()
  file(MAKE_DIRECTORY ${OUTDIR}/${format})
  execute_process(
    COMMAND ${SOFFICE} -env:UserInstallation=file://${OUTDIR}/profile --headless --norestore
            --convert-to pdf --outdir ${OUTDIR}/${format} ${files}
    RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "soffice could not convert the ${format} documents of ${CORPUS} (${result})")
  endif()
endforeach()
file(TOUCH ${OUTDIR}/done)
