# wordvane_add_test(NAME <exe> SOURCES <files...> LIBS <targets...>
#                   LABELS <labels...> [GUI])
# Adds one test executable.  Without GUI each GoogleTest case is its own
# CTest entry; with GUI the executable is one entry that takes the display
# (GUI tests share one display, so they never run at once).
include(GoogleTest)
function(wordvane_add_test)
  cmake_parse_arguments(T "GUI" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS})
  if(T_GUI)
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABELS}" RESOURCE_LOCK display TIMEOUT 600)
  else()
    target_link_libraries(${T_NAME} PRIVATE GTest::gtest_main)
    gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS "${T_LABELS}" TIMEOUT 300)
  endif()
endfunction()

# The executable for one folder's sources, if it has any.
function(wordvane_add_test_folder folder name)
  cmake_parse_arguments(T "GUI" "" "LIBS;LABELS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  if(T_GUI)
    wordvane_add_test(NAME ${name} SOURCES ${sources} LIBS ${T_LIBS} LABELS ${T_LABELS} GUI)
  else()
    wordvane_add_test(NAME ${name} SOURCES ${sources} LIBS ${T_LIBS} LABELS ${T_LABELS})
  endif()
endfunction()

# One executable per subfolder of dir, named <prefix>_<subfolder>, and one
# per folder inside a subfolder, <prefix>_<subfolder>_<folder>: tests of one
# subsystem that need a process of their own (a global environment, a site
# they point the program at) sit in a folder inside the subsystem's.
function(wordvane_add_test_folders dir prefix)
  file(GLOB subdirs LIST_DIRECTORIES true ${dir}/*)
  foreach(sub ${subdirs})
    if(IS_DIRECTORY ${sub})
      get_filename_component(name ${sub} NAME)
      wordvane_add_test_folder(${sub} ${prefix}_${name} ${ARGN})
      file(GLOB inner LIST_DIRECTORIES true ${sub}/*)
      foreach(folder ${inner})
        if(IS_DIRECTORY ${folder})
          get_filename_component(inner_name ${folder} NAME)
          wordvane_add_test_folder(${folder} ${prefix}_${name}_${inner_name} ${ARGN})
        endif()
      endforeach()
    endif()
  endforeach()
endfunction()
