#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>

// One fuzz target per input surface. Built with VARDEX_LIBFUZZER (clang,
// -fsanitize=fuzzer) a target is the program's LLVMFuzzerTestOneInput; in
// the normal build every target registers itself with the replay program,
// which runs the target's corpus as an ordinary test.
namespace vardex::fuzz {
using Target = void (*)(const QByteArray &input);
bool registerTarget(const char *name, Target target);
} // namespace vardex::fuzz

#ifdef VARDEX_LIBFUZZER
#define VARDEX_FUZZ_TARGET(name)                                                                   \
    static void fuzz_##name(const QByteArray &input);                                              \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)                        \
    {                                                                                              \
        fuzz_##name(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));            \
        return 0;                                                                                  \
    }                                                                                              \
    static void fuzz_##name(const QByteArray &input)
#else
#define VARDEX_FUZZ_TARGET(name)                                                                   \
    static void fuzz_##name(const QByteArray &input);                                              \
    [[maybe_unused]] static const bool registered_##name =                                         \
        vardex::fuzz::registerTarget(#name, fuzz_##name);                                          \
    static void fuzz_##name(const QByteArray &input)
#endif
