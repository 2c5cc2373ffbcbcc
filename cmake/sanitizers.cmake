# AddressSanitizer and UndefinedBehaviorSanitizer for every target, stopping at the first
# finding: a report that only scrolls by in a passing test run proves nothing.
# TRELVAN_SANITIZERS narrows the set, e.g. to "undefined" for long fuzzing runs, where
# AddressSanitizer's bookkeeping of the 64 KiB I/O buffers costs two thirds of the speed.
if(MSVC)
  message(FATAL_ERROR "TRELVAN_SANITIZE needs gcc or clang")
endif()
set(TRELVAN_SANITIZERS "address,undefined" CACHE STRING "Sanitizers of TRELVAN_SANITIZE")
set(TRELVAN_SANITIZER_FLAGS
    -fsanitize=${TRELVAN_SANITIZERS}
    -fno-sanitize-recover=all
    -fno-omit-frame-pointer)
add_compile_options(${TRELVAN_SANITIZER_FLAGS})
add_link_options(${TRELVAN_SANITIZER_FLAGS})
