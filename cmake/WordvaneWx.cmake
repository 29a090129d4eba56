# wx for the platform and window libraries only: its include paths, flags and
# definitions travel on the imported target wordvane::wx, never directory-wide,
# so the pure library is compiled without them.
if(WORDVANE_WINDOWS)
  find_package(wxWidgets 3.2 REQUIRED COMPONENTS webview core base)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(GTK3 REQUIRED IMPORTED_TARGET gtk+-3.0)
  pkg_check_modules(WEBKIT REQUIRED IMPORTED_TARGET webkit2gtk-4.0)
else()
  find_package(wxWidgets 3.2 REQUIRED COMPONENTS core base)
endif()

add_library(wordvane_wx INTERFACE)
add_library(wordvane::wx ALIAS wordvane_wx)
target_include_directories(wordvane_wx SYSTEM INTERFACE ${wxWidgets_INCLUDE_DIRS})
target_compile_definitions(wordvane_wx INTERFACE ${wxWidgets_DEFINITIONS}
  $<$<CONFIG:Debug>:${wxWidgets_DEFINITIONS_DEBUG}>)
separate_arguments(wordvane_wx_flags UNIX_COMMAND "${wxWidgets_CXX_FLAGS}")
target_compile_options(wordvane_wx INTERFACE ${wordvane_wx_flags})
target_link_libraries(wordvane_wx INTERFACE ${wxWidgets_LIBRARIES})
