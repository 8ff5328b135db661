// The few pieces of the C++ run-time library that the executable defines
// itself, so that the linker leaves the library's own, and all they bring
// along, out of the program.
//
// The library's terminate handler prints the type of an uncaught exception,
// demangled, on the standard error stream, and that takes the demangler and a
// printf with floating point along (75 KB of TESSERA.EXE), for a stream that a
// program of the windows subsystem does not have. The program ends the same
// way without it: abort().
//
// The library's std::__throw_... functions, which its templates call to
// report a failure, build std::logic_error and std::runtime_error around a
// reference-counted string: they take a second string implementation, a
// snprintf and random_device along (85 KB of TESSERA.EXE). Here the allocation
// failures throw the library's own exceptions, and the other failures, which
// only a bug could cause (a position beyond a string's end, a length beyond
// max_size()), throw one small exception that carries the library's text.
// Nothing in the program catches these by type: every window and dialog
// procedure catches whatever is thrown at its edge (framework/wnd.cpp,
// framework/dialog.cpp), and that is unchanged.
//
// Should the library ever be linked in for a symbol defined here, the link
// fails on the duplicate definition instead of silently taking either.
#include <cstdlib>
#include <exception>
#include <new>
#include <typeinfo>

namespace {
class LibraryFailure : public std::exception {
public:
    // text is one of the library's literals.
    explicit LibraryFailure(const char* text) : m_text(text) {}
    const char* what() const noexcept override { return m_text; }

private:
    const char* m_text;
};

[[noreturn]] void Fail(const char* text)
{
    throw LibraryFailure(text);
}
}  // namespace

namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
}  // namespace __gnu_cxx

namespace std {
void __throw_bad_alloc()
{
    throw bad_alloc();
}
void __throw_bad_array_new_length()
{
    throw bad_array_new_length();
}
void __throw_bad_cast()
{
    throw bad_cast();
}
void __throw_bad_typeid()
{
    throw bad_typeid();
}
void __throw_bad_exception()
{
    throw bad_exception();
}
void __throw_logic_error(const char* text)
{
    Fail(text);
}
void __throw_domain_error(const char* text)
{
    Fail(text);
}
void __throw_invalid_argument(const char* text)
{
    Fail(text);
}
void __throw_length_error(const char* text)
{
    Fail(text);
}
void __throw_out_of_range(const char* text)
{
    Fail(text);
}
// The format's arguments are left out of the text.
void __throw_out_of_range_fmt(const char* format, ...)
{
    Fail(format);
}
void __throw_runtime_error(const char* text)
{
    Fail(text);
}
void __throw_range_error(const char* text)
{
    Fail(text);
}
void __throw_overflow_error(const char* text)
{
    Fail(text);
}
void __throw_underflow_error(const char* text)
{
    Fail(text);
}
}  // namespace std
