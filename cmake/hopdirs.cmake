# Build settings shared by every Hopdirs target.

# Warnings as errors for our own code only (GoogleTest keeps its own flags).
function(hop_strict target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                           -Wno-sign-conversion -Wno-missing-field-initializers -Werror)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  if(WIN32)
    target_compile_definitions(${target} PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                                _WIN32_WINNT=0x0A00)
  endif()
endfunction()

# A platform-free library: compiled natively (with sanitizers) and for Windows.
function(hop_core_library name)
  add_library(${name} STATIC ${ARGN})
  hop_strict(${name})
endfunction()

# A Win32 adapter library: only in the Windows build.
function(hop_win_library name)
  if(WIN32)
    add_library(${name} STATIC ${ARGN})
    hop_strict(${name})
  endif()
endfunction()
