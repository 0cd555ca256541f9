# velmora_embed_resources(TARGET LIST_FILE FUNCTION)
#
# Reads a resource script (lines "BITMAP 3 sky.bmp", "WAVE 101 voice.wav", "ICON 107 icon.png",
# "TEXT 1 table.tsv"; blank lines and
# lines starting with # are skipped; file names are relative to the script) and adds to TARGET
# an assembler file that embeds every listed file with .incbin, plus a C++ file defining
#   std::span<const velmora::platform::EmbeddedResource> velmora::resources::FUNCTION();
function(velmora_embed_resources target list_file function_name)
    get_filename_component(list_dir "${list_file}" DIRECTORY)
    file(STRINGS "${list_file}" lines)
    set(asm "    .section .rodata\n")
    set(externs "")
    set(entries "")
    set(deps "")
    set(index 0)
    foreach(line IN LISTS lines)
        string(STRIP "${line}" line)
        if(line STREQUAL "" OR line MATCHES "^#")
            continue()
        endif()
        if(NOT line MATCHES "^(BITMAP|WAVE|ICON|TEXT)[ \t]+([0-9]+)[ \t]+([^ \t]+)$")
            message(FATAL_ERROR "${list_file}: malformed resource line: ${line}")
        endif()
        set(kind "${CMAKE_MATCH_1}")
        set(number "${CMAKE_MATCH_2}")
        set(path "${list_dir}/${CMAKE_MATCH_3}")
        if(NOT EXISTS "${path}")
            message(FATAL_ERROR "${list_file}: missing resource file ${path}")
        endif()
        if(kind STREQUAL "BITMAP")
            set(type "Bitmap")
        elseif(kind STREQUAL "ICON")
            set(type "Icon")
        elseif(kind STREQUAL "TEXT")
            set(type "Text")
        else()
            set(type "Wave")
        endif()
        set(sym "velmora_${function_name}_${index}")
        string(APPEND asm "    .balign 16\n    .globl ${sym}_begin\n    .globl ${sym}_end\n"
                          "${sym}_begin:\n    .incbin \"${path}\"\n${sym}_end:\n")
        string(APPEND externs "extern const unsigned char ${sym}_begin[];\n"
                              "extern const unsigned char ${sym}_end[];\n")
        string(APPEND entries "    {ResourceType::${type}, ${number}, ${sym}_begin, ${sym}_end},\n")
        list(APPEND deps "${path}")
        math(EXPR index "${index} + 1")
    endforeach()
    string(APPEND asm "    .section .note.GNU-stack,\"\",@progbits\n")
    if(index EQUAL 0)
        set(table "return {};\n")
    else()
        string(CONCAT table "static const EmbeddedResource table[] = {\n${entries}    };\n"
                            "    return table;\n")
    endif()
    string(CONCAT cpp "// Generated from ${list_file}; do not edit.\n"
            "#include \"platform/EmbeddedResource.h\"\n\n"
            "extern \"C\" {\n${externs}}\n\n"
            "namespace velmora::resources {\n"
            "using platform::EmbeddedResource;\nusing platform::ResourceType;\n\n"
            "std::span<const EmbeddedResource> ${function_name}() {\n    ${table}}\n"
            "} // namespace velmora::resources\n")
    set(out_dir "${CMAKE_CURRENT_BINARY_DIR}/resources_${function_name}")
    file(MAKE_DIRECTORY "${out_dir}")
    file(CONFIGURE OUTPUT "${out_dir}/embedded.S" CONTENT "${asm}" @ONLY)
    file(CONFIGURE OUTPUT "${out_dir}/table.cpp" CONTENT "${cpp}" @ONLY)
    target_sources(${target} PRIVATE "${out_dir}/embedded.S" "${out_dir}/table.cpp")
    set_source_files_properties("${out_dir}/embedded.S" PROPERTIES OBJECT_DEPENDS "${deps}")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${list_file}")
endfunction()
