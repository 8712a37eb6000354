# One place for the settings every Tarnhold target shares; targets link
# tarnhold_settings instead of repeating flags.
add_library(tarnhold_settings INTERFACE)

target_compile_features(tarnhold_settings INTERFACE cxx_std_20)
target_compile_options(tarnhold_settings INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(tarnhold_settings INTERFACE
    QT_USE_QSTRINGBUILDER
    QT_NO_URL_CAST_FROM_STRING
    TARNHOLD_VERSION="${PROJECT_VERSION}"
    $<$<CONFIG:Debug>:_GLIBCXX_ASSERTIONS>)

if(TARNHOLD_SANITIZE)
    target_compile_options(tarnhold_settings INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(tarnhold_settings INTERFACE -fsanitize=address,undefined)
endif()

# Coverage instrumentation lets libFuzzer steer its inputs through our code;
# the fuzz executables themselves link the fuzzer runtime. Clang 14 cannot
# compile coroutines with the function-type check of UBSan, so it is left out.
if(TARNHOLD_BUILD_FUZZERS)
    target_compile_options(tarnhold_settings INTERFACE
        -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize=function -fno-omit-frame-pointer
        -fno-sanitize-recover=undefined)
    target_link_options(tarnhold_settings INTERFACE -fsanitize=address,undefined)
endif()
