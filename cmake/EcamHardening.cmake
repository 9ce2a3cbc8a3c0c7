# The hardening Debian builds its packages with (dpkg-buildflags with
# hardening=+all), set here so every target gets it whoever builds the tree:
# position-independent executables, full RELRO with immediate binding, the
# strong stack protector, stack-clash protection, control-flow protection on
# x86, and glibc's fortified string and I/O functions.
include(CheckPIESupported)
check_pie_supported(LANGUAGES C CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

add_compile_options(-fstack-protector-strong -fstack-clash-protection -Wformat -Werror=format-security)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|i.86)$")
  add_compile_options(-fcf-protection)
endif()
# Fortify needs the optimiser (glibc warns without it) and gets in the way
# of the sanitizers' own interceptors.
if(NOT ECAM_SANITIZE AND NOT ECAM_TSAN)
  add_compile_options($<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE> $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
endif()
add_link_options(LINKER:-z,relro LINKER:-z,now)
