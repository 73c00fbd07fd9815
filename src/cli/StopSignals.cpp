#include "cli/StopSignals.h"

#include <csignal>

namespace vardex {

namespace {

volatile std::sig_atomic_t g_stopRequested = 0;
struct sigaction g_oldInt;
struct sigaction g_oldTerm;

extern "C" void onStopSignal(int)
{
    g_stopRequested = 1;
}

} // namespace

StopSignals::StopSignals()
{
    g_stopRequested = 0;
    struct sigaction action = {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &g_oldInt);
    sigaction(SIGTERM, &action, &g_oldTerm);
}

StopSignals::~StopSignals()
{
    sigaction(SIGINT, &g_oldInt, nullptr);
    sigaction(SIGTERM, &g_oldTerm, nullptr);
}

bool StopSignals::requested() const
{
    return g_stopRequested != 0;
}

} // namespace vardex
