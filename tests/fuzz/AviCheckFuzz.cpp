// libFuzzer target: the file check runs over any bytes, of any claimed file size, without
// reading past them, overflowing or dividing by zero (built with AddressSanitizer and
// UndefinedBehaviorSanitizer by scripts/fuzz-check).
#include "core/AviCheck.h"

#include "core/Refusal.h"

#include <cstdlib>
#include <cstring>

namespace {

struct Bytes {
    const uint8_t* data;
    size_t size;
};

bool ReadBytes(void* context, uint64_t offset, uint8_t* out, size_t count) {
    const Bytes& bytes = *static_cast<const Bytes*>(context);
    if (offset > bytes.size || count > bytes.size - offset) {
        return false;
    }
    std::memcpy(out, bytes.data + offset, count);
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first eight bytes say how large the whole file is: the check must hold whether the
    // bytes are all of it, only its start, or more than it.
    uint64_t fileSize = size;
    if (size >= 8) {
        std::memcpy(&fileSize, data, 8);
        data += 8;
        size -= 8;
    }
    // Half of them are read at once, the rest as the walk asks for it.
    Bytes bytes = {data, size};
    const AviReader more = {ReadBytes, &bytes};
    const AviCheck check = CheckAvi(data, size / 2, fileSize, &more);
    const bool valid = check.refusal == REFUSAL_NONE ||
                       (check.refusal >= 0 && check.refusal < REFUSAL_REASON_COUNT);
    if (!valid || check.finding == nullptr ||
        (check.refusal == REFUSAL_NONE) != (check.finding[0] == '\0')) {
        std::abort();
    }
    return 0;
}
