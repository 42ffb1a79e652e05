// The locale handle's double words: formats (words 39 and 70) and parsers (words 50
// and 91) over the double engines. The formats read the kernel's decimal-conversion
// mode word afresh on each call.
#include "host/kernel.h"
#include "host/nls/double_format.h"
#include "host/nls/double_parse.h"
#include "host/nls/service.h"

namespace zq::host {

DecimalMode decimalModeOf(LocaleHandle* handle) {
  const ConversionRecord* record = kernelOf(handle).abi.conversion;
  if (record == nullptr || record->options == nullptr) return DecimalMode::kStdIeee;
  return record->options->decimal_conversion_mode != DECIMALCONV_STDIEEE
             ? DecimalMode::kCompatible
             : DecimalMode::kStdIeee;
}

namespace {

bool isScalarValue(ZQChar unit) {
  return unit != 0 && unit <= 0x10FFFF && (unit < 0xD800 || unit > 0xDFFF);
}

Status doubleFormatWithExOpts(LocaleHandle* handle, double value, std::int32_t width,
                              std::int32_t precision, std::int32_t options, ZQChar* buffer,
                              std::int64_t capacity, std::int64_t* out_length,
                              const ExOpts* ex_opts) {
  if (handle == nullptr || !usableUnits(buffer, capacity)) return refuseFormat(out_length);
  // ExOpts bit 0: a missing value prints the record's character, which must be one.
  ZQChar missing_char = 0;
  if (ex_opts != nullptr && (ex_opts->flags & EXOPTS_PRINT_MISSING_CHAR) != 0) {
    if (!isScalarValue(ex_opts->missing_char)) {
      return deliverFormat({ZQ_NLS_FMT_INVALID_MISSCHAR, 0}, out_length);
    }
    missing_char = ex_opts->missing_char;
  }
  return deliverFormat(
      formatDouble(localeDataOf(handle).number, decimalModeOf(handle), value, width, precision,
                   static_cast<std::uint32_t>(options), missing_char, buffer, capacity),
      out_length);
}

// Word 91.
Status bufferToDoubleWithOptions(LocaleHandle* handle, const ZQChar* text, std::int64_t length,
                                 std::int32_t options, double* value, std::int64_t* consumed) {
  return parsedDoubleOf(handle, text, length, value, consumed, [&](const LocaleData& locale) {
    return parseDouble(locale.number, text, length, static_cast<std::uint32_t>(options));
  });
}

}  // namespace

void installDoubleOperations(LocaleHandle& table) {
  // Word 39 is word 70 without ExOpts, word 50 word 91 without options.
  table.zqnlsLocaleDoubleFormatWithExOpts = doubleFormatWithExOpts;
  table.zqnlsLocaleDoubleFormat = [](LocaleHandle* handle, double value, std::int32_t width,
                                     std::int32_t precision, std::int32_t options,
                                     ZQChar* buffer, std::int64_t capacity,
                                     std::int64_t* out_length) {
    return doubleFormatWithExOpts(handle, value, width, precision, options, buffer, capacity,
                                  out_length, nullptr);
  };
  table.zqnlsLocaleBufferToDoubleWithOpts = bufferToDoubleWithOptions;
  table.zqnlsLocaleBufferToDouble = [](LocaleHandle* handle, const ZQChar* text,
                                       std::int64_t length, double* value,
                                       std::int64_t* consumed) {
    return bufferToDoubleWithOptions(handle, text, length, 0, value, consumed);
  };
}

}  // namespace zq::host
