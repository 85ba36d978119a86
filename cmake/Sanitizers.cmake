# BRISVALE_SANITIZE builds every target with AddressSanitizer (LeakSanitizer included) and
# UndefinedBehaviorSanitizer; undefined behaviour stops the program, so no report scrolls past unnoticed.
# tools/sanitize.sh configures and runs such a build.
option(BRISVALE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(BRISVALE_SANITIZE)
    set(BRISVALE_SANITIZER_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_compile_options(${BRISVALE_SANITIZER_FLAGS})
    add_link_options(${BRISVALE_SANITIZER_FLAGS})
endif()
