// The built DLL as the host sees it: loaded with LoadLibrary, its six entry points looked up
// by the host's names and called; on 32-bit also called exactly as the host's compiler
// calls a stdcall function, to prove the decorations match what the code does.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "host_preferences.h"
#include "module_under_test.h"
#include "text_field_host.h"

namespace cross_test {
namespace {

module_under_test const& module() {
    module_under_test const& m = loaded_module();
    EXPECT_NE(m.handle, nullptr) << "LoadLibrary(" << module_path() << ") failed, error "
                                 << ::GetLastError();
    return m;
}

// A counted host object owned by the test: Release never deletes, so the test can check
// that the plug-in gave back every reference it was handed.
template <class Interface>
class counted : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(vx_iid_arg, void**) override { return VX_E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--references); }
    Interface* hand_out() {
        ++references;
        return this;
    }
    long references = 0;
};

class fake_stream : public counted<stream_interface> {
public:
    void rewind(int, int, void*) override {}
    int read_int(void*) override { return value; }
    void write_int(int v, void*) override { value = v; }
    int value = 0;
};

class fake_store : public counted<preference_store_interface> {
public:
    stream_interface* open_read_stream(tq::uuid_class const&, int, void*) override {
        return has_value ? stream.hand_out() : nullptr;
    }
    stream_interface* open_write_stream(tq::uuid_class const&, int, void*) override {
        has_value = true;
        return stream.hand_out();
    }
    fake_stream stream;
    bool has_value = false;
};

// The root the window is created on: text services plus a preference store.
class window_host : public text_field_root {
public:
    preference_store_interface* get_preference_store(void*) override { return store.hand_out(); }
    fake_store store;
};

TEST(WindowsEntryPoints, AllSixAreFoundUnderTheHostsNames) {
    module_under_test const& m = module();
    ASSERT_NE(m.handle, nullptr);
    char const* const* names = exported_names();
    for (int i = 0; names[i]; ++i)
        EXPECT_NE(::GetProcAddress(m.handle, names[i]), nullptr) << names[i];
}

TEST(WindowsEntryPoints, HasInterfaceAnswersOnlyTheWindowInterface) {
    module_under_test const& m = module();
    ASSERT_NE(m.has_interface_fn, nullptr);
    EXPECT_TRUE(m.has_interface_fn(window_com_iid, nullptr));

    com_iid last_byte_differs = window_com_iid;
    last_byte_differs.data4[7] ^= 1;
    EXPECT_FALSE(m.has_interface_fn(last_byte_differs, nullptr));

    // The plug-in's own identifier presented as an interface identifier.
    com_iid own;
    tq::uuid_class const vexel("d43b04ce-8713-4d82-8b7c-c79466f1bfd2");
    std::memcpy(&own, &vexel, sizeof own);
    EXPECT_FALSE(m.has_interface_fn(own, nullptr));
}

TEST(WindowsEntryPoints, IdentityAndVersion) {
    module_under_test const& m = module();
    ASSERT_TRUE(m.get_uuid_fn && m.is_resident_fn && m.get_info_fn);
    EXPECT_EQ(m.get_uuid_fn(nullptr, nullptr, nullptr),
              tq::uuid_class(0xd43b04ceu, 0x87134d82u, 0x8b7cc794u, 0x66f1bfd2u));
    EXPECT_TRUE(m.is_resident_fn(nullptr, nullptr, nullptr));

    // Bytes 0-7 and everything from 24 on belong to the host and keep their pattern.
    unsigned char record[40];
    std::memset(record, 0xA5, sizeof record);
    m.get_info_fn(*reinterpret_cast<plugin_version_record*>(record), nullptr, nullptr);
    std::int32_t numbers[4];
    std::memcpy(numbers, record + 8, sizeof numbers);
    EXPECT_EQ(numbers[0], 10);
    EXPECT_EQ(numbers[1], 0);
    EXPECT_EQ(numbers[2], 0);
    EXPECT_EQ(numbers[3], 12);
    for (int i : {0, 7, 24, 39}) EXPECT_EQ(record[i], 0xA5) << "byte " << i;
}

TEST(WindowsEntryPoints, GetNameIsTheHostsTextForProductName) {
    module_under_test const& m = module();
    ASSERT_NE(m.get_name_fn, nullptr);
    text_field_root host;
    char const* name = m.get_name_fn(nullptr, nullptr, host, nullptr);
    EXPECT_EQ(name, host.services.looked_up_text);  // handed on, not copied
    ASSERT_EQ(host.services.looked_up_keys.size(), 1u);
    EXPECT_EQ(host.services.looked_up_keys[0], "product_name");
}

