// Whether the hosts of a client get render workers: only where a core is
// left for them, unless the environment already says.
#include "platform/hostprocess.h"

#include <gtest/gtest.h>

#include <sched.h>

#include <cstdlib>
#include <string>

namespace {

std::string setting()
{
    const char *value = std::getenv("FOLIVEX_RENDER_WORKER");
    return value ? value : "(unset)";
}

// Runs `body` with this thread on `cores` of the machine's cores, if it has
// them; false when it has fewer.
bool onCores(int cores, void (*body)())
{
    cpu_set_t all, some;
    if (::sched_getaffinity(0, sizeof all, &all) != 0 || CPU_COUNT(&all) < cores)
        return false;
    CPU_ZERO(&some);
    for (int cpu = 0, taken = 0; taken < cores; ++cpu)
        if (CPU_ISSET(cpu, &all)) {
            CPU_SET(cpu, &some);
            ++taken;
        }
    EXPECT_EQ(::sched_setaffinity(0, sizeof some, &some), 0);
    body();
    EXPECT_EQ(::sched_setaffinity(0, sizeof all, &all), 0);
    return true;
}

} // namespace

TEST(RenderWorkers, OnlyWhereACoreIsLeftForThemUnlessTheEnvironmentSays)
{
    for (int cores : {1, 2, 3}) {
        SCOPED_TRACE(cores);
        ::unsetenv("FOLIVEX_RENDER_WORKER");
        if (onCores(cores, [] { folivex::automation::AllowRenderWorkers(); }))
            EXPECT_EQ(setting(), "0") << "the host and the client's two threads already share these cores";
    }
    ::unsetenv("FOLIVEX_RENDER_WORKER");
    if (onCores(4, [] { folivex::automation::AllowRenderWorkers(); }))
        EXPECT_EQ(setting(), "1");

    for (const char *asked : {"0", "1"}) {
        ::setenv("FOLIVEX_RENDER_WORKER", asked, 1);
        folivex::automation::AllowRenderWorkers();
        EXPECT_EQ(setting(), asked) << "what the environment says wins";
    }
    ::unsetenv("FOLIVEX_RENDER_WORKER");
}
