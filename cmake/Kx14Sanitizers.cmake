# Applies KX14_SANITIZE to every target of the build.
if(KX14_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
elseif(KX14_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT KX14_SANITIZE STREQUAL "")
  message(FATAL_ERROR "KX14_SANITIZE must be empty, address or thread")
endif()
# Sanitizer trees are for running the tests, not for shipping: line tables
# (-g1) are all the reports' file:line need, and a fraction of -g's size to
# write and link, and -O0 compiles in half the time of -O1 with
# AddressSanitizer + UBSan (GCC spends most of an instrumented build
# optimising the checks) and a fifth less with ThreadSanitizer. The tests
# mostly wait on ports, so the slower code costs them little. These come after
# the build type's -O2 -g, so they win.
if(KX14_SANITIZE)
  add_compile_options(-O0 -g1)
endif()
