// String managers: encoding names, doubles written to and read from 8-bit text.
#include <string>

#include "nls_support.h"

namespace zq::testing {
namespace {

constexpr std::uint32_t kGroupedFixed = LOCALE_NFMT_DECIMAL | LOCALE_NFMT_GROUP;

class StringManagerTest : public NlsTest {
 protected:
  StringManager* manager(std::int32_t encoding) {
    StringManager* m = nullptr;
    EXPECT_EQ(nls()->zqnlsSMCreate(nls(), encoding, 0, &m), ZQ_OK) << encoding;
    return m;
  }
  void TearDown() override {
    for (StringManager* m : managers_) EXPECT_EQ(m->zqnlsSMDestroy(m), ZQ_OK);
    NlsTest::TearDown();
  }
  // 1234.5 in fr_FR, grouped with two decimals, into `capacity` bytes of a buffer
  // whose bytes past the capacity must stay untouched.
  std::pair<Status, std::string> write(std::int32_t encoding, std::int64_t capacity,
                                       std::int64_t* length) {
    StringManager* m = managers_.emplace_back(manager(encoding));
    std::string buffer(32, '#');
    const Status status = m->zqnlsStringFromDouble(m, locale(U"fr_FR"), 0, 2, kGroupedFixed,
                                                   buffer.data(), capacity, length, 1234.5);
    EXPECT_EQ(buffer.find_first_not_of('#', static_cast<std::size_t>(capacity)), std::string::npos);
    return {status, buffer.substr(0, static_cast<std::size_t>(capacity))};
  }
  std::vector<StringManager*> managers_;
};

// Each encoding's name is in the golden listings of the perf suite, which prints it for
// every number it uses; here a number the host does not know.
TEST_F(StringManagerTest, UnknownEncodingNumbersAreRefused) {
  EncodingProperties properties{};
  EXPECT_EQ(nls()->zqnlsGetEncodingProperties(nls(), 21, &properties), ZQ_NLS_INVALID_VALUE);
  EXPECT_EQ(properties.name, nullptr);
  StringManager* m = reinterpret_cast<StringManager*>(&properties);
  EXPECT_EQ(nls()->zqnlsSMCreate(nls(), 21, 0, &m), ZQ_NLS_INVALID_VALUE);
  EXPECT_EQ(m, nullptr);
}

TEST_F(StringManagerTest, WritesTheFormattedTextInTheEncodingWithinTheCapacity) {
  // "1 234,50" with U+00A0: two bytes in UTF-8, one in the Latin sets and windows-1256,
  // none in Shift_JIS. The capacity counts bytes: 8 units need 9 UTF-8 bytes.
  struct Row {
    std::int32_t encoding;
    std::int64_t capacity;
    Status status;
    std::int64_t length;
    std::string bytes;
  } rows[] = {
      {20, 12, ZQ_OK, 9, "1\xC2\xA0" "234,50"},
      {28, 8, ZQ_OK, 8, "1\xA0" "234,50"},
      {34, 8, ZQ_OK, 8, "1\xA0" "234,50"},
      {20, 8, ZQ_NLS_FMT_TRUNCATE, 9, "********"},
      {60, 5, ZQ_NLS_FMT_TRUNCATE, 8, "*****"},
      {138, 20, ZQ_NLS_INVALID_VALUE, 0, ""},
  };
  for (Row& row : rows) {
    std::int64_t length = -1;
    const auto [status, bytes] = write(row.encoding, row.capacity, &length);
    EXPECT_EQ(status, row.status) << row.encoding << " " << row.capacity;
    EXPECT_EQ(length, row.length) << row.encoding << " " << row.capacity;
    EXPECT_EQ(bytes.substr(0, row.bytes.size()), row.bytes) << row.encoding;
  }
}

TEST_F(StringManagerTest, ReadsTextInTheEncodingCountingBytes) {
  struct Row {
    std::int32_t encoding;
    std::string text;
    Status status;
    double value;
    std::int64_t used;
  } rows[] = {
      {20, "1\xC2\xA0" "234,5", ZQ_OK, 1234.5, 8},
      {28, "-12\xA0" "345 ", ZQ_OK, -12345, 7},
      {60, "-12\xA0" "345,5", ZQ_OK, -12345.5, 9},  // read in place: a byte a character
      {20, "1\xC2\xA0" "2x", ZQ_NLS_BAD_NUM, 0, 4},  // the unit at 3 is byte 4
      {20, "7\xFF", ZQ_NLS_BAD_NUM, 0, 1},           // no character starts at 0xFF
      {138, "908123", ZQ_OK, 908123, 6},
  };
  for (const Row& row : rows) {
    StringManager* m = managers_.emplace_back(manager(row.encoding));
    double value = 0;
    std::int64_t used = -1;
    EXPECT_EQ(m->zqnlsStringToDouble(m, locale(U"fr_FR"), row.text.data(),
                                     static_cast<std::int64_t>(row.text.size()), 0, &value, &used),
              row.status)
        << row.text;
    if (row.status == ZQ_OK) {
      EXPECT_EQ(value, row.value) << row.text;
    }
    EXPECT_EQ(used, row.used) << row.text;
  }
}

// A manager left alive is freed and counted by the host's end. (The fault walk and
// the golden perf.faults scenario fail its create, destroy and encoding calls.)
TEST_F(StringManagerTest, LeftoverManagersAreCountedAtTheEnd) {
  StringManager* m = nullptr;
  auto* other = static_cast<KernelHandle*>(zqhostCreate());
  other->nls->zqnlsSMCreate(other->nls, 125, 0, &m);
  EXPECT_EQ(zqhostDestroy(other), 1);
}

}  // namespace
}  // namespace zq::testing
