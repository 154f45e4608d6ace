#include "subprocess/subprocess.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(Subprocess, GivesTheChildExtraVariablesOverItsOwn)
{
    setenv("KORVEL_OWN", "mine", 1);
    setenv("KORVEL_REPLACED", "mine", 1);
    const ProcessResult run =
        runProcess({"/bin/sh", "-c", "echo \"$KORVEL_OWN|$KORVEL_REPLACED|$KORVEL_EXTRA\""}, "/",
                   60.0, {"KORVEL_REPLACED=given", "KORVEL_EXTRA=a=b"});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.output, "mine|given|a=b\n");
}

TEST(Subprocess, ClosesTheChildsStandardInput)
{
    const ProcessResult run = runProcess({"/bin/sh", "-c", "cat; echo end"}, "/", 60.0);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.output, "end\n");
}

TEST(Subprocess, SaysHowTheChildEnded)
{
    const ProcessResult exited = runProcess({"/bin/sh", "-c", "exit 3"}, "/", 60.0);
    EXPECT_EQ(describeEnd(exited), "exited with status 3");
    const ProcessResult killed = runProcess({"/bin/sh", "-c", "kill -9 $$"}, "/", 60.0);
    EXPECT_EQ(killed.exitStatus, -1);
    EXPECT_EQ(killed.signal, 9);
    EXPECT_EQ(describeEnd(killed).rfind("was killed by signal 9", 0), 0u);
    const ProcessResult missing = runProcess({"/nonexistent/program"}, "/", 60.0);
    EXPECT_EQ(describeEnd(missing), "exited with status 127");
}
