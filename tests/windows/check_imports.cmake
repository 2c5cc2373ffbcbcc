# Fails when an executable imports a DLL that is not part of Windows itself (the compiler's
# runtime, wxWidgets, anything that would have to ship beside it).
#   cmake -DOBJDUMP=... -DFILES=a.exe;b.exe -P check_imports.cmake
cmake_minimum_required(VERSION 3.25)
set(system_dlls
    advapi32 comctl32 comdlg32 gdi32 gdiplus imm32 kernel32 msimg32 msvcrt ole32 oleacc oleaut32
    rpcrt4 shell32 shlwapi user32 usp10 uxtheme version winmm winspool.drv ws2_32 bcrypt)
foreach(file IN LISTS FILES)
  execute_process(COMMAND ${OBJDUMP} -p ${file} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${OBJDUMP} could not read ${file}")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\r\n]+" names "${dump}")
  if(NOT names)
    message(FATAL_ERROR "${file}: no imports found, not a Windows executable?")
  endif()
  foreach(entry IN LISTS names)
    string(REPLACE "DLL Name: " "" dll "${entry}")
    string(TOLOWER "${dll}" dll)
    string(REGEX REPLACE "\\.dll$" "" dll "${dll}")
    if(NOT dll IN_LIST system_dlls)
      message(FATAL_ERROR "${file} imports ${entry}, which is not a system DLL")
    endif()
    message(STATUS "${file}: ${dll}")
  endforeach()
endforeach()
