# velmora_layer(NAME FOLDER [LIBS lib...])
#
# One layer of the system: a static library of the .cpp files in FOLDER. Its headers are reachable
# as "FOLDER/Header.h" only by targets that link it, directly or through the layers above: every
# layer gets an include directory of its own that holds nothing but a link to its folder. A
# header that includes a layer its library does not link therefore fails to compile, so the
# direction of the layers is checked by every build, not only by the linker.
function(velmora_layer name folder)
    cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "LIBS")
    file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
    add_library(${name} STATIC ${sources})
    set(staged ${CMAKE_BINARY_DIR}/layers/${folder})
    file(MAKE_DIRECTORY ${staged})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${staged}/${folder} SYMBOLIC)
    target_include_directories(${name} PUBLIC ${staged})
    target_link_libraries(${name} PUBLIC ${arg_LIBS})
endfunction()
