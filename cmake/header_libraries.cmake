# nlohmann/json and CLI11, as the targets their packages name: nlohmann_json::nlohmann_json
# and CLI11::CLI11. Built for Windows, where the toolchain file gives VELUNE_HOST_HEADERS,
# they are the build machine's headers alone; elsewhere the installed packages.
if(VELUNE_HOST_HEADERS)
  foreach(library nlohmann_json::nlohmann_json CLI11::CLI11)
    add_library(${library} INTERFACE IMPORTED)
    target_include_directories(${library} INTERFACE ${VELUNE_HOST_HEADERS})
  endforeach()
else()
  find_package(nlohmann_json 3 REQUIRED)
  find_package(CLI11 REQUIRED)
endif()
