// The host's preference store, where a plug-in keeps small values under its identifier.
// Store and streams are counted: the caller releases them. Every operation may throw.
#pragma once

#include "unknown_interface.h"
#include "uuid_class.h"

class stream_interface : public IUnknown {
public:
    // Back to the start of the stream (offset, origin; the plug-in passes 0, 0).
    virtual void rewind(int offset, int origin, void* reserved = nullptr) = 0;
    virtual int read_int(void* reserved = nullptr) = 0;
    virtual void write_int(int value, void* reserved = nullptr) = 0;
};

class preference_store_interface : public IUnknown {
public:
    // The stored value of id for reading, or null when nothing is stored. Counted.
    virtual stream_interface* open_read_stream(tq::uuid_class const& id, int flags,
                                               void* reserved = nullptr) = 0;
    // A stream that replaces the stored value of id. Counted, never null.
    virtual stream_interface* open_write_stream(tq::uuid_class const& id, int flags,
                                                void* reserved = nullptr) = 0;
};
