# Read by ctest after the frame tests are listed (gtest_discover_tests hands
# on one label alone): they are window tests quick enough to count among the
# unit tests too.
set_tests_properties(${quib_frame_tests_TESTS} PROPERTIES LABELS "unit;window")
