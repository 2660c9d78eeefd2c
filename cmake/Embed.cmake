# lanxi_embed(<prefix> NAME FILE [NAME FILE ...])
# Turns each FILE into a byte array reachable as lanxi::embedded::NAME (std::string_view)
# and puts the generated sources into <prefix>_SOURCES. Files are embedded byte for byte.
function(lanxi_embed prefix)
    set(sources)
    set(args ${ARGN})
    list(LENGTH args n)
    math(EXPR last "${n} - 1")
    foreach(i RANGE 0 ${last} 2)
        math(EXPR j "${i} + 1")
        list(GET args ${i} name)
        list(GET args ${j} file)
        set(out ${CMAKE_BINARY_DIR}/generated/embedded_${name}.cpp)
        add_custom_command(
            OUTPUT ${out}
            COMMAND ${CMAKE_COMMAND} -DNAME=${name} -DINPUT=${file} -DOUTPUT=${out}
                    -P ${CMAKE_SOURCE_DIR}/cmake/EmbedFile.cmake
            DEPENDS ${file} ${CMAKE_SOURCE_DIR}/cmake/EmbedFile.cmake
            COMMENT "Embedding ${file}"
            VERBATIM)
        list(APPEND sources ${out})
    endforeach()
    set(${prefix}_SOURCES ${sources} PARENT_SCOPE)
endfunction()
