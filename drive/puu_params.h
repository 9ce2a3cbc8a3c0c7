#pragma once
// The axis scaling ("PUU") fields and the point count register: the checks
// made on the four field texts before anything is sent, and the one-attempt
// reads and writes of 0x1B00..0x1B04 and 0x1B08. The panel shows the
// messages and moves the focus; ecamctl prints them. Texts are UTF-8.
//
// Plain functions without state; callable from any thread that owns the
// ICamFieldIo it passes.
#include "cam/c_number.h"
#include "drive/cam_field_io.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace puu {

// The fields in the order every check visits them (slave first, pulses
// before units); callers map them to their own controls or option names.
enum Field { kSlavePulse = 0, kSlaveUnit = 1, kMasterPulse = 2, kMasterUnit = 3 };
using Texts = std::array<std::string, 4>;   // indexed by Field

struct Values {
    int32_t slavePulse = 0;
    int32_t slaveUnit = 0;
    int32_t masterPulse = 0;
    int32_t masterUnit = 0;
};

struct Problem {
    int field = -1;                  // Field to focus, -1 when all is well
    const char* message = nullptr;   // the user's message
    bool selectAll = false;          // select the field's whole text
    explicit operator bool() const { return field >= 0; }
};

// Like a 32-bit C strtol in base 10: blanks, sign, digits up to the first
// other character; 0 without digits; saturated on overflow. Never throws.
inline int32_t ParseInt(std::string_view text) { return ecam::LeadingInt32(text); }

// Empty fields first ("请输入单位转换的换算比!"), then zero values
// ("数据输入有误!"), each reporting the first offending field.
Problem CheckInput(const Texts& texts);
// Range of each field in check order, after CheckInput passed. Fills *out.
Problem CheckRanges(const Texts& texts, Values* out);

// One attempt each: 0x1B00, 0x1B01, 0x1B03, 0x1B04; stops at the first
// failure (the ones before stay written).
bool WriteValues(ICamFieldIo& io, const Values& v);
// One checked read of 0x1B00..0x1B05; v is complete only on success.
bool ReadValues(ICamFieldIo& io, Values& v);

bool WritePointCount(ICamFieldIo& io, int count);
// Up to `attempts` checked reads of 0x1B08 (a read that met a stale or lost
// answer is tried again).
bool ReadPointCount(ICamFieldIo& io, int& count, int attempts = 1);

} // namespace puu
