# One place for the warnings every target of the project is built with.
add_library(quorvel_warnings INTERFACE)
target_compile_options(quorvel_warnings INTERFACE -Wall -Wextra -Wpedantic)
if(QUORVEL_WERROR)
  target_compile_options(quorvel_warnings INTERFACE -Werror)
endif()

# A sanitizer build instruments everything, libraries and tests alike, so that a fault anywhere
# stops the test that reached it. Undefined behaviour aborts instead of only printing.
if(QUORVEL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
