# Converts the example statement to a table and back with the real binary; the bytes must
# come back unchanged. Run with -DCLI=... -DEXAMPLE=... -DWORK=...
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND "${CLI}" abo2dbf "${EXAMPLE}" "${WORK}/statement.dbf"
                RESULT_VARIABLE to_table OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT to_table EQUAL 0 OR NOT out STREQUAL "Konverze proběhla úspěšně\n" OR NOT err STREQUAL "")
  message(FATAL_ERROR "abo2dbf: status ${to_table}, stdout '${out}', stderr '${err}'")
endif()
execute_process(COMMAND "${CLI}" dbf2abo "${WORK}/statement.dbf" "${WORK}/statement.gpc"
                RESULT_VARIABLE to_statement)
if(NOT to_statement EQUAL 0)
  message(FATAL_ERROR "dbf2abo: status ${to_statement}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${EXAMPLE}" "${WORK}/statement.gpc"
                RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
  message(FATAL_ERROR "the statement did not come back byte for byte")
endif()
# The output exists now: without --yes and without a terminal the answer is No.
execute_process(COMMAND "${CLI}" abo2dbf "${EXAMPLE}" "${WORK}/statement.dbf"
                RESULT_VARIABLE declined INPUT_FILE "${EXAMPLE}" ERROR_VARIABLE question)
if(NOT declined EQUAL 1 OR NOT question MATCHES "již existuje! Přepsat\\?")
  message(FATAL_ERROR "overwrite without a terminal: status ${declined}, stderr '${question}'")
endif()
