# The outside tools and sources the build uses, found rather than assumed.

# Python 3 with the imaging library (python3-pil) that draws the program's pictures: the
# first python3 on PATH may be another installation without it (a version manager's shim).
function(tabrix_python_has_pil result candidate)
  execute_process(COMMAND ${candidate} -c "import PIL" RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
  if(NOT rc EQUAL 0)
    set(${result} FALSE PARENT_SCOPE)
  endif()
endfunction()
if(NOT Python3_EXECUTABLE)
  find_program(TABRIX_PYTHON_WITH_PIL NAMES python3 NAMES_PER_DIR VALIDATOR tabrix_python_has_pil)
  if(TABRIX_PYTHON_WITH_PIL)
    set(Python3_EXECUTABLE ${TABRIX_PYTHON_WITH_PIL})
  endif()
endif()
find_package(Python3 REQUIRED COMPONENTS Interpreter)

# GoogleTest is built from source with each compiler (MinGW has no packaged one): Debian's
# googletest package puts that source under <prefix>/src/googletest.
if(TABRIX_TESTS)
  set(gtest_candidates "")
  foreach(prefix ${CMAKE_SYSTEM_PREFIX_PATH})
    list(APPEND gtest_candidates ${prefix}/src/googletest)
  endforeach()
  find_path(TABRIX_GTEST_SOURCE_DIR NAMES googletest/include/gtest/gtest.h
    PATHS ${gtest_candidates} NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
    DOC "GoogleTest's source tree")
  if(NOT TABRIX_GTEST_SOURCE_DIR)
    message(FATAL_ERROR "No GoogleTest source found under ${gtest_candidates}: run scripts/setup.sh, "
                        "or set TABRIX_GTEST_SOURCE_DIR")
  endif()
endif()
