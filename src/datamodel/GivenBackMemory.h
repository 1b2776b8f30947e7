#pragma once
// Memory the loader has given back but the process still holds: a block kept for the next load,
// the room at the end of a record list's block. Under AddressSanitizer it is poisoned until it is
// taken again, so that a record left pointing into it is reported where it is read rather than
// showing another session's values. In other builds these do nothing.
#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
#define ORN_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORN_ADDRESS_SANITIZER 1
#endif
#endif

#ifdef ORN_ADDRESS_SANITIZER
#include <sanitizer/asan_interface.h>
#endif

inline void MarkGivenBack([[maybe_unused]] const void* bytes, [[maybe_unused]] std::size_t size)
{
#ifdef ORN_ADDRESS_SANITIZER
    ASAN_POISON_MEMORY_REGION(bytes, size);
#endif
}

inline void MarkTaken([[maybe_unused]] const void* bytes, [[maybe_unused]] std::size_t size)
{
#ifdef ORN_ADDRESS_SANITIZER
    ASAN_UNPOISON_MEMORY_REGION(bytes, size);
#endif
}

// Whether a read of the byte would be reported; always false without the sanitizer.
inline bool IsMarkedGivenBack([[maybe_unused]] const void* byte)
{
#ifdef ORN_ADDRESS_SANITIZER
    return __asan_address_is_poisoned(byte) != 0;
#else
    return false;
#endif
}
