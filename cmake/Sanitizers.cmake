# SFP_SANITIZE=ON builds everything with AddressSanitizer (and LeakSanitizer) and
# UndefinedBehaviorSanitizer; SFP_TSAN=ON with ThreadSanitizer.
option(SFP_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(SFP_TSAN "Build with ThreadSanitizer" OFF)

if(SFP_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
if(SFP_TSAN)
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
endif()
