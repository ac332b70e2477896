// vexel_window: the floating tool window the host creates from this plug-in.
#pragma once

#include "windowinterface"

class vexel_window : public window_interface {
public:
    explicit vexel_window(tessel_interface& host);

    int get_tessel_version() const override { return tessel_interface_version; }
    tq::uuid_class get_uuid(void* reserved) override;
};
