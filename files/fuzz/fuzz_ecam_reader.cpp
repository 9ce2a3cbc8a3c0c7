// Any bytes as an .ecam file: decoding never fails or overreads, a decoded
// profile written and read again settles after one more round, and the cam
// made from it stays usable.
#include "files/ecam_file.h"
#include "files/fuzz/fuzz_check.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ecam::ECamProfile p = ecam::DecodeECamProfile(bytes);
    // An empty line still makes a (zero) row, so the bound is one row per line.
    const std::size_t lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
    FuzzCheck(p.points.size() <= lines, "more points than the file has lines");

    // Texts may change once (trimming, unmappable characters, six-decimal
    // numbers); after that a save/open round trip changes nothing.
    const std::string b1 = ecam::EncodeECamProfile(p);
    const std::string b2 = ecam::EncodeECamProfile(ecam::DecodeECamProfile(b1));
    const std::string b3 = ecam::EncodeECamProfile(ecam::DecodeECamProfile(b2));
    FuzzCheck(b2 == b3, "save/open round trip is not stable");

    if (p.points.size() <= 256) // keeps each run fast; the cam's cost grows with points
        FuzzCheckCamUsable(p.points, false);
    return 0;
}
