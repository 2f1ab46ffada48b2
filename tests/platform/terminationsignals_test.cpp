#include "platform/terminationsignals.h"

#include <QSignalSpy>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void (*handlerOf(int number))(int)
{
    struct sigaction current = {};
    sigaction(number, nullptr, &current);
    return current.sa_handler;
}

TEST(TerminationSignals, EachEndingSignalArrivesThroughTheEventLoop)
{
    {
        platform::TerminationSignals terminations;
        QSignalSpy received(&terminations, &platform::TerminationSignals::received);
        for (const int number : { SIGTERM, SIGINT, SIGHUP }) {
            raise(number);
            ASSERT_TRUE(received.wait(2000)) << number;
        }
        EXPECT_EQ(received.count(), 3);
    }
    for (const int number : { SIGTERM, SIGINT, SIGHUP })
        EXPECT_EQ(handlerOf(number), SIG_DFL) << number << " handed back";
}

TEST(TerminationSignals, ASignalIgnoredFromTheStartStaysIgnored)
{
    signal(SIGHUP, SIG_IGN); // as under nohup
    {
        const platform::TerminationSignals terminations;
        EXPECT_EQ(handlerOf(SIGHUP), SIG_IGN);
        EXPECT_NE(handlerOf(SIGTERM), SIG_DFL);
    }
    signal(SIGHUP, SIG_DFL);
}

TEST(TerminationSignals, ASecondSignalBeforeTheEventLoopTookTheFirstEndsTheProcessAtOnce)
{
    // A child whose event loop never runs again, as in a program that hangs.
    const pid_t child = fork();
    if (child == 0) {
        const platform::TerminationSignals terminations;
        raise(SIGINT);
        raise(SIGTERM);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "exited with " << WEXITSTATUS(status);
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
}

} // namespace
