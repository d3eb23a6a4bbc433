# folivex_add_program_tests(TARGET TIMEOUT seconds [DOCUMENTS | FIXTURE name]
#                           [LABEL label] SOURCES files... [LIBRARIES libraries...]
#                           [DEFINITIONS name=value...] [DEPENDS targets...]
#                           [SERIAL pattern])
#
# A GoogleTest suite that runs the built folivex program: TARGET is built
# from SOURCES after folivex (and DEPENDS), linked with LIBRARIES and the
# test support, and compiled with FOLIVEX_EXECUTABLE (the program's path) and
# DEFINITIONS. Each of its tests runs on the offscreen platform with the
# tests' LibreOffice profile folder, within TIMEOUT seconds, under LABEL.
# DOCUMENTS: the tests read the test documents, so they are told their
# folder (FOLIVEX_FIXTURE_DIR) and require the fixture that makes them;
# FIXTURE names another fixture they require instead. SERIAL: the tests
# matching the GoogleTest filter pattern run with no other test beside them.
function(folivex_add_program_tests target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "DOCUMENTS" "TIMEOUT;FIXTURE;LABEL;SERIAL" "SOURCES;LIBRARIES;DEFINITIONS;DEPENDS")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "folivex_add_program_tests(${target}): unknown arguments ${arg_UNPARSED_ARGUMENTS}")
  elseif(NOT arg_TIMEOUT)
    message(FATAL_ERROR "folivex_add_program_tests(${target}): no TIMEOUT")
  elseif(arg_DOCUMENTS AND arg_FIXTURE)
    message(FATAL_ERROR "folivex_add_program_tests(${target}): DOCUMENTS and FIXTURE exclude each other")
  endif()

  set(definitions FOLIVEX_EXECUTABLE="$<TARGET_FILE:folivex>" ${arg_DEFINITIONS})
  set(properties TIMEOUT ${arg_TIMEOUT})
  if(arg_DOCUMENTS)
    list(APPEND definitions FOLIVEX_FIXTURE_DIR="${FOLIVEX_FIXTURE_DIR}")
    list(APPEND properties FIXTURES_REQUIRED documents)
  elseif(arg_FIXTURE)
    list(APPEND properties FIXTURES_REQUIRED ${arg_FIXTURE})
  endif()
  if(arg_LABEL)
    list(APPEND properties LABELS ${arg_LABEL})
  endif()

  add_executable(${target} ${arg_SOURCES})
  target_link_libraries(${target} PRIVATE ${arg_LIBRARIES} folivex_testsupport folivex_guitestmain)
  target_compile_definitions(${target} PRIVATE ${definitions})
  add_dependencies(${target} folivex ${arg_DEPENDS})
  set(environment "QT_QPA_PLATFORM=offscreen;FOLIVEX_PROFILE_DIR=${CMAKE_BINARY_DIR}/test-profiles")
  if(arg_SERIAL)
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 30 TEST_FILTER "-${arg_SERIAL}" PROPERTIES ${properties}
      ENVIRONMENT "${environment}")
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 30 TEST_FILTER "${arg_SERIAL}" PROPERTIES ${properties}
      RUN_SERIAL TRUE ENVIRONMENT "${environment}")
  else()
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 30 PROPERTIES ${properties} ENVIRONMENT "${environment}")
  endif()
endfunction()
