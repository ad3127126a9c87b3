# Build for the phone: the Windows Mobile 6 Standard SDK (the soft-key
# smartphone edition, Windows CE 5.2) with the ARM compilers of Visual Studio
# 2008, through the "Visual Studio 9 2008" generator; README.md has the steps.
# CMake makes _WIN32_WCE 0x502 of the version.
set(CMAKE_SYSTEM_NAME WindowsCE)
set(CMAKE_SYSTEM_VERSION 5.02)
set(CMAKE_SYSTEM_PROCESSOR ARMV4I)
