// A scripted host for the sanity suites: a recording journal, an NLS service and locales.
//
// The locale's integer operations answer from a script the test sets and record what
// they were given, so a test decides which checks fail and reads the exact lines.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <string>
#include <vector>

#include "host/message_format.h"
#include "zq/host_objects.h"

namespace zq::testing {

struct SanityJournalLine {
  std::int64_t level = 0;
  std::u32string format;  // over its stated length
  std::int64_t format_length = 0;
  std::u32string text;  // with the arguments filled in
};

// A Journal that keeps every line and counts flushes. Statuses render as "S" and
// eight hexadecimal digits, so tests know the text.
struct SanityJournal {
  Journal abi{};
  std::vector<SanityJournalLine> lines;
  int flushes = 0;
  std::size_t lines_at_first_flush = 0;

  SanityJournal();
  Journal* handle() { return &abi; }
  std::vector<std::u32string> texts() const {
    std::vector<std::u32string> out;
    for (const SanityJournalLine& line : lines) out.push_back(line.text);
    return out;
  }
  bool hasText(const std::u32string& text) const {
    for (const SanityJournalLine& line : lines) {
      if (line.text == text) return true;
    }
    return false;
  }
};

inline std::u32string sanityStatusText(std::int64_t status) {
  static const char* digits = "0123456789ABCDEF";
  std::u32string s = U"S";
  const auto bits = static_cast<std::uint32_t>(status);
  for (int shift = 28; shift >= 0; shift -= 4) {
    s += static_cast<char32_t>(digits[(bits >> shift) & 0xF]);
  }
  return s;
}

inline SanityJournal* sanityJournalOf(Journal* j) {
  return static_cast<SanityJournal*>(j->reserved0[0]);
}

inline SanityJournal::SanityJournal() {
  abi.reserved0[0] = this;
  abi.FlushJournal = [](Journal* j) -> std::int64_t {
    SanityJournal* self = sanityJournalOf(j);
    if (self->flushes++ == 0) self->lines_at_first_flush = self->lines.size();
    return 0;
  };
  abi.MessageToJnl = [](Journal* j, std::int64_t level, const ZQChar* format,
                        std::int64_t length, std::va_list* args) -> std::int64_t {
    SanityJournalLine line;
    line.level = level;
    for (std::int64_t i = 0; i < length; ++i) line.format += static_cast<char32_t>(format[i]);
    line.format_length = length;
    line.text = host::formatMessage(format, length, args);
    sanityJournalOf(j)->lines.push_back(line);
    return 0;
  };
  abi.StatusToBuf = [](Journal*, std::int64_t status, ZQChar* buffer, std::int64_t capacity,
                       std::int64_t* out_length, std::va_list*) -> std::int64_t {
    const std::u32string text = sanityStatusText(status);
    std::int64_t n = 0;
    for (; n < capacity && n < static_cast<std::int64_t>(text.size()); ++n) {
      buffer[n] = static_cast<ZQChar>(text[static_cast<std::size_t>(n)]);
    }
    *out_length = n;
    return 0;
  };
}

// One call of a locale operation, as the locale received it.
struct SanityCall {
  std::u32string operation;  // "IntfastFormat", "BufferToUintmax", ...
  std::u32string locale;
  std::uint64_t value = 0;  // formatters: the value (or pointer) as a 64-bit word
  std::int32_t width = 0;
  std::int32_t precision = 0;
  std::int32_t options = 0;
  std::int64_t capacity = 0;  // formatters
  std::u32string text;        // parsers: the units they were given
  std::int64_t length = 0;    // parsers: the length they were given
};

// What the formatters answer: `text` written up to the capacity, `reported_length` as
// the converted length (the text's length when negative). With `fill` set they
// write 'x' into every unit of the capacity instead.
struct SanityFormatScript {
  Status status = ZQ_OK;
  std::u32string text;
  std::int64_t reported_length = -1;
  bool fill = false;
};

// What the parsers answer, whatever they are given; the value is cut to the
// operation's result type.
struct SanityParseScript {
  Status status = ZQ_OK;
  std::uint64_t value = 0;
  std::int64_t consumed = 0;
};

struct SanityHost;

struct SanityLocale {
  LocaleHandle abi{};
  SanityHost* host = nullptr;
  std::u32string name;
};

struct SanityHost {
  KernelHandle kernel{};
  NlsHandle nls{};

