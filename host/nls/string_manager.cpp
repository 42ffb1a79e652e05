// String managers: the host's double formatter and parser over 8-bit text, with the
// text converted between ZQChar and the manager's encoding.
#include "host/nls/string_manager.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "host/nls/double_format.h"
#include "host/nls/double_parse.h"
#include "host/nls/encodings.h"
#include "host/nls/result_corruption.h"
#include "host/nls/service.h"

namespace zq::host {

struct StringManagerState {
  StringManager abi;  // word 0 points back here
  NlsService* service;
  EncodingConverter converter;
};

namespace {

// Texts up to this many units are converted on the stack.
constexpr std::int64_t kStackUnits = 256;

StringManagerState& stateOf(StringManager* manager) {
  return *ownerOf<StringManagerState>(manager);
}

Status stringManagerDestroy(StringManager* manager) {
  if (manager == nullptr) return ZQ_NLS_INVALID_VALUE;
  StringManagerState* state = &stateOf(manager);
  Kernel& kernel = *state->service->kernel;
  freeStringManager(state);
  // An injected failure still frees the manager: callers report it and move on.
  if (takeFault(kernel, ZQHOST_FAULT_SM_DESTROY)) return ZQ_NLS_INVALID_VALUE;
  return ZQ_OK;
}

Status stringFromDouble(StringManager* manager, LocaleHandle* locale, std::int32_t width,
                        std::int32_t precision, std::int32_t options, char* out,
                        std::int64_t capacity, std::int64_t* out_length, double value) {
  if (out_length != nullptr) *out_length = 0;
  if (manager == nullptr || locale == nullptr || !usableUnits(out, capacity)) {
    return ZQ_NLS_INVALID_VALUE;
  }
  if (std::min<std::int64_t>(width, capacity) > kMaxTextUnits) return ZQ_NLS_INVALID_VALUE;
  // Every character takes at least one byte, so a text that fits in `capacity` bytes
  // fits in as many units: the field is cut to the capacity as for ZQChar text.
  ZQChar units[kMaxTextUnits];
  const std::int64_t room = std::min(capacity, kMaxTextUnits);
  const auto format = [&](std::int64_t units_room) {
    // The decimal-conversion mode the locale's kernel is in now.
    return formatDouble(localeDataOf(locale).number, decimalModeOf(locale), value, width,
                        precision, static_cast<std::uint32_t>(options), 0, units, units_room);
  };
  const FormatResult result = format(room);
  const Status status = result.status;
  std::int64_t length = result.length;
  if (status == ZQ_NLS_FMT_TRUNCATE) {
    // Written as asterisks: write the whole text once more to count its bytes. Its
    // field was no longer than `room`, so it is not padded at its own length.
    if (length > kMaxTextUnits) return ZQ_NLS_INVALID_VALUE;
    length = format(length).length;
  }
  EncodingConverter& converter = stateOf(manager).converter;
  // `length` <= `room` <= `capacity`
  if (status != ZQ_NLS_FMT_TRUNCATE && converter.narrow(units, length, out)) {
    if (out_length != nullptr) *out_length = length;
    return status;
  }
  char bytes[kMaxTextUnits * EncodingConverter::kMaxBytesPerUnit];
  const std::int64_t byte_count = converter.encode(units, length, bytes);
  if (byte_count < 0) return ZQ_NLS_INVALID_VALUE;
  if (out_length != nullptr) *out_length = byte_count;
  if (status == ZQ_NLS_FMT_TRUNCATE || byte_count > capacity) {
    // The asterisk is the ASCII byte in every host encoding.
    std::memset(out, '*', static_cast<std::size_t>(capacity));
    return ZQ_NLS_FMT_TRUNCATE;
  }
  std::memcpy(out, bytes, static_cast<std::size_t>(byte_count));
  return status;
}

// Decodes and parses; `consumed` counts bytes.
ParsedDouble parseEncoded(EncodingConverter& converter, const NumberSymbols& symbols,
                          const char* text, std::int64_t length, std::uint32_t options) {
  ZQChar stack_units[kStackUnits];
  std::unique_ptr<ZQChar[]> heap_units;
  ZQChar* units = stack_units;
  if (length > kStackUnits) {
    heap_units = std::make_unique_for_overwrite<ZQChar[]>(static_cast<std::size_t>(length));
    units = heap_units.get();
  }
  const std::int64_t count = converter.decode(text, length, units);
  ParsedDouble parsed = parseDouble(symbols, units, count, options);
  parsed.consumed =
      parsed.consumed == count ? length : converter.bytesOf(text, length, parsed.consumed);
  return parsed;
}

Status stringToDouble(StringManager* manager, LocaleHandle* locale, const char* text,
                      std::int64_t length, std::int32_t options, double* value,
                      std::int64_t* used) {
  ParsedDouble parsed{ZQ_NLS_INVALID_VALUE, kMissingValue, 0};
  if (manager != nullptr && locale != nullptr && usableUnits(text, length)) {
    // A plain number is read from the bytes; any other text is decoded first.
    EncodingConverter& converter = stateOf(manager).converter;
    const NumberSymbols& symbols = localeDataOf(locale).number;
    const auto flags = static_cast<std::uint32_t>(options);
    if (!parsePlainBytes(symbols, reinterpret_cast<const unsigned char*>(text), length,
                         converter.byteCharacters(), flags, parsed)) {
      parsed = parseEncoded(converter, symbols, text, length, flags);
    }
  }
  if (value != nullptr) *value = parsed.value;
  if (used != nullptr) *used = parsed.consumed;
  return parsed.status;
}

}  // namespace

void installStringConversions(StringManager& table) {
  table.zqnlsStringFromDouble = stringFromDouble;
  table.zqnlsStringToDouble = stringToDouble;
}

Status stringManagerCreate(NlsHandle* nls, std::int32_t encoding, Word /*reserved*/,
                           StringManager** out) {
  if (out == nullptr) return ZQ_NLS_INVALID_VALUE;
  *out = nullptr;
  if (nls == nullptr) return ZQ_NLS_INVALID_VALUE;
  NlsService& service = serviceOf(nls);
  if (takeFault(*service.kernel, ZQHOST_FAULT_SM_CREATE)) return ZQ_NLS_INVALID_VALUE;
  const EncodingInfo* info = findEncoding(encoding);
  if (info == nullptr) return ZQ_NLS_INVALID_VALUE;
  auto* manager = new (std::nothrow) StringManagerState{};
  if (manager == nullptr) return ZQ_NLS_INVALID_VALUE;
  bindTable(manager);
  if (!manager->converter.open(*info)) {
    delete manager;
    return ZQ_NLS_INVALID_VALUE;
  }
  manager->service = &service;
  manager->abi.zqnlsSMDestroy = stringManagerDestroy;
  installStringConversions(manager->abi);
  if (service.kernel->corruption != ZQHOST_CORRUPT_NONE) installResultCorruption(manager->abi);
  service.string_managers.insert(manager);
  *out = &manager->abi;
  return ZQ_OK;
}

void freeStringManager(StringManagerState* manager) {
  manager->service->string_managers.erase(manager);
  delete manager;
}

}  // namespace zq::host
