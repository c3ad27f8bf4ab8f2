// Arbitrary bytes as an escape file and as a flash image: reading them never crashes,
// and an escape file that reads clean assembles into an image that opens.
#include <cstddef>
#include <cstdint>
#include <string>
#include <zlib.h>

#include "binmill/Assembler.h"
#include "common/FlashImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    lt::binmill::AssembleResult result = lt::binmill::assembleEscape(text, "FUZZ.ESC");
    std::string problem;
    lt::tools::FlashImage flash;
    if (result.ok && !flash.open(result.image, problem)) __builtin_trap();
    std::string image = text;
    image.resize(lt::tools::kImageSize, '\xff');
    // Give the bytes a valid header and CRC, so the directory and the code get read.
    image.replace(0, 5, "L77F\x01");
    for (int i = 16; i < 20; ++i) image[i] = 0;
    uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(image.data()), static_cast<uInt>(image.size()));
    for (int i = 0; i < 4; ++i) image[16 + i] = static_cast<char>((crc >> (8 * i)) & 0xFF);
    flash.open(image, problem);
    return 0;
}
