# Runs a fuzzer for a fixed number of inputs. New inputs go to a
# fresh corpus folder in the build tree, listed first, so that libFuzzer
# never writes into the seed folders.
file(REMOVE_RECURSE ${CORPUS})
file(MAKE_DIRECTORY ${CORPUS})
string(REPLACE "," ";" SEED_FOLDERS "${SEEDS}")
execute_process(
    COMMAND ${FUZZER} -runs=${RUNS} -max_len=${MAX_LEN} -seed=1 -artifact_prefix=${CORPUS}/../ ${CORPUS} ${SEED_FOLDERS}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the fuzzer ${FUZZER} failed: ${result}")
endif()
