#include "app/core/single_instance_rule.h"

#include <gtest/gtest.h>

namespace {

TEST(SingleInstanceRule, AnotherCopyIsRecognisedEvenWhenItsMutexCannotBeOpened) {
    const struct {
        bool gotHandle;
        unsigned long lastError;
        InstanceClaim claim;
    } cases[] = {
        {true, 0, InstanceClaim::Claimed},
        {true, 183, InstanceClaim::AlreadyRunning},  // ERROR_ALREADY_EXISTS
        {false, 5, InstanceClaim::AlreadyRunning},   // ERROR_ACCESS_DENIED: a copy with other rights
        {false, 8, InstanceClaim::Unguarded},        // ERROR_NOT_ENOUGH_MEMORY: no guard, but run
        {false, 0, InstanceClaim::Unguarded},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClassifyInstanceClaim(c.gotHandle, c.lastError), c.claim) << c.gotHandle << " " << c.lastError;
    }
}

}  // namespace
