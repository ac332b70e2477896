// The binary contract with the host on the ABIs of the shipped builds, checked on this
// machine: clang compiles the interface headers for Microsoft's x64 and x86 ABIs and for
// Mac OS X x86-64, without any C++ standard library or platform SDK, and dumps the layouts
// it chose; the dumps are compared slot by slot with expected_slots.txt and field by field
// with the record layouts the host reads.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

#include "layout_dump.h"

namespace {

std::string const source_dir = VEXEL_SOURCE_DIR;

std::string read_file(std::string const& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct clang_run {
    std::string output;
    int status = -1;
};

// Compiles a probe for target with the interface headers only; dump_flag picks the dump.
clang_run run_clang(std::string const& target, std::string const& probe, bool vtables) {
    std::string command = std::string("'") + VEXEL_CLANGXX + "' --target=" + target +
                          " -std=c++17 -ffreestanding -nostdinc++ -nostdlibinc -fexceptions"
                          " -fcxx-exceptions -I'" + source_dir + "/include'" +
                          (vtables ? " -S -emit-llvm -o /dev/null -Xclang -fdump-vtable-layouts"
                                   : " -fsyntax-only -Xclang -fdump-record-layouts") +
                          " '" + source_dir + "/tests/cross/layout/probes/" + probe + "' 2>&1";
    clang_run run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.output.append(buffer, n);
    run.status = ::pclose(pipe);
    return run;
}

bool have_clang() { return std::string(VEXEL_CLANGXX).find("NOTFOUND") == std::string::npos && *VEXEL_CLANGXX; }

// One dump per target and kind, made once.
clang_run const& dump(std::string const& target, bool vtables) {
    static std::map<std::string, clang_run> cache;
    std::string key = target + (vtables ? " vtables" : " records");
    auto found = cache.find(key);
    if (found == cache.end())
        found = cache.emplace(key, run_clang(target, vtables ? "slot_probe.cpp" : "record_probe.cpp",
                                             vtables)).first;
    return found->second;
}

std::map<std::string, layout::block> const& expected_blocks() {
    static std::vector<std::string> errors;
    static std::map<std::string, layout::block> const blocks = layout::read_expected_slots(
        read_file(source_dir + "/tests/cross/layout/expected_slots.txt"), errors);
    EXPECT_TRUE(errors.empty()) << errors.front();
    return blocks;
}

std::string joined(std::vector<std::string> const& lines) {
    std::ostringstream out;
    for (std::string const& line : lines) out << "\n  " << line;
    return out.str();
}

// --- The checks on the host ABIs -----------------------------------------------------------

struct abi {
    char const* target;
    int destructor_entries;  // the virtual destructor's entries
    std::size_t window_slots;
    std::size_t control_slots;
};

class SlotLayout : public ::testing::TestWithParam<abi> {
protected:
    void SetUp() override {
        if (!have_clang()) GTEST_SKIP() << "clang++ not found";
        clang_run const& run = dump(GetParam().target, true);
        ASSERT_EQ(run.status, 0) << "clang failed for " << GetParam().target << ":\n" << run.output;
        tables = layout::read_vtables(run.output);
    }
    std::map<std::string, std::vector<layout::slot>> tables;
};

TEST_P(SlotLayout, AWindowClassIsThePrefixThenThePluginAndWindowBlocks) {
    auto const& blocks = expected_blocks();
    std::vector<layout::slot> const& table = tables["probe_window"];
    EXPECT_EQ(table.size(), GetParam().window_slots);
    std::vector<std::string> differences = layout::compare(
        table, GetParam().destructor_entries,
        {&blocks.at("plugin_interface"), &blocks.at("window_interface")});
    EXPECT_TRUE(differences.empty()) << joined(differences);
}

TEST_P(SlotLayout, EveryControlKindIsThePrefixThenThePluginAndHandlerBlocks) {
    auto const& blocks = expected_blocks();
    for (char const* control : {"probe_push_button", "probe_checkbox", "probe_number",
                                "probe_popup_menu", "probe_static_text"}) {
        std::vector<layout::slot> const& table = tables[control];
        EXPECT_EQ(table.size(), GetParam().control_slots) << control;
        std::vector<std::string> differences = layout::compare(
            table, GetParam().destructor_entries,
            {&blocks.at("plugin_interface"), &blocks.at("handler_interface")});
        EXPECT_TRUE(differences.empty()) << control << joined(differences);
    }
}

abi const host_abis[] = {
    {"x86_64-pc-windows-msvc", 1, 404, 405},
    {"i686-pc-windows-msvc", 1, 404, 405},
    {"x86_64-apple-macosx", 2, 405, 406},
};
char const* const host_abi_names[] = {"MicrosoftX64", "MicrosoftX86", "MacOsX64"};

INSTANTIATE_TEST_SUITE_P(HostAbis, SlotLayout, ::testing::ValuesIn(host_abis),
                         [](::testing::TestParamInfo<abi> const& info) {
                             return std::string(host_abi_names[info.index]);
                         });

struct record_target {
    char const* target;
    int pointer_size;
};

class RecordLayout : public ::testing::TestWithParam<record_target> {
protected:
    void SetUp() override {
        if (!have_clang()) GTEST_SKIP() << "clang++ not found";
        clang_run const& run = dump(GetParam().target, false);
        ASSERT_EQ(run.status, 0) << "clang failed for " << GetParam().target << ":\n" << run.output;
        records = layout::read_records(run.output);
    }
    void expect_fields(char const* name, long size,
                       std::vector<std::pair<char const*, long>> const& fields) {
        ASSERT_TRUE(records.count(name)) << name << " not in the dump";
        layout::record const& r = records[name];
        EXPECT_EQ(r.size, size) << name;
        for (auto const& f : fields) {
            ASSERT_TRUE(r.offsets.count(f.first)) << name << "::" << f.first;
            EXPECT_EQ(r.offsets.at(f.first), f.second) << name << "::" << f.first;
        }
    }
    std::map<std::string, layout::record> records;
};

TEST_P(RecordLayout, TheMarkingRecordHasTheHostsFieldOffsets) {
    if (GetParam().pointer_size == 8)
        expect_fields("mark_elements", 32, {{"service", 0}, {"operation", 8}, {"target", 12},
                                            {"flag", 16}, {"count", 20}, {"indices", 24}});
    else
        expect_fields("mark_elements", 24, {{"service", 0}, {"operation", 4}, {"target", 8},
                                            {"flag", 12}, {"count", 16}, {"indices", 20}});
}

TEST_P(RecordLayout, IdentifiersKeepTheirSizesAndFields) {
    expect_fields("com_iid", 16, {{"data1", 0}, {"data2", 4}, {"data3", 6}, {"data4", 8}});
    expect_fields("mac_iid", 32,
                  {{"data1", 0}, {"data2", 8}, {"data3", 10}, {"data4", 12}, {"padding", 28}});
    expect_fields("tq::uuid_class", 16, {{"word", 0}});
    expect_fields("tq::rectangle_class", 16, {{"left", 0}, {"top", 4}, {"right", 8}, {"bottom", 12}});
    expect_fields("tq::point_class", 8, {{"x", 0}, {"y", 4}});
}

// The host ABIs, and the MinGW targets the Windows modules are cross-built with here.
record_target const record_targets[] = {
    {"x86_64-pc-windows-msvc", 8}, {"i686-pc-windows-msvc", 4}, {"x86_64-apple-macosx", 8},
    {"x86_64-w64-windows-gnu", 8}, {"i686-w64-windows-gnu", 4},
};
char const* const record_target_names[] = {"MicrosoftX64", "MicrosoftX86", "MacOsX64",
                                           "MinGWX64", "MinGWX86"};

INSTANTIATE_TEST_SUITE_P(Targets, RecordLayout, ::testing::ValuesIn(record_targets),
                         [](::testing::TestParamInfo<record_target> const& info) {
                             return std::string(record_target_names[info.index]);
                         });

// --- The reading and comparing itself: a check that cannot fail proves nothing --------------

TEST(LayoutTable, TheExpectedTableHasThreeBlocksOfTheirFixedSizes) {
    auto const& blocks = expected_blocks();
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks.at("plugin_interface").names.size(), 200u);
    EXPECT_EQ(blocks.at("handler_interface").names.size(), 200u);
    EXPECT_EQ(blocks.at("window_interface").names.size(), 199u);
    EXPECT_EQ(blocks.at("plugin_interface").names[31], "get_tessel_version");
    EXPECT_EQ(blocks.at("plugin_interface").names[118], "?");
    EXPECT_EQ(blocks.at("plugin_interface").names[120], "plugin_interface_dummy120");
    EXPECT_EQ(blocks.at("handler_interface").names[6], "handler_interface_dummy6");
    // No reserved slot bears the number 88.
    EXPECT_EQ(blocks.at("window_interface").names[87], "obsolete");
    EXPECT_EQ(blocks.at("window_interface").names[88], "window_interface_dummy89");
    EXPECT_EQ(blocks.at("window_interface").names[198], "window_interface_dummy199");
}

TEST(LayoutTable, ABlockThatDoesNotAddUpOrSkipsAPositionIsReported) {
    std::vector<std::string> errors;
    layout::read_expected_slots("block a 4\n0 x\n2 y\nreserved 3 3\n", errors);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_NE(errors[0].find("position 2 out of order"), std::string::npos) << errors[0];
    EXPECT_NE(errors[1].find("has 3 slots, not 4"), std::string::npos) << errors[1];
}

std::string const microsoft_snippet =
    "VFTable for 'IUnknown' in 'unknown_interface' in 'w' (8 entries).\n"
    "   0 | w RTTI\n"
    "   1 | HRESULT unknown_interface::QueryInterface(vx_iid_arg, void **)\n"
    "   2 | ULONG unknown_interface::AddRef()\n"
    "   3 | ULONG unknown_interface::Release()\n"
    "   4 | w::~w() [scalar deleting]\n"
    "   5 | bool unknown_interface::is_implemented()\n"
    "   6 | tq::uuid_class a::get_uuid(void *)\n"
    "   7 | window_interface &a::set_frame_position(tq::point_class, void *)\n"
    "\n"
    "VFTable indices for 'w' (1 entries).\n"
    "   3 | w::~w() [scalar deleting]\n";

std::string const itanium_snippet =
    "Vtable for 'w' (9 entries).\n"
    "   0 | offset_to_top (0)\n"
    "   1 | w RTTI\n"
    "       -- (w, 0) vtable address --\n"
    "   2 | HRESULT unknown_interface::QueryInterface(vx_iid_arg, void **)\n"
    "   3 | ULONG unknown_interface::AddRef()\n"
    "   4 | ULONG unknown_interface::Release()\n"
    "   5 | w::~w() [complete]\n"
    "   6 | w::~w() [deleting]\n"
    "   7 | bool unknown_interface::is_implemented()\n"
    "   8 | int a::get_tessel_version() const [pure]\n";

TEST(LayoutDump, FunctionEntriesAreReadWithoutRttiOrOffsets) {
    auto microsoft = layout::read_vtables(microsoft_snippet);
    ASSERT_EQ(microsoft["w"].size(), 7u) << "the indices section must not be read as a table";
    EXPECT_EQ(microsoft["w"][3].name, "~w");
    EXPECT_EQ(microsoft["w"][3].kind, "scalar deleting");
    EXPECT_EQ(microsoft["w"][5].name, "get_uuid");
    EXPECT_EQ(microsoft["w"][6].name, "set_frame_position");

    auto itanium = layout::read_vtables(itanium_snippet);
    ASSERT_EQ(itanium["w"].size(), 7u);
    EXPECT_EQ(itanium["w"][0].name, "QueryInterface");
    EXPECT_EQ(itanium["w"][4].kind, "deleting");
    EXPECT_EQ(itanium["w"][6].name, "get_tessel_version");
}

TEST(LayoutDump, CompareNamesEveryDisplacedSlot) {
    layout::block b{"a", {"get_uuid", "set_frame_position"}};
    auto microsoft = layout::read_vtables(microsoft_snippet);
    EXPECT_TRUE(layout::compare(microsoft["w"], 1, {&b}).empty());

    // The Itanium destructor pair where one entry is expected shifts every later slot.
    auto itanium = layout::read_vtables(itanium_snippet);
    std::vector<std::string> shifted = layout::compare(itanium["w"], 1, {&b});
    ASSERT_EQ(shifted.size(), 4u);
    EXPECT_EQ(shifted[0], "slot 3 (prefix): ~w [complete], expected ~ [scalar deleting]");
    EXPECT_EQ(shifted[1], "slot 4 (prefix): ~w [deleting], expected is_implemented");

    // Two operations in the wrong order.
    layout::block swapped{"a", {"set_frame_position", "get_uuid"}};
    std::vector<std::string> differences = layout::compare(microsoft["w"], 1, {&swapped});
    ASSERT_EQ(differences.size(), 2u);
    EXPECT_EQ(differences[0], "slot 5 (a 0): get_uuid, expected set_frame_position");

    // A missing slot is a size difference.
    layout::block longer{"a", {"get_uuid", "set_frame_position", "extra"}};
    differences = layout::compare(microsoft["w"], 1, {&longer});
    ASSERT_FALSE(differences.empty());
    EXPECT_EQ(differences[0], "7 slots, expected 8");
}

TEST(LayoutDump, RecordFieldsAndSizesAreRead) {
    std::string const snippet =
        "\n*** Dumping AST Record Layout\n"
        "         0 | struct mark_elements\n"
        "         0 |   class marking_interface * service\n"
        "         4 |   int32_t operation\n"
        "        20 |   const int32_t * indices\n"
        "           | [sizeof=24, align=4,\n"
        "           |  nvsize=24, nvalign=4]\n"
        "\n*** Dumping AST Record Layout\n"
        "         0 | struct tq::uuid_class\n"
        "         0 |   uint32_t[4] word\n"
        "           | [sizeof=16, align=4,\n";
    auto records = layout::read_records(snippet);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records["mark_elements"].size, 24);
    EXPECT_EQ(records["mark_elements"].offsets["indices"], 20);
    EXPECT_EQ(records["mark_elements"].offsets["operation"], 4);
    EXPECT_EQ(records["tq::uuid_class"].offsets["word"], 0);
}

}  // namespace
