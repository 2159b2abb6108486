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
