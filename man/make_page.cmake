# cmake -DPROGRAM=... -DTOOL=... -DEXTRA=... -DSUMMARY=... -DOUT=page.1 [-DGZIP=gzip] -P make_page.cmake
# Runs PROGRAM --help and --version and writes its manual page (and page.1.gz when GZIP is given).
execute_process(COMMAND ${PROGRAM} --help OUTPUT_FILE ${OUT}.help RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help failed (${rc})")
endif()
execute_process(COMMAND ${PROGRAM} --version OUTPUT_VARIABLE version RESULT_VARIABLE rc
                OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --version failed (${rc})")
endif()
execute_process(COMMAND ${TOOL} ${OUT}.help ${EXTRA} "${SUMMARY}" "${version}" OUTPUT_FILE ${OUT}
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cannot write ${OUT} (${rc})")
endif()
if(GZIP)
  # -n: no name or time stamp in the header, so that a rebuild gives the same bytes.
  execute_process(COMMAND ${GZIP} -9n -c ${OUT} OUTPUT_FILE ${OUT}.gz RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cannot compress ${OUT} (${rc})")
  endif()
endif()
