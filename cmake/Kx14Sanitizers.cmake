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
# write and link. AddressSanitizer + UBSan at -O0 compiles in half the time
# of -O1 (GCC spends most of an instrumented build optimising the checks),
# and the tests mostly wait on ports, so the slower code costs them little;
# ThreadSanitizer keeps -O1, where its run time is reasonable. These come
# after the build type's -O2 -g, so they win. At -O1 GCC 12 inlines a
# replaced global operator delete into its callers and then takes the
# replacement's free() for a mismatch with operator new (a false report); the
# normal tree keeps that warning, and AddressSanitizer checks the real pairs
# at run time.
if(KX14_SANITIZE STREQUAL "address")
  add_compile_options(-O0 -g1)
elseif(KX14_SANITIZE STREQUAL "thread")
  add_compile_options(-O1 -g1 -Wno-mismatched-new-delete)
endif()
