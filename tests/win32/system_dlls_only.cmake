# Fails unless the program imports Windows' own DLLs only, so that brisvale.exe runs where it is copied with nothing
# installed beside it.
#   cmake -DOBJDUMP=... -DPROGRAM=brisvale.exe -P system_dlls_only.cmake
cmake_minimum_required(VERSION 3.25)
set(system_dlls comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll shell32.dll user32.dll
    uxtheme.dll)
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE headers RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} could not read ${PROGRAM}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${headers}")
if(NOT imports)
    message(FATAL_ERROR "no imported DLLs found in ${PROGRAM}")
endif()
foreach(import IN LISTS imports)
    string(REPLACE "DLL Name: " "" dll "${import}")
    string(TOLOWER "${dll}" dll)
    if(NOT dll IN_LIST system_dlls)
        message(SEND_ERROR "${PROGRAM} needs ${dll}, which is not one of Windows' own DLLs")
    endif()
endforeach()
