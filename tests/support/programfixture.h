#pragma once

#include "platform/ticktimer.h"
#include "shell/program.h"
#include "support/fakeservices.h"

#include <QCoreApplication>
#include <QEvent>
#include <gtest/gtest.h>
#include <memory>

// A program on fake services, with the main window open as the user finds it.
class ProgramTest : public ::testing::Test {
protected:
    ProgramTest()
        : program(std::make_unique<Program>(services))
    {
    }

    ~ProgramTest() override
    {
        program.reset();
        flush();
    }

    // Runs a handler as an event would: through the program's gate.
    template <class F> void event(F &&handler) { program->handle(std::forward<F>(handler)); }

    static void tick(platform::TickTimer *timer, int times = 1)
    {
        for (int i = 0; i < times && timer->isEnabled(); ++i)
            emit timer->ticked();
    }

    // Lets windows unloaded by a handler go, as the event loop would.
    static void flush()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    FakeServices services;
    std::unique_ptr<Program> program;
};
