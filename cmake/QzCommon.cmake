# Settings shared by every target of both build trees.
set(QZ_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
                -Wno-missing-field-initializers -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual -Wnull-dereference)
option(QZ_WERROR "Treat warnings as errors" OFF)
if(QZ_WERROR)
  list(APPEND QZ_WARNINGS -Werror)
endif()

if(WIN32)
  # Wide-character API only; no min/max macros; Windows 7 as the floor.
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                          _WIN32_WINNT=0x0601 WINVER=0x0601)
  # Static run times: the executable needs no DLL of its own. No link timestamp: reproducible bytes.
  set(QZ_WIN_LINK -static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp)
  add_link_options(${QZ_WIN_LINK})
  # Only what is used is linked; a release is optimised for size and carries no debug information.
  set(CMAKE_C_FLAGS_RELEASE "-Os -DNDEBUG")
  set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG")
  add_compile_options(-ffunction-sections -fdata-sections)
  add_link_options(-Wl,--gc-sections $<$<CONFIG:Release>:-s>)
else()
  option(QZ_SANITIZE "Build the native tree with ASan and UBSan" ON)
  if(QZ_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
  endif()
endif()

# qz_module(NAME PORTABLE src... [WIN src...] [DEPS lib...] [WINLIBS lib...])
# Portable sources build in both trees as qz_NAME_core; Win32 sources only in the Windows tree as qz_NAME_win.
function(qz_module name)
  cmake_parse_arguments(M "" "" "PORTABLE;WIN;DEPS;WINDEPS;WINLIBS" ${ARGN})
  add_library(qz_${name}_core STATIC ${M_PORTABLE})
  target_include_directories(qz_${name}_core PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(qz_${name}_core PRIVATE ${QZ_WARNINGS})
  if(M_DEPS)
    target_link_libraries(qz_${name}_core PUBLIC ${M_DEPS})
  endif()
  if(WIN32 AND M_WIN)
    add_library(qz_${name}_win STATIC ${M_WIN})
    target_compile_options(qz_${name}_win PRIVATE ${QZ_WARNINGS})
    target_link_libraries(qz_${name}_win PUBLIC qz_${name}_core ${M_WINDEPS} ${M_WINLIBS})
  endif()
endfunction()
