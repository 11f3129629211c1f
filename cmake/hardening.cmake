# SPDX-FileCopyrightText: 2026 Kelmar Games
# SPDX-License-Identifier: MIT

# The hardening Debian builds its packages with (dpkg-buildflags): a position-independent
# program, stack protection, checked string and memory functions, and relocations made read-only
# after loading (full RELRO, bind-now). Only for GCC and Clang on ELF systems; the checked
# functions need an optimised build, so only the optimised configurations have them.

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang" AND UNIX AND NOT APPLE)
    include(CheckPIESupported)
    check_pie_supported()
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
    add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security
        "$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
    add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()
