# Sourced by the scripts that run the sanitizer build: leaks are findings, known leaks inside
# system libraries are suppressed, and undefined behaviour stops the program with its stack.
# Expects $root, the project's root.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
