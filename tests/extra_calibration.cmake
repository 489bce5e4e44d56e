# The calibration tests start worker threads: `make tsan` runs them by their label. The
# demonstration test waits out the real calibration times (6 + 8 + 16 s) and runs beside
# the rest of the suite.
set_tests_properties(tst_calibrationthread tst_calibrationsequence tst_calibrationdemo
    PROPERTIES LABELS threads)
set_tests_properties(tst_calibrationdemo PROPERTIES TIMEOUT 240)
