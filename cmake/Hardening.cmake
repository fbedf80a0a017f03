# Debian's hardening flags for every LUM program (lum-server faces the network as a service):
# fortified libc calls where optimised, stack protection, and a read-only GOT bound at start.
include(CheckCXXCompilerFlag)
foreach(flag -fstack-protector-strong -fstack-clash-protection -fcf-protection)
  string(MAKE_C_IDENTIFIER "LUM_HAS${flag}" var)
  check_cxx_compiler_flag(${flag} ${var})
  if(${var})
    target_compile_options(lum_build_settings INTERFACE ${flag})
  endif()
endforeach()
target_compile_options(lum_build_settings INTERFACE $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
target_link_options(lum_build_settings INTERFACE -Wl,-z,relro -Wl,-z,now)
