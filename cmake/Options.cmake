# One interface target that every library, program and test links: language level,
# warnings and Qt's safety defines live here and nowhere else.
add_library(kl_options INTERFACE)
target_compile_features(kl_options INTERFACE cxx_std_20)
target_compile_options(kl_options INTERFACE -Wall -Wextra -Wpedantic)
# The test build fails on any warning; other builds (a distribution's newer compiler) do not.
if(KL_WERROR)
  target_compile_options(kl_options INTERFACE -Werror)
endif()
target_compile_definitions(kl_options INTERFACE
  QT_NO_KEYWORDS
  QT_NO_FOREACH
  QT_USE_QSTRINGBUILDER
  QT_DISABLE_DEPRECATED_BEFORE=0x060400
  QT_NO_CAST_FROM_ASCII
  QT_NO_CAST_TO_ASCII
  QT_NO_URL_CAST_FROM_STRING
  QT_NO_CONTEXTLESS_CONNECT)

if(KL_SANITIZE)
  target_compile_options(kl_options INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(kl_options INTERFACE -fsanitize=address,undefined)
endif()

# Adds a layer library from the .cpp/.h files of the calling folder.
function(kl_layer_library name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB _sources CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${name} STATIC ${_sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC kl_options ${ARG_LIBS})
  kl_precompile_layer(${name})
endfunction()
