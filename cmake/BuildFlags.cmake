# What Debian builds its own packages with (dpkg-buildflags on Debian 12), for every
# target: the hardening flags, and file names in debug information, assertions and
# __FILE__ relative to the source tree, so that the same source built in two folders
# gives the same files (scripts/check-reproducible.sh).
#
# The source tree reads as ".", the build tree as "build": the last map given is tried
# first, and the build tree may lie inside the source tree.
add_compile_options(
    -ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
    -ffile-prefix-map=${CMAKE_BINARY_DIR}=build
    -Wdate-time
    -fstack-protector-strong
    -Wformat -Werror=format-security)
# The build tree's programs and libraries find each other relative to themselves
# ($ORIGIN): a folder in the run path would also change the build ID of everything linked
# against a library of ours, which stays when the installation strips the run path.
set(CMAKE_BUILD_RPATH_USE_ORIGIN ON)
# Fortification needs the optimiser; a Debug build (the sanitizers') has none.
add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
# Relocations read-only after start, and every symbol bound at load (lintian's
# hardening-no-bindnow).
add_link_options(-Wl,-z,relro -Wl,-z,now)