TEST(WindowsEntryPoints, CreateInterfaceHandsOverOneReferenceAndReleasesHostObjects) {
    module_under_test const& m = module();
    ASSERT_NE(m.create_interface_fn, nullptr);
    window_host host;
    window_interface* window = nullptr;
    m.create_interface_fn(nullptr, nullptr, &window, host, nullptr);
    ASSERT_NE(window, nullptr);

    // Virtual calls across the module boundary land on the window's own answers.
    EXPECT_EQ(window->get_tessel_version(), 430286);
    EXPECT_EQ(window->get_uuid(nullptr),
              tq::uuid_class(0xd43b04ceu, 0x87134d82u, 0x8b7cc794u, 0x66f1bfd2u));

    EXPECT_EQ(window->AddRef(), 2u);
    EXPECT_EQ(window->Release(), 1u);
    EXPECT_EQ(window->Release(), 0u);  // the host's one reference ends the window
    EXPECT_EQ(host.store.references, 0) << "preference store not released";
    EXPECT_EQ(host.store.stream.references, 0) << "stream not released";
}

#if defined(__i386__)

// Calls fn as the host's compiler calls a stdcall function: the words pushed right to left,
// the callee removes them. Returns eax; left is what the callee left on the stack (0 when it
// removed exactly the words pushed). The stack is restored either way.
struct stdcall_outcome {
    std::uint32_t eax;
    std::int32_t left;
};

stdcall_outcome call_as_host(void* fn, std::uint32_t const* words, std::int32_t count) {
    stdcall_outcome out;
    asm volatile(
        "movl %%esp, %%edi\n\t"
        "movl %[count], %%ecx\n\t"
        "1:\n\t"
        "testl %%ecx, %%ecx\n\t"
        "jz 2f\n\t"
        "pushl -4(%%ebx,%%ecx,4)\n\t"
        "decl %%ecx\n\t"
        "jmp 1b\n\t"
        "2:\n\t"
        "call *%%esi\n\t"
        "movl %%esp, %%ecx\n\t"
        "subl %%edi, %%ecx\n\t"
        "movl %%edi, %%esp\n\t"
        : "=a"(out.eax), "=c"(out.left)
        : "b"(words), "S"(fn), [count] "g"(count)
        : "edx", "edi", "memory", "cc");
    return out;
}

template <class Function>
void* address(Function f) {
    return reinterpret_cast<void*>(f);
}

std::uint32_t word(void const* p) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p)); }

TEST(WindowsEntryPoints32, EachEntryPointRemovesTheBytesItsDecorationNames) {
    module_under_test const& m = module();
    ASSERT_NE(m.handle, nullptr);

    std::uint32_t iid_args[] = {word(&window_com_iid), 0};
    stdcall_outcome has = call_as_host(address(m.has_interface_fn), iid_args, 2);
    EXPECT_EQ(has.left, 0) << "_has_interface@8";
    EXPECT_EQ(has.eax & 0xFF, 1u);

    // The result pointer is pushed last, as the first argument, and comes back in eax.
    tq::uuid_class id;
    std::uint32_t uuid_args[] = {word(&id), 0, 0, 0};
    stdcall_outcome uuid = call_as_host(address(m.get_uuid_fn), uuid_args, 4);
    EXPECT_EQ(uuid.left, 0) << "_get_uuid@16";
    EXPECT_EQ(uuid.eax, word(&id));
    EXPECT_EQ(id, tq::uuid_class(0xd43b04ceu, 0x87134d82u, 0x8b7cc794u, 0x66f1bfd2u));

    std::uint32_t three_args[] = {0, 0, 0};
    stdcall_outcome resident = call_as_host(address(m.is_resident_fn), three_args, 3);
    EXPECT_EQ(resident.left, 0) << "_is_resident@12";
    EXPECT_EQ(resident.eax & 0xFF, 1u);

    plugin_version_record record{};
    std::uint32_t info_args[] = {word(&record), 0, 0};
    EXPECT_EQ(call_as_host(address(m.get_info_fn), info_args, 3).left, 0) << "_get_info@12";
    EXPECT_EQ(record.build, 12);

    text_field_root host;
    std::uint32_t name_args[] = {0, 0, word(&host), 0};
    stdcall_outcome name = call_as_host(address(m.get_name_fn), name_args, 4);
    EXPECT_EQ(name.left, 0) << "_get_name@16";
    EXPECT_EQ(name.eax, word(host.services.looked_up_text));

    window_host window_root;
    window_interface* window = nullptr;
    std::uint32_t create_args[] = {0, 0, word(&window), word(&window_root), 0};
    EXPECT_EQ(call_as_host(address(m.create_interface_fn), create_args, 5).left, 0)
        << "_create_interface@20";
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Release(), 0u);
}

#endif

}  // namespace
}  // namespace cross_test
