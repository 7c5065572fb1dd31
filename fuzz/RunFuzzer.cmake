# Runs a fuzzer for a fixed number of inputs. New inputs go to a
# fresh corpus folder in the build tree, listed first, so that libFuzzer
# never writes into the seed folders. DICT, when set, is a dictionary of the
# input's words.
file(REMOVE_RECURSE ${CORPUS})
file(MAKE_DIRECTORY ${CORPUS})
string(REPLACE "," ";" starts "${SEEDS}")
if(IS_DIRECTORY ${REGRESSIONS})
    list(APPEND starts ${REGRESSIONS})
endif()
set(dictionary)
if(DICT)
    set(dictionary -dict=${DICT})
endif()
execute_process(
    COMMAND ${FUZZER} -runs=${RUNS} -max_len=${MAX_LEN} -seed=1 ${dictionary}
        -artifact_prefix=${CORPUS}/../ ${CORPUS} ${starts}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the fuzzer ${FUZZER} failed: ${result}")
endif()
