# Each layer of the program is a folder and a build target. A target sees a layer's headers only
# through that layer's include root: a folder in the build tree holding one link named after the
# layer ("runtime", "game", ...), so code includes "runtime/number.hpp" and the like. The root is a
# PUBLIC include folder of the layer's own targets and reaches only the targets that link them:
# a lower layer that includes a higher one does not find the header and fails to build.
function(tenmoru_layer_root layer out)
  set(root ${CMAKE_BINARY_DIR}/layers/${layer})
  if(NOT EXISTS ${root}/${layer})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${layer} ${root}/${layer} SYMBOLIC)
  endif()
  set(${out} ${root} PARENT_SCOPE)
endfunction()

# Makes target part of layer: it sees the layer's headers, and so does whatever links it.
function(tenmoru_layer target layer)
  tenmoru_layer_root(${layer} root)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# Options for the code that goes into Tenmoru.exe: small and self-contained, unused code and data
# dropped, no run-time type information (nothing asks an object's type; a COM object of several
# interfaces would otherwise bring in the runtime's support for casting among them); hardened (a canary on every stack frame that holds an array or takes an address, and the
# C library's checked copies where the size is known); and only the functions of Windows 7
# declared, so that a call of a newer one fails to build (newer ones are looked up at run time, in
# runtime/win32/newer_functions.cpp). Test programs keep the defaults.
set(tenmoru_size_options -Os -ffunction-sections -fdata-sections -fno-threadsafe-statics -fno-exceptions -fno-rtti
    -fno-asynchronous-unwind-tables)
set(tenmoru_hardening_options -fstack-protector-strong)
function(tenmoru_product target)
  if(WIN32)
    target_compile_definitions(${target} PRIVATE _WIN32_WINNT=0x0601 WINVER=0x0601
                               $<$<CONFIG:Release,MinSizeRel>:_FORTIFY_SOURCE=2>)
    target_compile_options(${target} PRIVATE
                           $<$<CONFIG:Release,MinSizeRel>:${tenmoru_size_options} ${tenmoru_hardening_options}>)
    # Whatever links the code (the program, the tests) links the canary's support code too.
    target_link_options(${target} INTERFACE $<$<CONFIG:Release,MinSizeRel>:${tenmoru_hardening_options}>)
  endif()
endfunction()
