# Runs the sample generator into OUT and compares each file with the one kept in EXPECTED.
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${GENERATOR} ${OUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the generator failed: ${status}")
endif()
foreach(name universe.map turn41.pla turn42.pla)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${name} ${EXPECTED}/${name}
        RESULT_VARIABLE differs)
    if(differs)
        message(FATAL_ERROR "${name} differs from what the generator makes now")
    endif()
endforeach()
