// Identifiers (from text and from the host's integers), interface identifiers in both
// platform layouts, and the reference-counted base of every object handed to the host.
#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>

#include "interface_id.h"
#include "unknown_interface.h"
#include "uuid_class.h"

namespace {

tq::uuid_class const plugin_words(0xd43b04ceu, 0x87134d82u, 0x8b7cc794u, 0x66f1bfd2u);

// A readable page followed by an inaccessible one: text placed at the very end of the
// first page makes any read past it fault.
class guarded_page {
public:
    guarded_page() : size(static_cast<std::size_t>(sysconf(_SC_PAGESIZE))) {
        void* p = mmap(nullptr, 2 * size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        base = p == MAP_FAILED ? nullptr : static_cast<char*>(p);
        if (base) mprotect(base + size, size, PROT_NONE);
    }
    ~guarded_page() {
        if (base) munmap(base, 2 * size);
    }
    // Copies count bytes so that the last one is the last readable byte.
    char const* place(char const* bytes, std::size_t count) {
        char* at = base + size - count;
        std::memcpy(at, bytes, count);
        return at;
    }
    char* base;

private:
    std::size_t size;
};

}  // namespace

TEST(UuidFromText, ReadsTheWordsFromTheGroupForm) {
    tq::uuid_class id("d43b04ce-8713-4d82-8b7c-c79466f1bfd2");
    EXPECT_EQ(id, plugin_words);
    // In memory: the native (little-endian) words, not the byte order of RFC 4122.
    unsigned char const expected[16] = {0xce, 0x04, 0x3b, 0xd4, 0x82, 0x4d, 0x13, 0x87,
                                        0x94, 0xc7, 0x7c, 0x8b, 0xd2, 0xbf, 0xf1, 0x66};
    EXPECT_EQ(std::memcmp(&id, expected, 16), 0);
}

TEST(UuidFromText, CaseAndSeparatorsDoNotMatter) {
    EXPECT_EQ(tq::uuid_class("D43B04CE-8713-4D82-8B7C-C79466F1BFD2"), plugin_words);
    EXPECT_EQ(tq::uuid_class("d43b04ce_8713 4d82x8b7c{c79466f1bfd2"), plugin_words);
    EXPECT_EQ(tq::uuid_class("d43b04ce-8713-4d82-8b7c-c79466f1bfd2 and more"), plugin_words);
}

TEST(UuidFromText, NonHexDigitsReadAsZero) {
    EXPECT_EQ(tq::uuid_class("g0000000-0000-0000-0000-000000000001"), tq::uuid_class(0, 0, 0, 1));
    EXPECT_EQ(tq::uuid_class("zzzzzzzz-zzzz-zzzz-zzzz-zzzzzzzzzzzz"), tq::uuid_class(0, 0, 0, 0));
    EXPECT_EQ(tq::uuid_class("ffffffff-ffff-ffff-ffff-ffffffffffff"),
              tq::uuid_class(0xffffffffu, 0xffffffffu, 0xffffffffu, 0xffffffffu));
    // Word 1 and word 2 join their two groups: high 16 bits first.
    EXPECT_EQ(tq::uuid_class("00000000-1234-5678-9abc-def000000000"),
              tq::uuid_class(0, 0x12345678u, 0x9abcdef0u, 0));
}

TEST(UuidFromText, AShortTextCountsItsMissingDigitsAsZero) {
    guarded_page page;
    ASSERT_NE(page.base, nullptr);
    EXPECT_EQ(tq::uuid_class(page.place("d43b", 5)), tq::uuid_class(0xd43b0000u, 0, 0, 0));
    EXPECT_EQ(tq::uuid_class(page.place("", 1)), tq::uuid_class(0, 0, 0, 0));
    EXPECT_EQ(tq::uuid_class(page.place("d43b04ce-8713-4d", 17)), tq::uuid_class(0xd43b04ceu, 0x87134d00u, 0, 0));
    // 36 characters without a terminator: nothing after position 35 is read.
    char const* full = page.place("d43b04ce-8713-4d82-8b7c-c79466f1bfd2", 36);
    EXPECT_EQ(tq::uuid_class(full), plugin_words);
}

TEST(UuidFromInteger, AppendsTheHostsFixedWords) {
    EXPECT_EQ(tq::uuid_class(0x50090082u), tq::uuid_class(0x50090082u, 0x53b811d9u, 0xbcff000au, 0x95baceb2u));
    EXPECT_EQ(tq::uuid_class(0u), tq::uuid_class(0u, 0x53b811d9u, 0xbcff000au, 0x95baceb2u));
    EXPECT_NE(tq::uuid_class(1u), tq::uuid_class(2u));
    EXPECT_EQ(tq::uuid_class(), tq::uuid_class(0, 0, 0, 0));
}

TEST(InterfaceId, WindowIidHasTheWindowPluginValueInBothLayouts) {
    com_iid const com = {0x50E47D74, 0x8922, 0x11D1, {0x9A, 0x00, 0x00, 0xC0, 0x4F, 0xCC, 0x9C, 0x26}};
    EXPECT_TRUE(iid_equal(window_com_iid, com));
    unsigned char const com_bytes[16] = {0x74, 0x7D, 0xE4, 0x50, 0x22, 0x89, 0xD1, 0x11,
                                         0x9A, 0x00, 0x00, 0xC0, 0x4F, 0xCC, 0x9C, 0x26};
    EXPECT_EQ(std::memcmp(&window_com_iid, com_bytes, 16), 0);

    mac_iid const mac = {0x50E47D74, 0x8922, 0x11D1, {0x9A, 0x00, 0x00, 0xC0, 0x4F, 0xCC, 0x9C, 0x26}, 0};
    EXPECT_TRUE(iid_equal(window_mac_iid, mac));
    EXPECT_TRUE(iid_equal(window_iid, window_mac_iid));  // this build's host passes the wide record
}

TEST(InterfaceId, ASingleDifferentByteMakesAnotherInterface) {
    com_iid com = window_com_iid;
    com.data4[7] = 0x27;
    EXPECT_FALSE(iid_equal(com, window_com_iid));
    com = window_com_iid;
    com.data2 ^= 1;
    EXPECT_FALSE(iid_equal(com, window_com_iid));

    mac_iid mac = window_mac_iid;
    mac.data4[7] = 0x27;
    EXPECT_FALSE(iid_equal(mac, window_mac_iid));
    mac = window_mac_iid;
    mac.data4[7] = 0x126;  // the same low byte with a high byte set is another value
    EXPECT_FALSE(iid_equal(mac, window_mac_iid));
}

TEST(InterfaceId, MacLayoutComparesTheHighHalfOfData1ButNotThePadding) {
    mac_iid mac = window_mac_iid;
    mac.data1 |= 0x100000000ull;
    EXPECT_FALSE(iid_equal(mac, window_mac_iid));
    mac = window_mac_iid;
    mac.padding = 0xdeadbeef;
    EXPECT_TRUE(iid_equal(mac, window_mac_iid));
}

namespace {
class observed_object : public unknown_interface {
public:
    explicit observed_object(bool& gone) : destroyed(gone) {}
    ~observed_object() override { destroyed = true; }
    bool& destroyed;
};
}  // namespace

TEST(ReferenceCount, ANewObjectHoldsNoReference) {
    bool gone = false;
    auto* object = new observed_object(gone);
    EXPECT_EQ(object->AddRef(), 1u);
    EXPECT_EQ(object->Release(), 0u);
    EXPECT_TRUE(gone);
}

TEST(ReferenceCount, TheLastReleaseDeletes) {
    bool gone = false;
    auto* object = new observed_object(gone);
    object->AddRef();
    EXPECT_EQ(object->AddRef(), 2u);
    EXPECT_EQ(object->Release(), 1u);
    EXPECT_FALSE(gone);
    EXPECT_EQ(object->AddRef(), 2u);
    EXPECT_EQ(object->Release(), 1u);
    EXPECT_EQ(object->Release(), 0u);
    EXPECT_TRUE(gone);
}

TEST(ReferenceCount, QueryInterfaceNeverAnswersAndNeverWrites) {
    bool gone = false;
    auto* object = new observed_object(gone);
    object->AddRef();
    vx_uuid_bytes asked{};
    std::memcpy(asked.byte, &window_com_iid, 16);
    void* out = &gone;
    EXPECT_EQ(object->QueryInterface(asked, &out), static_cast<HRESULT>(0x80000004));
    EXPECT_EQ(out, &gone);
    vx_uuid_bytes other{};
    EXPECT_EQ(object->QueryInterface(other, &out), static_cast<HRESULT>(0x80000004));
    EXPECT_EQ(out, &gone);
    EXPECT_TRUE(object->is_implemented());
    object->Release();
}
