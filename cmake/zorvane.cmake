# zv_library(<name> DIR <folder> [DEPS <targets...>])
# One static library per source folder: every .cpp directly inside the folder.
function(zv_library name)
  cmake_parse_arguments(ZV "" "DIR" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${ZV_DIR}/*.cpp)
  if(srcs)
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ZV_DEPS})
  else()
    # A folder whose modules are still headers only.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ZV_DEPS})
  endif()
endfunction()

# zv_test(<name> DIR <folder> DEPS <targets...>): one GoogleTest program per test folder.
function(zv_test name)
  cmake_parse_arguments(ZV "" "DIR" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${ZV_DIR}/*.cpp)
  add_executable(${name} ${srcs})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ZV_DEPS} zv_testsupport GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
