// Text conversions on arbitrary bytes and codes: code page 932 both ways, name codes,
// full-width conversion, fixed fields and the name check.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "core/data/names.h"
#include "core/data/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string utf8 = dv::Cp932ToUtf8(bytes);
    (void)dv::Utf8ToCp932(utf8);
    (void)dv::Utf8ToCp932(bytes);
    (void)dv::ToWide(bytes);
    (void)dv::FieldRight(bytes, 20);
    (void)dv::checkName(bytes);

    std::vector<std::int16_t> codes(51, 0);
    std::memcpy(codes.data() + 1, data, std::min(size, std::size_t{100}) & ~std::size_t{1});
    const std::string name = dv::DecodeNameCodes(codes);
    std::vector<std::int16_t> again(51, 0);
    dv::EncodeNameCodesFitting(name, again);
    return 0;
}
