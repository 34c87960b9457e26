// The INI reader of QTR.ini and the settings store on arbitrary text: reading, looking up,
// changing and writing back must never fail, and from the first write on, reading and
// writing again changes nothing.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/data/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    dv::IniFile ini = dv::IniFile::Parse(text);
    (void)ini.get("ＢＧＭ", "タイトル", "x");
    (void)ini.keys("画像");
    ini.set("ダンジョン", "描画", "1");
    ini.remove("Version", "Major");
    const std::string written = ini.text();
    const dv::IniFile back = dv::IniFile::Parse(written);
    if (back.get("ダンジョン", "描画") != "1") std::abort();
    const std::string again = back.text();
    if (dv::IniFile::Parse(again).text() != again) std::abort();
    return 0;
}
