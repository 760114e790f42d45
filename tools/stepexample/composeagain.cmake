# Composes the example period afresh and compares it with the kept file.
execute_process(COMMAND ${TOOL} ${OUT} RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "tonaria-stepexample failed (${status})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${KEPT} ${OUT} RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
    message(FATAL_ERROR "The engine now composes a different example than ${KEPT}. Compose it "
                        "again with tonaria-stepexample and check the step pages against it.")
endif()
