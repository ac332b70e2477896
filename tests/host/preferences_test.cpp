// The preference store: counted streams, values kept in a file across host instances.
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>

#include "host_preferences.h"
#include "host_test_doubles.h"

using namespace host_test;

namespace {

tq::uuid_class const vexel_id("d43b04ce-8713-4d82-8b7c-c79466f1bfd2");

class Preferences : public host_test_base {
protected:
    std::string path = ::testing::TempDir() + "vexel_prefs_" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                       ".json";
    void SetUp() override {
        host_test_base::SetUp();
        std::remove(path.c_str());
    }
    void TearDown() override {
        std::remove(path.c_str());
        host_test_base::TearDown();
    }

    // What the plug-in does to store its settings word.
    static void write_word(tessel_interface& root, int word) {
        preference_store_interface* store = root.get_preference_store();
        stream_interface* stream = store->open_write_stream(vexel_id, 0);
        stream->write_int(word);
        stream->Release();
        store->Release();
    }
    // ... and to read it back; -1 when nothing is stored.
    static int read_word(tessel_interface& root) {
        preference_store_interface* store = root.get_preference_store();
        stream_interface* stream = store->open_read_stream(vexel_id, 0);
        int word = -1;
        if (stream) {
            stream->rewind(0, 0);
            word = stream->read_int();
            stream->Release();
        }
        store->Release();
        return word;
    }
};

TEST_F(Preferences, NothingStoredGivesNoReadStream) {
    host::host_app app(path);
    EXPECT_EQ(read_word(app), -1);
    EXPECT_TRUE(host::audit().outstanding().empty());
}

TEST_F(Preferences, AWrittenValueSurvivesIntoASecondHostInstance) {
    {
        host::host_app first(path);
        write_word(first, 5);
        EXPECT_EQ(read_word(first), 5);
    }
    host::host_app second(path);
    EXPECT_EQ(read_word(second), 5);
    EXPECT_TRUE(host::audit().outstanding().empty());

    nlohmann::json stored;
    std::ifstream(path) >> stored;
    EXPECT_EQ(stored, nlohmann::json({{"d43b04ce-8713-4d82-8b7c-c79466f1bfd2", 5}}));
}

TEST_F(Preferences, ALaterWriteReplacesTheValue) {
    host::host_app app(path);
    write_word(app, 7);
    write_word(app, 2);
    EXPECT_EQ(read_word(app), 2);
    EXPECT_EQ(app.preferences().value(vexel_id), 2);
}

TEST_F(Preferences, StreamsAndStoreAreCountedUntilReleased) {
    host::host_app app(path);
    preference_store_interface* store = app.get_preference_store();
    stream_interface* stream = store->open_write_stream(vexel_id, 0);
    EXPECT_EQ(host::audit().outstanding().size(), 2u);
    stream->Release();
    EXPECT_EQ(host::audit().outstanding().size(), 1u);
    store->Release();
    EXPECT_TRUE(host::audit().outstanding().empty());
}

TEST_F(Preferences, AStreamRefusesReadingPastItsValueAndTheWrongDirection) {
    host::host_app app(path);
    app.preferences().store(vexel_id, 3);
    preference_store_interface* store = app.get_preference_store();
    stream_interface* reader = store->open_read_stream(vexel_id, 0);
    EXPECT_EQ(reader->read_int(), 3);
    EXPECT_THROW(reader->read_int(), host::host_error);
    reader->rewind(0, 0);
    EXPECT_EQ(reader->read_int(), 3);
    EXPECT_THROW(reader->write_int(1), host::host_error);
    stream_interface* writer = store->open_write_stream(vexel_id, 0);
    EXPECT_THROW(writer->read_int(), host::host_error);
    writer->Release();
    reader->Release();
    store->Release();
}

// A file the store cannot use is refused with its place and problem; the store starts from
// nothing, and a write of the settings leaves the user's file as it was.
TEST_F(Preferences, AnUnusableFileIsRefusedNamedAndLeftUntouched) {
    std::string const word = "\"d43b04ce-8713-4d82-8b7c-c79466f1bfd2\"";
    struct {
        std::string text;
        std::string problem;  // after the path
    } const cases[] = {
        {"{" + word + ": 5}\n garbage", ":2:2: text after the JSON object"},
        {"{" + word + ": 5}{}", ":1:44: text after the JSON object"},
        {"not json", ":1:2: malformed JSON"},
        {"{" + word + ": ", ":1:42: the JSON ends too early"},
        {"[1, 2]", ": expected a JSON object"},
        {"{" + word + ": 1e400}", ": a number out of range"},
        {"{" + word + ": 4294967296}", ": " + word + ": expected a 32-bit integer"},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.text);
        std::ofstream(path, std::ios::binary) << c.text;
        host::host_app app(path);
        EXPECT_EQ(app.preferences().refusal(), path + c.problem);
        EXPECT_EQ(read_word(app), -1);
        write_word(app, 3);
        EXPECT_EQ(read_word(app), 3);
        std::ifstream in(path, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), c.text);
    }
    std::string const missing = ::testing::TempDir() + "vexel_no_such_folder/prefs.json";
    EXPECT_EQ(host::host_app(missing).preferences().refusal(),
              missing + ": the folder " + ::testing::TempDir() + "vexel_no_such_folder does not exist");
    std::string const folder = ::testing::TempDir();
    EXPECT_EQ(host::host_app(folder).preferences().refusal(),
              folder + ": is a folder, not a preference file");
}

TEST_F(Preferences, AStoreWithoutFileKeepsValuesInMemory) {
    host::host_app app;
    write_word(app, 4);
    EXPECT_EQ(read_word(app), 4);
}

}  // namespace
