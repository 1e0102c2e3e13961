#pragma once

#include "app/PagerNetwork.h"
#include "tests/support/RecordingDatagramPort.h"

// The main window's network without sockets: starts as told, and pages go to a recorder.
class RecordingNetwork : public app::PagerNetwork {
public:
    std::optional<Failure> start(QObject *) override
    {
        port.open = !failure;
        return failure;
    }
    void stop() override { port.open = false; }
    page::DatagramPort &datagramPort() override { return port; }
    CStreamSocket *listener() override { return nullptr; }
    void takeWaiting() override {}

    RecordingDatagramPort port;
    std::optional<Failure> failure;
};
