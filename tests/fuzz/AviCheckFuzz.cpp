// libFuzzer target: the file check runs over any bytes, of any claimed file size, without
// reading past them, overflowing or dividing by zero (built with AddressSanitizer and
// UndefinedBehaviorSanitizer by scripts/fuzz-check).
#include "core/AviCheck.h"

#include "core/Refusal.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first eight bytes say how large the whole file is: the check must hold whether the
    // bytes are all of it, only its start, or more than it.
    uint64_t fileSize = size;
    if (size >= 8) {
        std::memcpy(&fileSize, data, 8);
        data += 8;
        size -= 8;
    }
    const AviCheck check =
        CheckAvi(data, size < AVI_CHECK_BYTES ? size : AVI_CHECK_BYTES, fileSize);
    const bool valid = check.refusal == REFUSAL_NONE ||
                       (check.refusal >= 0 && check.refusal < REFUSAL_REASON_COUNT);
    if (!valid || check.finding == nullptr ||
        (check.refusal == REFUSAL_NONE) != (check.finding[0] == '\0')) {
        std::abort();
    }
    return 0;
}
