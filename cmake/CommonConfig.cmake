# One place for the warnings every target of the project is built with.
add_library(quorvel_warnings INTERFACE)
target_compile_options(quorvel_warnings INTERFACE -Wall -Wextra -Wpedantic)
if(QUORVEL_WERROR)
  target_compile_options(quorvel_warnings INTERFACE -Werror)
endif()
