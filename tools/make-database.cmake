# Builds the delivered KESP.ddb unless a file is there already.
if(EXISTS "${OUT}")
    message(STATUS "Keeping the existing ${OUT}")
    return()
endif()
execute_process(COMMAND "${CLI}" db build "${OUT}" --data "${DATA}"
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    file(REMOVE "${OUT}")
    message(FATAL_ERROR "Could not build ${OUT}")
endif()
