// The exported entry points as the host calls them while registering the plug-in, and the
// module-level state they find when the module has just been loaded.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <type_traits>

#include "entry/entry_points.h"
#include "entry/module_state.h"
#include "host_doubles.h"

namespace {

// The plug-in's own identifier presented as an interface identifier (wide layout).
mac_iid iid_of(tq::uuid_class const& id) {
    mac_iid iid{};
    iid.data1 = id.word[0];
    iid.data2 = static_cast<std::uint16_t>(id.word[1] >> 16);
    iid.data3 = static_cast<std::uint16_t>(id.word[1]);
    for (int i = 0; i < 8; ++i) iid.data4[i] = (id.word[2 + i / 4] >> (24 - 8 * (i % 4))) & 0xff;
    return iid;
}

}  // namespace

// No test in this program creates a window, so the globals still hold their load-time values.
TEST(ModuleLoad, GlobalsStartAtTheirLoadTimeValues) {
    EXPECT_EQ(vexel_UUID, tq::uuid_class(0xd43b04ceu, 0x87134d82u, 0x8b7cc794u, 0x66f1bfd2u));
    EXPECT_EQ(extend_skin_window_uuid, tq::uuid_class(0x50090082u, 0x53b811d9u, 0xbcff000au, 0x95baceb2u));
    EXPECT_EQ(extend_joint_window_uuid, tq::uuid_class(0x50090010u, 0x53b811d9u, 0xbcff000au, 0x95baceb2u));
    EXPECT_EQ(elements_preference_uuid, tq::uuid_class(0x50030010u, 0x53b811d9u, 0xbcff000au, 0x95baceb2u));

    EXPECT_EQ(xtessel, nullptr);
    EXPECT_EQ(p_index, 0);
    EXPECT_EQ(unit_factor, 0.0f);
    EXPECT_FALSE(local);
    EXPECT_FALSE(mark_mode);

    EXPECT_EQ(Shape.shape, nullptr);
    EXPECT_EQ(Shape.surface_dad, nullptr);
    EXPECT_FALSE(Shape.undo_flag);
    EXPECT_EQ(Shape.object_type, -1);
    EXPECT_FALSE(Shape.variable_points);
    EXPECT_EQ(Shape.fixed_point_number, 0);

    EXPECT_EQ(mark.service, nullptr);
    EXPECT_EQ(mark.operation, 0);
    EXPECT_EQ(mark.target, 1);
    EXPECT_FALSE(mark.flag);
    EXPECT_EQ(mark.count, 0);
    EXPECT_EQ(mark.indices, nullptr);

    // None of them registers a destructor: they live until the module is unloaded.
    EXPECT_TRUE(std::is_trivially_destructible<Shape_class>::value);
    EXPECT_TRUE(std::is_trivially_destructible<mark_elements>::value);
    EXPECT_TRUE(std::is_trivially_destructible<tq::uuid_class>::value);
}

TEST(EntryPoints, HasInterfaceAnswersOnlyTheWindowPluginInterface) {
    EXPECT_TRUE(has_interface(window_iid, nullptr));
    mac_iid padded = window_iid;
    padded.padding = 0x12345678;
    EXPECT_TRUE(has_interface(padded, nullptr));

    EXPECT_FALSE(has_interface(iid_of(vexel_UUID), nullptr));
    mac_iid last_byte = window_iid;
    last_byte.data4[7] ^= 1;
    EXPECT_FALSE(has_interface(last_byte, nullptr));
    mac_iid high_half = window_iid;
    high_half.data1 |= 0x100000000ull;
    EXPECT_FALSE(has_interface(high_half, nullptr));
    EXPECT_FALSE(has_interface(mac_iid{}, nullptr));
}

TEST(EntryPoints, GetInfoWritesTheVersionAndNothingElse) {
    unsigned char record[40];
    std::memset(record, 0xA5, sizeof record);
    get_info(*reinterpret_cast<plugin_version_record*>(record), nullptr, nullptr);
    std::int32_t numbers[4];
    std::memcpy(numbers, record + 8, sizeof numbers);
    EXPECT_EQ(numbers[0], 10);
    EXPECT_EQ(numbers[1], 0);
    EXPECT_EQ(numbers[2], 0);
    EXPECT_EQ(numbers[3], 12);
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7}) EXPECT_EQ(record[i], 0xA5) << "byte " << i;
    for (int i = 24; i < 40; ++i) EXPECT_EQ(record[i], 0xA5) << "byte " << i;
}

TEST(EntryPoints, GetUuidAndIsResidentIdentifyThePlugin) {
    tq::uuid_class id = get_uuid(nullptr, nullptr, nullptr);
    EXPECT_EQ(id.word[0], 0xd43b04ceu);
    EXPECT_EQ(id.word[1], 0x87134d82u);
    EXPECT_EQ(id.word[2], 0x8b7cc794u);
    EXPECT_EQ(id.word[3], 0x66f1bfd2u);
    EXPECT_TRUE(is_resident(nullptr, nullptr, nullptr));
}

TEST(EntryPoints, GetNameIsTheHostsTextForProductName) {
    doubles::fake_tessel host;
    char const* name = get_name(nullptr, nullptr, host, nullptr);
    EXPECT_EQ(name, host.services.looked_up);  // the host's own text, not a copy
    ASSERT_EQ(host.services.calls.size(), 1u);
    EXPECT_EQ(host.services.last().name, "lookup_text");
    EXPECT_EQ(host.services.last().args, "product_name");
    EXPECT_EQ(host.services.last().object, nullptr);  // reserved argument
    EXPECT_EQ(host.last_reserved, nullptr);
}

TEST(EntryPoints, GettextLetsHostExceptionsPass) {
    doubles::fake_tessel host;
    host.services.throw_on = "lookup_text";
    EXPECT_THROW(host.gettext("App."), std::runtime_error);
}
