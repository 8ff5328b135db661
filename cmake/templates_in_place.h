// Included before every C++ source of the Windows builds (CMakeLists.txt).
//
// libstdc++ declares its instantiations of std::string and std::wstring
// "extern template": a program that calls one member links the library's
// object with every member, and on i686 the unwind tables of those objects
// keep every one of their functions in the executable, garbage collection or
// not (TESSERA.EXE is 50 KB larger with them). The value -1 of the switch
// turns those declarations off, and only those (the library's own setting for
// C++20 and for its checked mode): the compiler then instantiates the members
// the program uses, from the same templates, in the program's own objects.
// Streams and locales stay as the library has them.
//
// c++config.h sets the switch unconditionally; its include guard then keeps
// the value set here.
#pragma once

#include <bits/c++config.h>

#undef _GLIBCXX_EXTERN_TEMPLATE
#define _GLIBCXX_EXTERN_TEMPLATE -1
