// Date texts of any bytes, read back under formats chosen by the input: reading never fails
// but by EConvertError, and a text that reads back is a moment whose own text reads the same
// (for two-digit years, when the moment lies within their hundred years).

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fakes/FakePlatform.h"
#include "toolkit/DateTime.h"
#include "toolkit/Exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  static fakes::FakePlatform* platform = new fakes::FakePlatform;
  platform->calls.clear();
  platform->now.wYear = static_cast<WORD>(1990 + data[0] % 80);
  toolkit::FormatSettings settings;
  const std::uint8_t shape = data[1];
  settings.dateOrder = static_cast<toolkit::DateOrder>(shape % 3);
  settings.dateSeparator = (shape & 4) != 0 ? "." : "/";
  settings.fourDigitYear = (shape & 8) != 0;
  settings.twelveHour = (shape & 16) != 0;
  settings.designatorFirst = (shape & 32) != 0;
  settings.dayLeadingZero = settings.monthLeadingZero = (shape & 64) != 0;
  settings.hourLeadingZero = (shape & 128) != 0;
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
  try {
    const toolkit::TDateTime value = toolkit::StrToDateTime(text, settings);
    const int first = platform->now.wYear - 50;
    if (!settings.fourDigitYear && (value.year < first || value.year >= first + 100)) return 0;
    const std::string written = toolkit::DateTimeToStr(value, settings);
    if (toolkit::StrToDateTime(written, settings) != value) __builtin_trap();
  } catch (const toolkit::EConvertError&) {
  }
  return 0;
}
