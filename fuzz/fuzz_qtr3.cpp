// The QTR3.DAT reader on bytes shaped like QTR3.DAT.

#include "fuzz_dat_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return dv::fuzz::readDatFile(data, size, dv::readQtr3, dv::writeQtr3);
}
