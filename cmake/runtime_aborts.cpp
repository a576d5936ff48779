// The C++ runtime's failure paths in the three programs. They never catch an exception, so an
// allocation or length failure ends the process at once, as an uncaught exception would; defined
// here, the runtime's exception machinery (and its demangler and thread support) stays out of
// the programs.
#include <cstdlib>
#include <new>

namespace std {

void __throw_bad_alloc() {
    abort();
}
void __throw_bad_array_new_length() {
    abort();
}
void __throw_bad_cast() {
    abort();
}
void __throw_bad_exception() {
    abort();
}
void __throw_bad_function_call() {
    abort();
}
void __throw_bad_typeid() {
    abort();
}
void __throw_domain_error(const char*) {
    abort();
}
void __throw_invalid_argument(const char*) {
    abort();
}
void __throw_length_error(const char*) {
    abort();
}
void __throw_logic_error(const char*) {
    abort();
}
void __throw_out_of_range(const char*) {
    abort();
}
void __throw_out_of_range_fmt(const char*, ...) {
    abort();
}
void __throw_overflow_error(const char*) {
    abort();
}
void __throw_range_error(const char*) {
    abort();
}
void __throw_runtime_error(const char*) {
    abort();
}
void __throw_underflow_error(const char*) {
    abort();
}
void __glibcxx_assert_fail(const char*, int, const char*, const char*) noexcept {
    abort();
}

} // namespace std

void* operator new(std::size_t size) {
    void* block = std::malloc(size != 0 ? size : 1);
    if (block == nullptr)
        std::abort();
    return block;
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}