  // The n-th locale creation fails (1-based, 0 = never); with fail_all, every one.
  int fail_locale_at = 0;
  bool fail_all_locales = false;
  Status destroy_status = ZQ_OK;
  SanityFormatScript format;
  SanityParseScript parse;

  int locales_created = 0;
  int locales_live = 0;
  int destroys = 0;
  std::vector<std::u32string> locale_names;  // every creation asked for, in order
  std::vector<SanityCall> calls;

  SanityHost();
  SanityHost(const SanityHost&) = delete;
  SanityHost& operator=(const SanityHost&) = delete;
  KernelHandle* handle() { return &kernel; }

  std::vector<SanityCall> callsOf(const std::u32string& operation) const {
    std::vector<SanityCall> out;
    for (const SanityCall& c : calls) {
      if (c.operation == operation) out.push_back(c);
    }
    return out;
  }
};

inline SanityHost* sanityHostOf(NlsHandle* n) { return static_cast<SanityHost*>(n->reserved0[0]); }
inline SanityLocale* sanityLocaleOf(LocaleHandle* l) {
  return static_cast<SanityLocale*>(l->reserved0[0]);
}

inline std::u32string sanityUnits(const ZQChar* p, std::int64_t n) {
  std::u32string s;
  for (std::int64_t i = 0; p != nullptr && i < n; ++i) s += static_cast<char32_t>(p[i]);
  return s;
}

template <class Value>
Status sanityFormat(LocaleHandle* l, const char32_t* operation, Value value, std::int32_t width,
                    std::int32_t precision, std::int32_t options, ZQChar* buffer,
                    std::int64_t capacity, std::int64_t* length) {
  SanityLocale* locale = sanityLocaleOf(l);
  SanityHost* host = locale->host;
  host->calls.push_back({operation, locale->name, static_cast<std::uint64_t>(value), width,
                         precision, options, capacity, U"", 0});
  const SanityFormatScript& script = host->format;
  if (script.fill) {
    for (std::int64_t i = 0; i < capacity; ++i) buffer[i] = 'x';
  } else {
    const auto n = static_cast<std::int64_t>(script.text.size());
    for (std::int64_t i = 0; i < capacity && i < n; ++i) {
      buffer[i] = static_cast<ZQChar>(script.text[static_cast<std::size_t>(i)]);
    }
  }
  *length = script.reported_length >= 0 ? script.reported_length
                                         : static_cast<std::int64_t>(script.text.size());
  return script.status;
}

template <class Value>
Status sanityParse(LocaleHandle* l, const char32_t* operation, const ZQChar* text,
                   std::int64_t length, std::int32_t options, Value* value,
                   std::int64_t* consumed) {
  SanityLocale* locale = sanityLocaleOf(l);
  SanityHost* host = locale->host;
  host->calls.push_back(
      {operation, locale->name, 0, 0, 0, options, 0, sanityUnits(text, length), length});
  *value = static_cast<Value>(host->parse.value);
  *consumed = host->parse.consumed;
  return host->parse.status;
}

inline SanityHost::SanityHost() {
  nls.reserved0[0] = this;
  nls.kernel = &kernel;
  kernel.nls = &nls;
  nls.zqnlsLocaleCreate = [](NlsHandle* n, const ZQChar* name,
                             std::int64_t length) -> LocaleHandle* {
    SanityHost* host = sanityHostOf(n);
    host->locale_names.push_back(sanityUnits(name, length));
    ++host->locales_created;
    if (host->fail_all_locales || host->locales_created == host->fail_locale_at) return nullptr;
    auto* locale = new SanityLocale;
    locale->host = host;
    locale->name = sanityUnits(name, length);
    LocaleHandle& t = locale->abi;
    t.reserved0[0] = locale;
    t.zqnlsLocaleDestroy = [](LocaleHandle* l) -> Status {
      SanityLocale* self = sanityLocaleOf(l);
      SanityHost* owner = self->host;
      --owner->locales_live;
      ++owner->destroys;
      delete self;
      return owner->destroy_status;
    };
    t.zqnlsLocaleIntfastFormat = [](LocaleHandle* l, std::int32_t v, std::int32_t w,
                                    std::int32_t p, std::int32_t o, ZQChar* b, std::int64_t c,
                                    std::int64_t* n) {
      return sanityFormat(l, U"IntfastFormat", v, w, p, o, b, c, n);
    };
    t.zqnlsLocaleIntmaxFormat = [](LocaleHandle* l, std::int64_t v, std::int32_t w,
                                   std::int32_t p, std::int32_t o, ZQChar* b, std::int64_t c,
                                   std::int64_t* n) {
      return sanityFormat(l, U"IntmaxFormat", v, w, p, o, b, c, n);
    };
    t.zqnlsLocaleUintfastFormat = [](LocaleHandle* l, std::uint32_t v, std::int32_t w,
                                     std::int32_t p, std::int32_t o, ZQChar* b, std::int64_t c,
                                     std::int64_t* n) {
      return sanityFormat(l, U"UintfastFormat", v, w, p, o, b, c, n);
    };
    t.zqnlsLocaleUintmaxFormat = [](LocaleHandle* l, std::uint64_t v, std::int32_t w,
                                    std::int32_t p, std::int32_t o, ZQChar* b, std::int64_t c,
                                    std::int64_t* n) {
      return sanityFormat(l, U"UintmaxFormat", v, w, p, o, b, c, n);
    };
    t.zqnlsLocalePointerFormat = [](LocaleHandle* l, std::uint64_t v, std::int32_t w,
                                    std::int32_t o, ZQChar* b, std::int64_t c, std::int64_t* n) {
      return sanityFormat(l, U"PointerFormat", v, w, 0, o, b, c, n);
    };
    t.zqnlsLocaleBufferToIntfast = [](LocaleHandle* l, const ZQChar* s, std::int64_t n,
                                      std::int32_t o, std::int32_t* v, std::int64_t* u) {
      return sanityParse(l, U"BufferToIntfast", s, n, o, v, u);
    };
    t.zqnlsLocaleBufferToIntmax = [](LocaleHandle* l, const ZQChar* s, std::int64_t n,
                                     std::int32_t o, std::int64_t* v, std::int64_t* u) {
      return sanityParse(l, U"BufferToIntmax", s, n, o, v, u);
    };
    t.zqnlsLocaleBufferToUintfast = [](LocaleHandle* l, const ZQChar* s, std::int64_t n,
                                       std::int32_t o, std::uint32_t* v, std::int64_t* u) {
      return sanityParse(l, U"BufferToUintfast", s, n, o, v, u);
    };
    t.zqnlsLocaleBufferToUintmax = [](LocaleHandle* l, const ZQChar* s, std::int64_t n,
                                      std::int32_t o, std::uint64_t* v, std::int64_t* u) {
      return sanityParse(l, U"BufferToUintmax", s, n, o, v, u);
    };
    t.zqnlsLocaleBufferToInt = [](LocaleHandle* l, const ZQChar* s, std::int64_t n,
                                  std::int32_t o, std::int32_t* v, std::int64_t* u) {
      return sanityParse(l, U"BufferToInt", s, n, o, v, u);
    };
    t.zqnlsLocaleBufferToUInt = [](LocaleHandle* l, const ZQChar* s, std::int64_t n,
                                   std::int32_t o, std::uint32_t* v, std::int64_t* u) {
      return sanityParse(l, U"BufferToUInt", s, n, o, v, u);
    };
    t.zqnlsLocaleBufferToLong = [](LocaleHandle* l, const ZQChar* s, std::int64_t n,
                                   std::int32_t o, std::int64_t* v, std::int64_t* u) {
      return sanityParse(l, U"BufferToLong", s, n, o, v, u);
    };
    t.zqnlsLocaleBufferToULong = [](LocaleHandle* l, const ZQChar* s, std::int64_t n,
                                    std::int32_t o, std::uint64_t* v, std::int64_t* u) {
      return sanityParse(l, U"BufferToULong", s, n, o, v, u);
    };
    ++host->locales_live;
    return &locale->abi;
  };
}

}  // namespace zq::testing
