# Sourced by the scripts that run the sanitizer build: leaks are findings, known leaks inside
# system libraries are suppressed, and undefined behaviour stops the program with its stack.
# Expects $root, the project's root.
# The runtime's tracking of dynamic thread-local storage (intercept_tls_get_addr) misreads the
# GL driver's, and the leak check at exit then crashed in about half of the runs that have the
# player's texture missing ("Tracer caught signal 11" on a bogus DTLS range). Without that
# tracking, leaks are still found; our own code keeps nothing in dynamic TLS.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:intercept_tls_get_addr=0"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
