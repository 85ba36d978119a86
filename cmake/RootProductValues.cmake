# The version record's values are set at the top of the root CMakeLists.txt and nowhere else. A build that is not
# that project (the Windows one) reads them from there: PROJECT_VERSION's value as BRISVALE_VERSION and every
# set(BRISVALE_... "...") line as written.
set(root_lists_file ${CMAKE_CURRENT_LIST_DIR}/../CMakeLists.txt)
file(READ ${root_lists_file} root_lists)
if(NOT root_lists MATCHES "project\\(Brisvale[ \t\r\n]+VERSION[ \t\r\n]+([0-9.]+)")
    message(FATAL_ERROR "No project(Brisvale VERSION ...) in ${root_lists_file}")
endif()
set(BRISVALE_VERSION ${CMAKE_MATCH_1})
string(REGEX MATCHALL "set\\(BRISVALE_[A-Z_]+ \"[^\"\n]*\"\\)" root_product_settings "${root_lists}")
foreach(setting IN LISTS root_product_settings)
    cmake_language(EVAL CODE "${setting}")
endforeach()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${root_lists_file})
