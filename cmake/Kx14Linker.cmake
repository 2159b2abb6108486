# Links the Linux programs with LLVM's lld (Debian package lld) where the
# compiler accepts it: several times faster than the default linker on the
# test programs' debugging information, which every build tree links anew.
# The Windows cross build keeps the mingw linker.
include(CheckLinkerFlag)
option(KX14_USE_LLD "Link with lld when the compiler can" ON)
if(KX14_USE_LLD AND NOT CMAKE_CROSSCOMPILING)
  check_linker_flag(CXX -fuse-ld=lld KX14_HAVE_LLD)
  if(KX14_HAVE_LLD)
    add_link_options(-fuse-ld=lld)
  endif()
endif()
