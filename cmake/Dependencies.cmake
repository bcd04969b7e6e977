# Outside libraries, all from Debian packages (scripts/setup.sh installs them).
find_package(PkgConfig REQUIRED)
pkg_check_modules(ICU REQUIRED IMPORTED_TARGET icu-uc icu-i18n)
pkg_check_modules(PCRE2 REQUIRED IMPORTED_TARGET libpcre2-16)
pkg_check_modules(CURL REQUIRED IMPORTED_TARGET libcurl)
pkg_check_modules(MPV IMPORTED_TARGET mpv)
find_package(Threads REQUIRED)
find_package(GTest REQUIRED)
find_package(Qt6 COMPONENTS Widgets Test)
# cpp-httplib: Debian ships it as a compiled library; its pkg-config flags must match the build.
pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
