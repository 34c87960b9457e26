// The QTR6.DAT reader on bytes shaped like QTR6.DAT.

#include "fuzz_dat_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return dv::fuzz::readDatFile(data, size, dv::readQtr6, dv::writeQtr6);
}
