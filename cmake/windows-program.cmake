# What a Windows build does with its program once every target is made (run
# at the end of the top-level CMakeLists.txt, see cmake/windows.cmake):
#
#  - checks that the Windows programs need only DLLs that come with Windows:
#    the C++ runtime, libgcc and winpthread must be linked in, not imported;
#  - checks that the program links each platform symbol once: the api and
#    the win32 driver, nothing of the emulated driver;
#  - makes the zip a Windows player unpacks and double-clicks (target
#    windows_zip, `make windows-zip`): a folder with the program, its eight
#    data files and a read-me.

set(programs_to_check $<TARGET_FILE:frame_dump>)
if(TARGET stackwell)
  list(APPEND programs_to_check $<TARGET_FILE:stackwell>)
endif()
add_test(NAME windows_system_dlls_only
         COMMAND ${PROJECT_SOURCE_DIR}/tests/windows/system-dlls-only.sh ${CMAKE_OBJDUMP}
                 ${programs_to_check})
set_tests_properties(windows_system_dlls_only PROPERTIES LABELS windows)

if(NOT TARGET stackwell)
  return()
endif()

# The program links the api and the win32 driver, each platform symbol once.
add_test(NAME windows_one_definition
         COMMAND ${PROJECT_SOURCE_DIR}/tests/windows/one-definition.sh ${CMAKE_NM}
                 ${CMAKE_BINARY_DIR}/CMakeFiles/stackwell.dir ${CMAKE_BINARY_DIR})
set_tests_properties(windows_one_definition PROPERTIES LABELS windows)

set(zip_folder_name Stackwell)
set(zip_stage ${CMAKE_BINARY_DIR}/zip)
set(zip_file ${CMAKE_BINARY_DIR}/stackwell-${PROJECT_VERSION}-windows-x64.zip)
# The icon is inside the program; the data files are what it reads.
set(zip_data_files ${GAME_DATA_FILES})
list(FILTER zip_data_files EXCLUDE REGEX "\\.ico$")
configure_file(${PROJECT_SOURCE_DIR}/dist/windows/ReadMe.txt ${zip_stage}-readme/ReadMe.txt
               NEWLINE_STYLE CRLF)
add_custom_target(
  windows_zip
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${zip_stage} ${zip_file}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${zip_stage}/${zip_folder_name}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:stackwell> ${zip_data_files}
          ${zip_stage}-readme/ReadMe.txt ${zip_stage}/${zip_folder_name}
  # The player needs no debugging information.
  COMMAND ${CMAKE_STRIP} ${zip_stage}/${zip_folder_name}/$<TARGET_FILE_NAME:stackwell>
  COMMAND ${CMAKE_COMMAND} -E chdir ${zip_stage} ${CMAKE_COMMAND} -E tar cf ${zip_file}
          --format=zip ${zip_folder_name}
  COMMAND ${CMAKE_COMMAND} -E echo "Made ${zip_file}"
  DEPENDS stackwell game_data
  VERBATIM)
