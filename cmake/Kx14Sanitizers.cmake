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
if(KX14_SANITIZE)
  # The usual settings of sanitizer runs: -O1 keeps the reports' stacks
  # whole and compiles much faster than -O2; line tables (-g1) are all the
  # reports' file:line need, and a fraction of -g's size to write and link.
  # They come after the build type's -O2 -g, so they win. At -O1 GCC 12
  # inlines a replaced global operator delete into its callers and then takes
  # the replacement's free() for a mismatch with operator new (a false
  # report); the normal tree keeps that warning, and AddressSanitizer checks
  # the real pairs at run time.
  add_compile_options(-O1 -g1 -Wno-mismatched-new-delete)
endif()
