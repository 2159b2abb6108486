# kx14_warnings(<target>): the project's warning set, PRIVATE to the target.
function(kx14_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                         -Wnon-virtual-dtor -Wconversion -Wno-sign-conversion)
  if(KX14_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
